#include "Form1.h"

#include "AutoSizeLayout.h"
#include "BarcodeTool.h"
#include "FileDialog.h"
#include "FileTool.h"
#include "Fonts.h"
#include "HostCountTool.h"
#include "HostLookupTool.h"
#include "IdCardTool.h"
#include "IpTool.h"
#include "LabelsUnderControls.h"
#include "MobileTool.h"
#include "OutsidePageItems.h"
#include "PageRankTool.h"
#include "PostTool.h"
#include "ScreenPlace.h"
#include "TelephoneTool.h"
#include "TrafficRankTool.h"
#include "WhoisTool.h"

#include "Frm.h"
#include "PictureBox.h"
#include "ProgramEnd.h"
#include "ProgramIcon.h"
#include "ProgramVersion.h"
#include "ProgramWindowActivation.h"
#include "Tab.h"
#include "Twips.h"
#include "UrlSafetyTool.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QShowEvent>

static void loadMainWindowPictures()
{
    // The stored pictures live in this static library's resources; without
    // this call the linker may drop them.
    Q_INIT_RESOURCE(mainwindow);
}

namespace {

QPixmap stored(const char *name)
{
    return QPixmap(QStringLiteral(":/mainwindow/faces/") + QLatin1String(name) + QStringLiteral(".png"));
}

QLabel *transparentLabel(QWidget *parent, const char *name, const QRect &place)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText); // the location line comes from a page
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    return label;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QWidget *whiteFrame(QWidget *parent, const QString &name, const QRect &place)
{
    auto *frame = new QWidget(parent);
    frame->setObjectName(name);
    frame->setGeometry(place);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, Qt::white);
    frame->setPalette(palette);
    frame->setAutoFillBackground(true);
    frame->hide();
    return frame;
}

// The side-bar items: group, name, caption, and what a click does after the
// reset: show the panel, or, for the items that lead outside the program
// (no panel), call outside.
struct ItemRow {
    const char *group;
    const char *name;
    const char *caption;
    const char *panel;
    void (OutsidePageItems::*outside)() = nullptr;
};

const ItemRow Items[] = {
    {"frmCJ", "FrmSJ", "手机归属查询", "TabSJ"},
    {"frmCJ", "FrmIP", "IP地址查询", "TabIP"},
    {"frmCJ", "FrmSFZ", "身份证校验", "TabSFZ"},
    {"frmCJ", "FrmYM", "域名信息查询", "TabYM"},
    {"frmCJ", "FrmFile", "文件安全校验", "TabQM"},
    {"frmCJ", "FrmPost", "邮政编码查询", "TabPost"},
    {"frmZJ", "frmZhuJi", "主机位置查询", "TabZhuJi"},
    {"frmZJ", "frmRenQi", "网站流量排名查询", "TabRenQi"},
    {"frmZJ", "frmLiuXing", "网站流行度查询", "TabLiuXing"},
    {"frmZJ", "frmShuLiang", "网站主机数量查询", "TabShuLiang"},
    {"frmGJ", "frmICP", "网站ICP备案查询", "", &OutsidePageItems::frmICP_Click},
    {"frmGJ", "frmGongShang", "工商查询", "", &OutsidePageItems::frmGongShang_Click},
    {"frmGJ", "frmTel", "Email及固话查询", "TabTel"},
    {"frmGJ", "frmUSSafe", "网址安全云鉴定", "TabUS"},
    {"frmGJ", "frmTB", "淘宝店铺信用查询", "", &OutsidePageItems::frmTB_Click},
    {"frmGJ", "frmTXM", "商品条形码查询", "TabTXM"},
    {"frmGJ", "frmShui", "发票真伪查询", "", &OutsidePageItems::frmShui_Click},
};

const char *const Panels[] = {"TabSJ", "TabIP",  "TabSFZ", "TabYM", "TabZhuJi", "TabRenQi", "TabLiuXing",
                              "TabShuLiang", "TabTel", "TabUS", "TabQM", "TabTXM", "TabPost"};

} // namespace

