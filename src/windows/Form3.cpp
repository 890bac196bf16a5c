#include "Form3.h"

#include "BrowserView.h"
#include "BrowserViewMaker.h"
#include "Command.h"
#include "Fonts.h"
#include "InfoIcon.h"
#include "LabelsUnderControls.h"
#include "MessageBoxes.h"
#include "PanelControls.h"
#include "PictureBox.h"
#include "ProgramWindowActivation.h"
#include "ReportPage.h"
#include "ReportSubmission.h"
#include "ScreenPlace.h"
#include "Text.h"
#include "Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>

#include <variant>

namespace {

using PanelControls::caption;
using PanelControls::textColour;

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

// The window's labels are bold and size themselves to their text from their
// design corner (twips).
QRect corner(int left, int top)
{
    return Twips::rect(left, top, 0, 0);
}

struct Category {
    const char *caption;
    const char *tooltip;
    int left;
    int top;
};

const Category Categories[Form3::CategoryCount] = {
    {"挂马网站", "网站带有木马或者恶意行为。", 480, 2520},
    {"赌球博彩", "出售六合彩预测，赌球内幕资料。", 1800, 2520},
    {"荐股诈骗", "以推荐黑马股票等名义诈骗会员费。", 3000, 2520},
    {"假冒下载站", "模拟官方网站做下载。", 4320, 2520},
    {"假办信用卡", "代办信用卡的网站。", 5760, 2520},
    {"假冒官网", "模仿官方登录的网站。", 7200, 2520},
    {"兜售假药", "销售假药的网站。", 8400, 2520},
    {"其它", "其它类型的不良网站。", 480, 2880},
    {"彩票预测", "诱骗网民付费购买彩票预测结果。", 1800, 2880},
    {"虚假购物", "伪装淘宝钓鱼、假机票、假网游交易平台等消费陷阱。", 3000, 2880},
    {"虚假中奖", "假冒QQ、CCTV等知名机构和网游公司的中奖骗局。", 4320, 2880},
    {"传播病毒", "下载链接或者软件中带有木马病毒。", 5760, 2880},
};

} // namespace

static void initReportResources()
{
    // The logo lives in this static library's resources: they must be pulled in.
    Q_INIT_RESOURCE(Form3);
}

Form3::Form3(Dependencies dependencies, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_boxes(dependencies.boxes),
      m_browsers(dependencies.browsers),
      m_folder(dependencies.folder),
      m_M30(dependencies.M30),
      m_M31(dependencies.M31),
      m_M32(dependencies.M32),
      m_showMainWindow(std::move(dependencies.showMainWindow))
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("恶意网站举报"));
    setWindowIcon(QApplication::windowIcon());
    setFixedSize(Twips::toPixels(10485), Twips::toPixels(7620));
    setFont(Fonts::ui(9, false));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setMouseTracking(true);

    build();
    LabelsUnderControls(this);
    Form_Load();

    // Centred on the screen when first shown.
    CentreOnScreen(this);

    auto *activation = new ProgramWindowActivation(this);
    connect(activation, &ProgramWindowActivation::activated, this, &Form3::Form_Activate);
}

Form3::~Form3() = default;

