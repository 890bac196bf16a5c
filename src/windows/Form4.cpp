#include "Form4.h"

#include "Command.h"
#include "Endpoints.h"
#include "Fonts.h"
#include "LabelsUnderControls.h"
#include "MessageBoxes.h"
#include "PageFetcher.h"
#include "PageText.h"
#include "PanelControls.h"
#include "PictureBox.h"
#include "ProgramFolder.h"
#include "ProgramVersion.h"
#include "ScreenPlace.h"
#include "ShellOpen.h"
#include "Twips.h"
#include "VersionNotice.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>

Form4::Form4(PageFetcher &fetcher, MessageBoxes &boxes, ShellOpen &shell, const ProgramFolder &folder,
             const ClosePictures &closePictures, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_fetcher(fetcher), m_boxes(boxes), m_shell(shell),
      m_close(closePictures), m_folder(folder)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("在线升级"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixels(10500), Twips::toPixels(7665));
    setFont(Fonts::ui(9));
    setWindowIcon(QApplication::windowIcon());

    QLabel *label8 = PanelControls::introduction(
        this, "Label8", Twips::rect(240, 480, 9975, 855),
        QStringLiteral("    本软件定期会发布新版本，通常每个月都会有2-3次更新，新版本会修正旧版本的大量漏洞并更新服务器的查询接口，"
                       "如果不升级则很多功能不能正常使用，更新接口通常是机构、政府的网站，敬请谅解。如果有新版本会告知您，"
                       "您可以点击“下载新版本”到官方指定地点进行下载新版本。本软件针对个人、家庭用户永久免费，请谨慎任何收费行为。"));
    label8->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    PanelControls::caption(this, "Label1", Twips::rect(5400, 1320, 1470, 285), QStringLiteral("更新详细内容："),
                           Fonts::ui(10.5, true));

    m_image1 = new QLabel(this);
    m_image1->setTextFormat(Qt::PlainText);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(Twips::rect(120, 1560, 5160, 4080));
    m_image1->setScaledContents(true);

    m_text1 = new QPlainTextEdit(QStringLiteral("更新内容介绍"), this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setGeometry(Twips::rect(5400, 1680, 4935, 5055));
    m_text1->setReadOnly(true);
    m_text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    const QFont big = Fonts::ui(12, true);
    m_label4 = PanelControls::label(this, "Label4", Twips::rect(240, 5760, 1200, 330), QString(), big);
    m_label5 = PanelControls::label(this, "Label5", Twips::rect(240, 6120, 1200, 330), QString(), big);
    m_label2 = PanelControls::caption(this, "Label2", Twips::rect(120, 6480, 960, 330), QStringLiteral("准备就绪"), big);
    PanelControls::textColour(m_label2, QColor(0, 0, 255));

    m_command1 = PanelControls::skinned<Command>(this, "Command1", Twips::rect(840, 6960, 1695, 375));
    m_command2 = PanelControls::skinned<Command>(this, "Command2", Twips::rect(2760, 6960, 1695, 375));
    m_command3 = PanelControls::skinned<Command>(this, "Command3", Twips::rect(8280, 6960, 2055, 375));
    connect(m_command1, &Command::Click, this, &Form4::Command1_Click);
    connect(m_command2, &Command::Click, this, &Form4::Command2_Click);
    connect(m_command3, &Command::Click, this, &Form4::Command3_Click);

    m_m3 = new PictureBox(PictureBox::Fit::SizeToPicture, this);
    m_m3->setObjectName(QStringLiteral("M3"));
    m_m3->setGeometry(Twips::rect(9750, 0, 690, 285));
    m_m3->setPicture(m_close.normal);
    connect(m_m3, &PictureBox::mouseMoved, this, [this] { m_m3->setPicture(m_close.hover); });
    connect(m_m3, &PictureBox::mousePressed, this, [this] { m_m3->setPicture(m_close.pressed); });
    connect(m_m3, &PictureBox::clicked, this, [this] {
        m_m3->setPicture(m_close.normal);
        close();
    });

    setMouseTracking(true);
    Form_Load();
    LabelsUnderControls(this);
    CentreOnScreen(this);
}

void Form4::Form_Load()
{
    // A missing skin picture leaves the surface plain; the window still works.
    m_background.load(m_folder.path(QStringLiteral("\\IMG\\Set.jpg")));
    m_image1->setPixmap(QPixmap(m_folder.path(QStringLiteral("\\IMG\\Sector5.jpg"))));
    m_command1->setCaption(QStringLiteral("检查更新"));
    m_command2->setCaption(QStringLiteral("下载新版本"));
    m_command2->setEnabled(false);
    m_command3->setCaption(QStringLiteral("关闭更新页面"));
    PanelControls::setAutoSized(m_label4, QStringLiteral("本地版本：") + ProgramVersion);
    PanelControls::setAutoSized(m_label5, QStringLiteral("最新版本：点击“检查更新”获取"));
}

void Form4::Command1_Click()
{
    try {
        m_command1->setEnabled(false);
        PanelControls::setAutoSized(m_label2, QStringLiteral("正在连接到服务器..."));
        m_pageText = m_fetcher.fetchPageText(Endpoints::versionNotice());

        // The newest version stays when the update text cannot be cut.
        m_newestVersion = NoticeNewestVersionCut(m_pageText);
        m_text1->setPlainText(NoticeUpdateText(m_pageText));

        PanelControls::setAutoSized(m_label5, QStringLiteral("最新版本：") + m_newestVersion);
        if (IsNewerVersion(m_newestVersion, ProgramVersion)) {
            m_command2->setEnabled(true);
            m_boxes.show(MessageBoxes::Icon::Information, QStringLiteral("检测结果"),
                         QStringLiteral("检测到新版本，请下载新版本！"), this);
        } else {
            PanelControls::setAutoSized(m_label2, QStringLiteral("您的版本是最新版本，无需升级！"));
            m_command1->setEnabled(true);
            m_boxes.show(MessageBoxes::Icon::Information, QStringLiteral("检测结果"),
                         QStringLiteral("您使用的是最新版本！"), this);
        }
    } catch (const std::exception &) {
        m_boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"), QStringLiteral("检查更新失败！"), this);
        PanelControls::setAutoSized(m_label2, QStringLiteral("检查更新失败"));
        m_command1->setEnabled(true);
    }
}

void Form4::Command2_Click()
{
    m_shell.open(Endpoints::downloadPage());
}

void Form4::Command3_Click()
{
    close();
}

void Form4::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_background.isNull())
        painter.drawPixmap(0, 0, m_background);
}

// The surface only: a label or the picture keeps its own presses and moves.
void Form4::mousePressEvent(QMouseEvent *event)
{
    if (!m_drag.press(*event))
        QWidget::mousePressEvent(event);
}

void Form4::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_drag.isSurfaceMove(*event))
        return QWidget::mouseMoveEvent(event);
    m_drag.follow(*event);
    m_m3->setPicture(m_close.normal);
}

void Form4::mouseReleaseEvent(QMouseEvent *event)
{
    m_drag.release();
    QWidget::mouseReleaseEvent(event);
}