Form1::Form1(PageFetcher &fetcher, MessageBoxes &boxes, ShellOpen &shell, const ProgramFolder &folder,
             BrowserFactory *browsers, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_folder(folder),
      m_context{fetcher, boxes, shell, m_state, nullptr, this, browsers},
      m_outside(std::make_unique<OutsidePageItems>(shell, boxes, folder, this)),
      m_endProgram(&EndProgramNow)
{
    loadMainWindowPictures();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString()); // no caption text
    setFixedSize(Twips::toPixels(12000), Twips::toPixels(8550));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(Fonts::ui(9));
    setWindowIcon(ProgramIcon());

    buildShell();
    buildMenu();
    buildNavigation();
    m_context.statusLine = m_Label1;
    m_fileDialog = std::make_unique<QtFileDialog>();
    createTools();
    LabelsUnderControls(this);

    m_activation = new ProgramWindowActivation(this);
    connect(m_activation, &ProgramWindowActivation::activated, this, &Form1::Form_Activate);

    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildShell()
{
    // Created bottom-most first: the background lies under everything.
    m_Image1 = new PictureBox(PictureBox::Fit::AsIs, this);
    m_Image1->setObjectName(QStringLiteral("Image1"));
    m_Image1->setGeometry(Twips::rect(0, 1560, 12000, 6990));
    m_Image1->setEnabled(false); // takes no mouse input

    m_Picture1 = new PictureBox(PictureBox::Fit::SizeToPicture, this);
    m_Picture1->setObjectName(QStringLiteral("Picture1"));
    m_Picture1->setGeometry(Twips::rect(0, 0, 12000, 1140));
    connect(m_Picture1, &PictureBox::mousePressed, this, &Form1::Picture1_MouseDown);
    connect(m_Picture1, &PictureBox::mouseMoved, this,
            [this](Qt::MouseButtons, QPointF position) { Picture1_MouseMove(position); });
    connect(m_Picture1, &PictureBox::mouseReleased, this, [this] { Picture1_MouseUp(); });

    m_M10 = stored("m1_normal");
    m_M11 = stored("m1_hover");
    m_M12 = stored("m1_pressed");
    m_M20 = stored("m2_normal");
    m_M21 = stored("m2_hover");
    m_M22 = stored("m2_pressed");
    m_M30 = stored("m3_normal");
    m_M31 = stored("m3_hover");
    m_M32 = stored("m3_pressed");

    auto titleButton = [this](const char *name, const QRect &place, const QPixmap &normal) {
        auto *button = new PictureBox(PictureBox::Fit::SizeToPicture, this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(place);
        button->setPicture(normal);
        return button;
    };
    m_M1 = titleButton("M1", Twips::rect(9720, 0, 555, 285), m_M10);
    m_M2 = titleButton("M2", Twips::rect(10260, 0, 525, 285), m_M20);
    m_M4 = titleButton("M4", Twips::rect(10800, 0, 495, 285), stored("m4"));
    m_M4->setEnabled(false); // the maximise button does nothing
    m_M3 = titleButton("M3", Twips::rect(11280, 0, 690, 285), m_M30);

    for (PictureBox *button : {m_M1, m_M2, m_M3}) {
        connect(button, &PictureBox::mouseMoved, this, [this, button] { titleButtonMoved(button); });
        connect(button, &PictureBox::mousePressed, this, [this, button] {
            button->setPicture(button == m_M1 ? m_M12 : button == m_M2 ? m_M22 : m_M32);
        });
    }
    connect(m_M1, &PictureBox::clicked, this, &Form1::M1_Click);
    connect(m_M2, &PictureBox::clicked, this, &Form1::M2_Click);
    connect(m_M3, &PictureBox::clicked, this, &Form1::M3_Click);

    auto *edgeLeft = new PictureBox(PictureBox::Fit::Stretch, this);
    edgeLeft->setObjectName(QStringLiteral("Image2(0)"));
    edgeLeft->setGeometry(Twips::rect(0, 1080, 90, 510));
    edgeLeft->setPicture(stored("edge_left"));
    auto *edgeRight = new PictureBox(PictureBox::Fit::Stretch, this);
    edgeRight->setObjectName(QStringLiteral("Image2(1)"));
    edgeRight->setGeometry(Twips::rect(11920, 1080, 90, 510));
    edgeRight->setPicture(stored("edge_right"));
    auto *banner = new PictureBox(PictureBox::Fit::Stretch, this);
    banner->setObjectName(QStringLiteral("Image3"));
    banner->setGeometry(Twips::rect(4920, 1080, 7080, 540));
    banner->setPicture(stored("banner"));
    // The tab strip's row begins a few pixels up inside the title picture's
    // height; the title lies over it, so the title shows whole and the strip
    // shows from the title's lower edge down.
    for (PictureBox *image : {edgeLeft, edgeRight, banner}) {
        image->setAttribute(Qt::WA_TransparentForMouseEvents);
        image->stackUnder(m_Picture1);
    }

    m_Label3 = transparentLabel(this, "Label3", Twips::rect(2880, 2160, 6570, 2295));
    m_Label3->setWordWrap(true);
    m_Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_Label3->setText(QStringLiteral(
        "Zavoz工作室成立于2004年，多年来专注网络安全与反欺诈研究，已帮助数十万网民识破网上骗局。\r\n"
        "网上购物怕上当吗？\r\n"
        "网上交友怕受骗吗？ \r\n"
        "怎么才能在网上安全地进行购物和交友呢？根据犯罪心理学，我们在分析了数万则网上受骗案例后，总结出一整套Orvan方法，"
        "经过整理后我们开发了此防骗工具软件---Orvalent。\r\n"
        "Orvalent是一套网上购物和网上交友的辅助软件，它集合了当前所有的网上鉴别功能，是迄今最为全面的网络鉴别工具，"
        "可以轻松鉴别出网站、网友的可信度。"));

    m_Label4 = transparentLabel(this, "Label4", Twips::rect(3960, 4560, 4560, 330));
    m_Label4->setFont(Fonts::ui(12, true));
    setTextColour(m_Label4, QColor(0, 128, 0));
    m_Label4->setText(QStringLiteral("适用类型：网上交易、购物、交友、游戏。"));

    m_Label1 = transparentLabel(this, "Label1", Twips::rect(120, 8220, 1080, 210));
    m_Label1->setFont(Fonts::verdana(9));
    m_Label1->setText(QStringLiteral("Orvalent"));

    m_Label2 = transparentLabel(this, "Label2", Twips::rect(9540, 8220, 2160, 210));
    m_Label2->setFont(Fonts::verdana(9));
    m_Label2->setText(QStringLiteral("已连接Valentor云数据中心"));
    m_Label2->setToolTip(QStringLiteral("获取地理位置信息有助于更好地为您选择更快的服务器"));

    // The status labels size themselves to their text, also when a tool or
    // the start-up window writes them in the middle of a blocking fetch.
    for (QLabel *label : {m_Label1, m_Label2, m_Label4})
        AutoSizeLayout::add(label);
}

void Form1::buildMenu()
{
    m_mnuMenu = new QMenu(QStringLiteral("菜单"), this);
    m_mnuMenu->setObjectName(QStringLiteral("mnuMenu"));
    auto entry = [this](const char *name, const QString &caption) {
        QAction *action = caption.isEmpty() ? m_mnuMenu->addSeparator() : m_mnuMenu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    entry("mnuX0", QString())->setVisible(false);
    connect(entry("mnuJB", QStringLiteral("举报恶意网站")), &QAction::triggered, this, &Form1::reportRequested);
    connect(entry("mnuLX", QStringLiteral("联系方式")), &QAction::triggered, this, [this] { m_outside->mnuLX_Click(); });
    entry("mnuX1", QString());
    connect(entry("mnuHelp", QStringLiteral("帮助")), &QAction::triggered, this, [this] { m_outside->mnuHelp_Click(); });
    connect(entry("mnuUpdate", QStringLiteral("检查更新")), &QAction::triggered, this, &Form1::updateRequested);
    connect(entry("mnuAbout", QStringLiteral("关于")), &QAction::triggered, this, &Form1::aboutRequested);
}

void Form1::buildNavigation()
{
    const struct {
        const char *name;
        int left;
        const char *caption;
    } tabs[] = {{"Tab1", 90, "初级鉴别"}, {"Tab2", 1770, "中级鉴别"}, {"Tab3", 3450, "高级鉴别"}, {"Tab4", 5130, "增值服务"}};
    for (const auto &row : tabs) {
        auto *tab = new Tab(this);
        tab->setObjectName(QLatin1String(row.name));
        tab->setGeometry(Twips::rect(row.left, 1125, 1695, 495));
        tab->stackUnder(m_Picture1); // see the tab strip's pictures
        tab->setCaption(QString::fromUtf8(row.caption));
        connect(tab, &Tab::Click, this, [this, tab] { tabClicked(tab); });
        m_tabs.append(tab);
        m_tabCaptions.append(QString::fromUtf8(row.caption));
    }

    for (const char *name : {"frmCJ", "frmZJ", "frmGJ"})
        m_groups.insert(QLatin1String(name),
                        whiteFrame(this, QLatin1String(name), Twips::rect(120, 1680, 2415, 6495)));

    QMap<QString, int> nextTop;
    for (const ItemRow &row : Items) {
        const QString groupName = QLatin1String(row.group);
        auto *item = new Frm(m_groups.value(groupName));
        item->setObjectName(QLatin1String(row.name));
        item->setGeometry(Twips::rect(0, nextTop.value(groupName), 2415, 735));
        nextTop[groupName] += 720;
        item->setCaption(QString::fromUtf8(row.caption));
        m_items.append(item);
        m_itemCaptions.append(QString::fromUtf8(row.caption));

        if (const auto outside = row.outside) {
            connect(item, &Frm::Click, this, [this, outside] { openOutside(outside); });
        } else {
            const QString panelName = QLatin1String(row.panel);
            connect(item, &Frm::Click, this, [this, panelName] { showPanelOf(panelName); });
        }
    }

    for (const char *name : Panels) {
        m_panels.insert(QLatin1String(name), whiteFrame(this, QLatin1String(name), Twips::rect(2640, 1680, 9255, 6375)));
        m_panelOrder.append(QLatin1String(name));
    }
}

// ---------------------------------------------------------------------------
// The tools: one line each, XxxTool(panel("TabXxx"), toolContext()).
// ---------------------------------------------------------------------------
void Form1::createTools()
{
    ToolContext &context = toolContext();
    new MobileTool(panel(QStringLiteral("TabSJ")), context);
    new IpTool(panel(QStringLiteral("TabIP")), context);
    new IdCardTool(panel(QStringLiteral("TabSFZ")), context);
    new WhoisTool(panel(QStringLiteral("TabYM")), context);
    new FileTool(panel(QStringLiteral("TabQM")), context, *m_fileDialog);
    new HostLookupTool(panel(QStringLiteral("TabZhuJi")), context);
    new TrafficRankTool(panel(QStringLiteral("TabRenQi")), context);
    new PageRankTool(panel(QStringLiteral("TabLiuXing")), context);
    new HostCountTool(panel(QStringLiteral("TabShuLiang")), context);
    new PostTool(panel(QStringLiteral("TabPost")), context);
    new TelephoneTool(panel(QStringLiteral("TabTel")), context);
    m_barcodeTool = new BarcodeTool(panel(QStringLiteral("TabTXM")), context);
    new UrlSafetyTool(panel(QStringLiteral("TabUS")), context,
                      [this](const QString &address) { emit reportRequestedFor(address); });
}

QWidget *Form1::panel(const QString &name) const
{
    return m_panels.value(name);
}

QWidget *Form1::group(const QString &name) const
{
    return m_groups.value(name);
}

Tab *Form1::tab(const QString &name) const
{
    for (Tab *tab : m_tabs)
        if (tab->objectName() == name)
            return tab;
    return nullptr;
}

Frm *Form1::item(const QString &name) const
{
    for (Frm *item : m_items)
        if (item->objectName() == name)
            return item;
    return nullptr;
}

BrowserView *Form1::WebTXM() const
{
    return m_barcodeTool->webTXM();
}

void Form1::setEndProgram(std::function<void()> endProgram)
{
    m_endProgram = std::move(endProgram);
}

void Form1::setStartupWindow(QWidget *startup)
{
    m_startup = startup;
}

// Missing pictures show nothing: the boxes keep their design places.
void Form1::Form_Load()
{
    m_Image1->setPicture(QPixmap(m_folder.path(QStringLiteral("\\IMG\\Main.jpg"))));
    m_Picture1->setPicture(QPixmap(m_folder.path(QStringLiteral("\\IMG\\Title.jpg"))));
    // The browsers are silent by the browser layer's own making.
    setTextColour(m_Label1, QColor(204, 233, 242));
    setTextColour(m_Label2, QColor(204, 233, 242));
}

void Form1::Form_Activate()
{
    if (m_startup) {
        m_startup->hide();
        m_startup->setVisible(false);
    }
    m_Label1->setText(ProductTitle());
    m_barcodeTool->loadRegistryForm();
}

void Form1::showEvent(QShowEvent *event)
{
    if (!m_shownOnce && !event->spontaneous()) {
        m_shownOnce = true;
        CentreOnScreen(this);
        activateWindow();
    }
    QWidget::showEvent(event);
}

// ---------------------------------------------------------------------------
// Title bar
// ---------------------------------------------------------------------------

// The buttons other than except get their normal pictures, in the order
// menu, minimise, close.
void Form1::setTitleButtons(PictureBox *except)
{
    if (except != m_M1)
        m_M1->setPicture(m_M10);
    if (except != m_M2)
        m_M2->setPicture(m_M20);
    if (except != m_M3)
        m_M3->setPicture(m_M30);
}

void Form1::titleButtonMoved(PictureBox *button)
{
    setTitleButtons(button);
    button->setPicture(button == m_M1 ? m_M11 : button == m_M2 ? m_M21 : m_M31);
}

void Form1::M1_Click()
{
    m_M1->setPicture(m_M10);
    m_mnuMenu->exec(QCursor::pos());
}

void Form1::M2_Click()
{
    m_M2->setPicture(m_M20);
    showMinimized();
}

void Form1::M3_Click()
{
    m_M3->setPicture(m_M30);
    m_endProgram();
}

void Form1::Picture1_MouseDown(Qt::MouseButton button, QPointF position)
{
    m_drag.press(button, position);
}

void Form1::Picture1_MouseMove(QPointF position)
{
    setTitleButtons(nullptr);
    // A place outside the 16-bit twips range is not applied.
    if (const auto to = m_drag.move(pos(), position))
        move(*to);
}

void Form1::Picture1_MouseUp()
{
    m_drag.release();
}

// ---------------------------------------------------------------------------
// Navigation
// ---------------------------------------------------------------------------

void Form1::ResetSideBar()
{
    for (int i = 0; i < m_items.size(); ++i)
        m_items[i]->setCaption(m_itemCaptions[i]);
    for (const QString &name : m_panelOrder)
        m_panels.value(name)->hide();
}

void Form1::tabClicked(Tab *clicked)
{
    ResetSideBar();
    for (int i = 0; i < m_tabs.size(); ++i)
        if (m_tabs[i] != clicked)
            m_tabs[i]->setCaption(m_tabCaptions[i]);
    const int index = m_tabs.indexOf(clicked);
    m_groups.value(QStringLiteral("frmCJ"))->setVisible(index == 0);
    m_groups.value(QStringLiteral("frmZJ"))->setVisible(index == 1);
    m_groups.value(QStringLiteral("frmGJ"))->setVisible(index == 2);
    if (index == 3)
        emit paidServicesRequested(); // the box is modeless: this returns at once
}

void Form1::showPanelOf(const QString &panelName)
{
    ResetSideBar();
    m_panels.value(panelName)->show();
}

void Form1::openOutside(void (OutsidePageItems::*open)())
{
    ResetSideBar();
    ((*m_outside).*open)();
}