void Form3::build()
{
    const QFont bold9 = Fonts::ui(9, true);
    const QFont bold10 = Fonts::ui(10.5, true);
    const QFont bold12 = Fonts::ui(12, true);

    textColour(caption(this, "Label1", corner(240, 480),
                       QStringLiteral("提示：被举报网站经核实有木马、钓鱼、欺诈等行为，将阻止其在互联网中传播，情节严重的屏蔽。"),
                       bold10),
               Red);
    caption(this, "Label2(0)", corner(240, 840), QStringLiteral("一、填写举报网站"), bold10);
    textColour(caption(this, "Label3(1)", corner(480, 1200), QStringLiteral("网站/网店网址："), bold9), Blue);

    m_Text2 = PanelControls::skinned<Text>(this, "Text2", Twips::rect(1920, 1110, 4215, 420));

    m_cmdT = PanelControls::skinned<Command>(this, "cmdT", Twips::rect(6000, 1140, 1575, 375));

    // The title browser lies inside the area of cmdT, too small to be seen.
    m_WebT = makeBrowserView(&m_browsers, this, Twips::rect(6720, 1320, 135, 135), QStringLiteral("WebT"));

    new InfoIcon(this, "Picture2(4)", Twips::rect(240, 1680, 240, 240), QStringLiteral("名称指的是网页的标题。"));
    textColour(caption(this, "Label3(0)", corner(480, 1680), QStringLiteral("网站/网店名称："), bold9), Blue);

    m_Text1 = PanelControls::skinned<Text>(this, "Text1", Twips::rect(1920, 1605, 4215, 420));

    textColour(caption(this, "Label5", corner(8640, 840), QStringLiteral("举报须知"), bold12), Blue);
    // The first notice wraps within its fixed box.
    QLabel *notice = textColour(PanelControls::label(this, "Label4(0)", Twips::rect(7680, 1200, 2760, 570),
                                                     QStringLiteral("1.应保证所举报内容与事实一致，若捏造、诋毁将不能通过审核。"),
                                                     bold9),
                                Red);
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    textColour(caption(this, "Label4(1)", corner(7680, 1800), QStringLiteral("2.请填写详细信息，以便举报成功。"), bold9), Red);
    caption(this, "Label2(1)", corner(240, 2160), QStringLiteral("二、选择举报类别 "), bold10);
    new InfoIcon(this, "Picture2(0)", Twips::rect(2040, 2220, 240, 240),
                 QStringLiteral("本项请认真填写，否则可能不能审核通过，可以多选。选错、乱选情况下审核所需时间会很长。"));

    for (int i = 0; i < CategoryCount; ++i) {
        auto *box = new QCheckBox(QString::fromUtf8(Categories[i].caption), this);
        box->setObjectName(QStringLiteral("Check1(%1)").arg(i));
        box->setToolTip(QString::fromUtf8(Categories[i].tooltip));
        box->setFont(bold9);
        QPalette palette = box->palette();
        palette.setColor(QPalette::WindowText, Blue);
        palette.setColor(QPalette::Window, Qt::white);
        box->setPalette(palette);
        // A button fills with the Button colour, the style's grey; the
        // category boxes stand on the window's white.
        box->setBackgroundRole(QPalette::Window);
        box->setAutoFillBackground(true);
        box->setGeometry(Twips::rect(Categories[i].left, Categories[i].top, (i == 3 || i == 4) ? 1455 : 1215, 255));
        m_Check1[i] = box;
    }

    textColour(caption(this, "Label3(2)", corner(480, 3240), QStringLiteral("请详细填写举报网站理由："), bold9), Blue);
    m_Text3 = new QPlainTextEdit(this);
    m_Text3->setObjectName(QStringLiteral("Text3"));
    m_Text3->setGeometry(Twips::rect(480, 3600, 9015, 1335));
    m_Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_Text3->setToolTip(QStringLiteral("请务必准确填写理由，以便快速阻断恶意网站传播。"));
    m_Text3->setTabChangesFocus(true);
    m_Text3->installEventFilter(this);

    caption(this, "Label2(2)", corner(240, 5040), QStringLiteral("三、联系方式"), bold10);
    textColour(caption(this, "Label3(3)", corner(480, 5460), QStringLiteral("您的邮箱："), bold10), Blue);
    m_Text4 = PanelControls::skinned<Text>(this, "Text4", Twips::rect(1560, 5400, 4455, 420));
    textColour(caption(this, "Label3(4)", corner(600, 5940), QStringLiteral("验证码："), bold10), Blue);
    m_Text5 = PanelControls::skinned<Text>(this, "Text5", Twips::rect(1560, 5880, 4455, 420));

    // Empty until the report page's captcha comes.
    m_Picture1 = PanelControls::label(this, "Picture1", Twips::rect(6000, 5920, 660, 300), QString());
    m_Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_Picture1->setLineWidth(CaptchaBorder);

    // The internet-registry organisation's logo beside the captcha, 152 x 73,
    // drawn by scripts/make-faces.
    initReportResources();
    QLabel *logo = PanelControls::label(this, "Image1", Twips::rect(6840, 5280, 2280, 1095), QString());
    logo->setPixmap(QPixmap(QStringLiteral(":/report/logo.png")));

    m_Label6 = textColour(caption(this, "Label6", corner(3600, 6480), ReportPage::Connecting, bold12), Blue);

    m_Command1 = PanelControls::skinned<Command>(this, "Command1", Twips::rect(720, 6960, 1335, 375));
    m_Command2 = PanelControls::skinned<Command>(this, "Command2", Twips::rect(2160, 6960, 1335, 375));
    m_Command3 = PanelControls::skinned<Command>(this, "Command3", Twips::rect(7920, 6960, 2415, 375));

    m_M3 = new PictureBox(PictureBox::Fit::SizeToPicture, this);
    m_M3->setObjectName(QStringLiteral("M3"));
    m_M3->setGeometry(Twips::rect(9740, 0, 690, 285));
    m_M3->setPicture(m_M30);

    // Below the client area: the report page is never seen.
    m_WebBrowser1 =
        makeBrowserView(&m_browsers, this, Twips::rect(9480, 8640, 135, 135), QStringLiteral("WebBrowser1"));
    m_submission = new ReportSubmission(*m_WebBrowser1, m_boxes,
                                        {this, [this](const QString &status) { showStatus(status); },
                                         [this] { Command2_Click(); },
                                         [this](const QImage &picture) { showCaptcha(picture); }},
                                        this);

    QWidget *order[] = {m_Check1[0], m_Check1[1], m_Check1[2], m_Check1[3],  m_Check1[4],  m_Check1[5],
                        m_Check1[6], m_Check1[7], m_Check1[8], m_Check1[9],  m_Check1[10], m_Check1[11],
                        m_Text3,     m_Command1,  m_Command2,  m_Command3,   m_Text1,      m_Text4,
                        m_Text5,     m_cmdT,      m_Text2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_Check1[0]->setFocus();

    connect(m_Command1, &Command::Click, this, &Form3::Command1_Click);
    connect(m_Command2, &Command::Click, this, &Form3::Command2_Click);
    connect(m_Command3, &Command::Click, this, &Form3::Command3_Click);
    connect(m_cmdT, &Command::Click, this, &Form3::cmdT_Click);
    connect(m_WebBrowser1, &BrowserView::documentComplete, this, &Form3::WebBrowser1_DocumentComplete);
    connect(m_WebT, &BrowserView::titleChanged, this, &Form3::WebT_TitleChange);
    connect(m_M3, &PictureBox::clicked, this, &Form3::M3_Click);
    connect(m_M3, &PictureBox::mousePressed, this, [this] { M3_MouseDown(); });
    connect(m_M3, &PictureBox::mouseMoved, this, [this] { M3_MouseMove(); });
}

void Form3::Form_Load()
{
    // A missing background leaves the white window colour; the start-up
    // checks have already complained about the file.
    m_background = QPixmap(m_folder.path(QStringLiteral("\\IMG\\JB.jpg")));
    update();
    m_Command1->setCaption(QStringLiteral("举报"));
    m_Command2->setCaption(QStringLiteral("清空"));
    m_Command3->setCaption(QStringLiteral("关闭举报页面"));
    m_cmdT->setCaption(QStringLiteral("获取网页标题"));
    // Both browser views are silent by make.
}

void Form3::Form_Activate()
{
    m_submission->loadPage();
}

bool Form3::ReportPending() const
{
    return m_submission->pending();
}

void Form3::showStatus(const QString &status)
{
    PanelControls::setAutoSized(m_Label6, status);
}

QString Form3::reasonText() const
{
    QString text = m_Text3->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void Form3::Command1_Click()
{
    // A report is on its way: this click neither checks nor sends anything.
    if (ReportPending())
        return;
    ReportForm::Fields fields{m_Text1->text(), m_Text2->text(), reasonText(), m_Text4->text(), m_Text5->text(), {}};
    for (int i = 0; i < CategoryCount; ++i)
        fields.categories[i] = m_Check1[i]->checkState();
    const ReportForm::Checked checked = ReportForm::check(fields);
    // The scheme put in front stays in the field, also when a later check
    // refuses the report.
    if (checked.address != m_Text2->text())
        m_Text2->setText(checked.address);
    if (const auto *refusal = std::get_if<ReportForm::Refusal>(&checked.outcome)) {
        m_boxes.show(refusal->icon, refusal->title, refusal->text, this);
        return;
    }
    m_submission->send(std::get<ReportSubmission::Report>(checked.outcome));
}

void Form3::WebBrowser1_DocumentComplete()
{
    m_submission->pageComplete();
}

void Form3::showCaptcha(const QImage &picture)
{
    const QSize border(2 * CaptchaBorder, 2 * CaptchaBorder);
    const QSize room = QSize(Twips::toPixels(CaptchaRoomWidth), Twips::toPixels(CaptchaRoomHeight)) - border;
    QPixmap pixmap = QPixmap::fromImage(picture);
    m_captchaSize = pixmap.size();
    // The box sizes itself to its picture, border included, as far as its
    // room goes; a picture larger than that is scaled down into it.
    if (pixmap.width() > room.width() || pixmap.height() > room.height())
        pixmap = pixmap.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_Picture1->setPixmap(pixmap);
    m_Picture1->resize(pixmap.size() + border);
    Picture1_Change();
}

void Form3::Picture1_Change()
{
    // An empty box keeps its size but shows no captcha to read: not ready.
    // The size that tells is the one the box would take for the picture as it
    // came, never one it was scaled to.
    const QSize border(2 * CaptchaBorder, 2 * CaptchaBorder);
    const bool ready = !m_Picture1->pixmap().isNull()
                       && m_captchaSize + border == QSize(Twips::toPixels(ReadyWidth), Twips::toPixels(ReadyHeight));
    showStatus(ready ? ReportPage::Connected : ReportPage::Connecting);
}

void Form3::cmdT_Click()
{
    if (m_Text2->text().size() < 4) {
        m_boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("数据录入错误"), QStringLiteral("请输入正确的网址！"),
                     this);
        return;
    }
    m_TitlePending = true;
    m_Text1->setText(QStringLiteral("正在获取网页标题......"));
    m_WebT->Navigate(m_Text2->text());
}

void Form3::WebT_TitleChange(const QString &title)
{
    if (!m_TitlePending || !ReportPage::isAcceptableTitle(title))
        return;
    m_TitlePending = false;
    m_Text1->setText(title);
    m_Text2->setText(m_WebT->currentUrl());
    m_WebT->Navigate(QStringLiteral("about:blank"));
    m_boxes.show(MessageBoxes::Icon::Information, QStringLiteral("获取完成"), QStringLiteral("获取网页标题完成！"), this);
}

void Form3::Command2_Click()
{
    m_Text1->setText(QString());
    m_Text2->setText(QString());
    m_Text3->setPlainText(QString());
    m_Text4->setText(QString());
    m_Text5->setText(QString());
    for (QCheckBox *box : m_Check1)
        box->setCheckState(Qt::Unchecked);
}

void Form3::Command3_Click()
{
    if (m_showMainWindow)
        m_showMainWindow();
    unload();
}

void Form3::M3_Click()
{
    m_M3->setPicture(m_M30);
    unload();
    if (m_showMainWindow)
        m_showMainWindow();
}

void Form3::M3_MouseDown()
{
    m_M3->setPicture(m_M32);
}

void Form3::M3_MouseMove()
{
    m_M3->setPicture(m_M31);
}

void Form3::unload()
{
    m_unloading = true;
    close();
}

void Form3::closeEvent(QCloseEvent *event)
{
    // Closed some other way (the desktop's close keys): the main window, which
    // the URL-safety tool may have hidden, must not stay out of sight.
    if (!m_unloading && m_showMainWindow)
        m_showMainWindow();
    QWidget::closeEvent(event);
}

void Form3::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_background.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

void Form3::mousePressEvent(QMouseEvent *event)
{
    if (!m_drag.press(*event))
        QWidget::mousePressEvent(event);
}

void Form3::mouseReleaseEvent(QMouseEvent *event)
{
    m_drag.release();
    QWidget::mouseReleaseEvent(event);
}

void Form3::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_drag.isSurfaceMove(*event))
        return QWidget::mouseMoveEvent(event);
    m_M3->setPicture(m_M30);
    m_Command1->setEnabled(true);
    m_Command2->setEnabled(true);
    m_Command3->setEnabled(true);
    m_cmdT->setEnabled(true);
    m_drag.follow(*event);
}

bool Form3::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the reason box takes the focus on to the e-mail box; the key
    // still goes into the reason.
    if (watched == m_Text3 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            m_Text4->setFocus();
    }
    return QWidget::eventFilter(watched, event);
}
