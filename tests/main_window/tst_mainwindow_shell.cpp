// The main window's shell driven through its real widgets: layout, pictures,
// title-bar buttons, the popup menu, dragging, activation and the help entry.

#include "MainWindowFixture.h"

#include "Endpoints.h"
#include "Frm.h"
#include "LabelStacking.h"
#include "PictureBox.h"
#include "ProgramVersion.h"
#include "Screenshots.h"
#include "Tab.h"
#include "ToolPanelRig.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

PictureBox *box(Form1 &form, const char *name)
{
    return form.findChild<PictureBox *>(QLatin1String(name));
}

QImage storedPicture(const QString &name)
{
    return QImage(QStringLiteral(":/mainwindow/faces/") + name + QStringLiteral(".png"));
}

// n, h or p for each of the menu, minimise and close buttons.
QString titleLooks(Form1 &form)
{
    QString looks;
    int index = 1;
    for (const char *name : {"M1", "M2", "M3"}) {
        const QImage shown = box(form, name)->picture().toImage();
        const QString prefix = QStringLiteral("m%1_").arg(index++);
        if (shown == storedPicture(prefix + "normal"))
            looks += 'n';
        else if (shown == storedPicture(prefix + "hover"))
            looks += 'h';
        else if (shown == storedPicture(prefix + "pressed"))
            looks += 'p';
        else
            looks += '?';
    }
    return looks;
}

// Moves the pointer (no button held) onto a widget through the platform, so
// the window finds the widget under it. It goes through a neighbouring point
// first: the platform sends nothing for a move to where the pointer already is.
void hover(QWidget *widget, QPoint pos)
{
    QTest::mouseMove(widget, pos + QPoint(1, 0));
    QTest::mouseMove(widget, pos);
}

// Shows a window and gives it the focus, as a window manager would.
void showAndWait(QWidget &window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(QApplication::activeWindow(), &window);
}

} // namespace

class TstForm1Shell : public QObject
{
    Q_OBJECT

private slots:
    void windowProperties();
    void layout_data();
    void layout();
    void pictures();
    void missingPicturesShowNothing();
    void texts();
    void statusLabelsSizeThemselves_data();
    void statusLabelsSizeThemselves();
    void statusLineWholeWhileAFetchBlocks();
    void labelsLieUnderBoxesAndButtons_data();
    void labelsLieUnderBoxesAndButtons();
    void titleButtonSequences_data();
    void titleButtonSequences();
    void closeButton_data();
    void closeButton();
    void minimiseButton();
    void menuButtonPopsUpTheMenu();
    void drag_data();
    void drag();
    void firstShow();
    void activation_data();
    void activation();
    void activationWithoutBrowsers();
    void help_data();
    void help();
    void menuEntries_data();
    void menuEntries();
    void toolContext();
    void inputBoxesStayWhite_data();
    void inputBoxesStayWhite();
    void screenshots();
};

void TstForm1Shell::windowProperties()
{
    MainWindowFixture f({});
    Form1 &form = *f.form;
    QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(form.isWindow());
    QCOMPARE(form.size(), QSize(800, 570));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(form.font().family(), QStringLiteral("微软雅黑"));
    QCOMPARE(form.font().pointSize(), 9);
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(form.windowIcon().availableSizes().value(0), QSize(32, 32));
    QVERIFY(form.windowTitle().isEmpty());
}

void TstForm1Shell::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("sizeFixed"); // false: the control sizes itself to its text
    QTest::newRow("Picture1") << "Picture1" << QRect(0, 0, 12000, 1140) << true;
    QTest::newRow("M1") << "M1" << QRect(9720, 0, 555, 285) << true;
    QTest::newRow("M2") << "M2" << QRect(10260, 0, 525, 285) << true;
    QTest::newRow("M4") << "M4" << QRect(10800, 0, 495, 285) << true;
    QTest::newRow("M3") << "M3" << QRect(11280, 0, 690, 285) << true;
    QTest::newRow("Image2(0)") << "Image2(0)" << QRect(0, 1080, 90, 510) << true;
    QTest::newRow("Image2(1)") << "Image2(1)" << QRect(11920, 1080, 90, 510) << true;
    QTest::newRow("Image3") << "Image3" << QRect(4920, 1080, 7080, 540) << true;
    QTest::newRow("Image1") << "Image1" << QRect(0, 1560, 12000, 6990) << true;
    QTest::newRow("Label3") << "Label3" << QRect(2880, 2160, 6570, 2295) << true;
    QTest::newRow("Label4") << "Label4" << QRect(3960, 4560, 4560, 330) << false;
    QTest::newRow("Label1") << "Label1" << QRect(120, 8220, 1080, 210) << false;
    QTest::newRow("Label2") << "Label2" << QRect(9540, 8220, 2160, 210) << false;
}

void TstForm1Shell::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(bool, sizeFixed);
    MainWindowFixture f({});
    QWidget *w = f.form->findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(w->parentWidget(), f.form.get());
    const QRect expected = Twips::rect(twips.x(), twips.y(), twips.width(), twips.height());
    if (sizeFixed)
        QCOMPARE(w->geometry(), expected);
    else
        QCOMPARE(w->pos(), expected.topLeft());
}

void TstForm1Shell::pictures()
{
    MainWindowFixture f({});
    Form1 &form = *f.form;
    // The run-time pictures come from the program folder.
    QCOMPARE(box(form, "Picture1")->picture().toImage(),
             QImage(f.dir.path() + "/IMG/Title.jpg").convertToFormat(box(form, "Picture1")->picture().toImage().format()));
    QCOMPARE(box(form, "Image1")->picture().size(), QSize(800, 466));
    QVERIFY(!box(form, "Image1")->isEnabled());
    QVERIFY(!box(form, "M4")->isEnabled());
    // The stored pictures at their sizes; the close button's three differ.
    QCOMPARE(form.M30().size(), QSize(46, 19));
    QCOMPARE(form.M31().size(), QSize(46, 19));
    QCOMPARE(form.M32().size(), QSize(46, 19));
    QVERIFY(form.M30().toImage() != form.M31().toImage());
    QVERIFY(form.M31().toImage() != form.M32().toImage());
    QCOMPARE(box(form, "M1")->picture().size(), QSize(37, 19));
    QCOMPARE(box(form, "M2")->picture().size(), QSize(35, 19));
    QCOMPARE(box(form, "M4")->picture().size(), QSize(33, 19));
    QCOMPARE(box(form, "Image2(0)")->picture().size(), QSize(6, 34));
    QCOMPARE(box(form, "Image3")->picture().size(), QSize(472, 34));
    QCOMPARE(titleLooks(form), QStringLiteral("nnn"));
    // A disabled picture still shows its picture plainly.
    const QImage shot = box(form, "M4")->grab().toImage();
    QCOMPARE(QColor(shot.pixel(20, 2)), QColor(box(form, "M4")->picture().toImage().pixel(20, 2)));
}

void TstForm1Shell::missingPicturesShowNothing()
{
    MainWindowFixture f({.pictures = false});
    Form1 &form = *f.form;
    QVERIFY(box(form, "Picture1")->picture().isNull());
    QVERIFY(box(form, "Image1")->picture().isNull());
    QCOMPARE(box(form, "Picture1")->geometry(), Twips::rect(0, 0, 12000, 1140));
    showAndWait(form);
    QVERIFY(!form.grab().isNull());
    // The title area still drags the window.
    form.move(100, 60);
    QTest::mousePress(box(form, "Picture1"), Qt::LeftButton, {}, QPoint(20, 30));
    QTest::mouseMove(box(form, "Picture1"), QPoint(28, 32));
    QCOMPARE(form.pos(), QPoint(108, 62));
    QTest::mouseRelease(box(form, "Picture1"), Qt::LeftButton, {}, QPoint(20, 30));
}

void TstForm1Shell::texts()
{
    MainWindowFixture f({});
    Form1 &form = *f.form;
    QCOMPARE(form.Label1()->text(), QStringLiteral("Orvalent"));
    QCOMPARE(form.Label2()->text(), QStringLiteral("已连接Valentor云数据中心"));
    QCOMPARE(form.Label2()->toolTip(), QStringLiteral("获取地理位置信息有助于更好地为您选择更快的服务器"));
    for (QLabel *label : {form.Label1(), form.Label2()}) {
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(204, 233, 242));
        QCOMPARE(label->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(label->font().pointSize(), 9);
        QCOMPARE(label->font().styleHint(), QFont::SansSerif);
    }
    auto *label4 = form.findChild<QLabel *>(QStringLiteral("Label4"));
    QCOMPARE(label4->text(), QStringLiteral("适用类型：网上交易、购物、交友、游戏。"));
    QCOMPARE(label4->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    QCOMPARE(label4->font().pointSize(), 12);
    QVERIFY(label4->font().bold());
    const QStringList lines = form.findChild<QLabel *>(QStringLiteral("Label3"))->text().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 5);
    QVERIFY(!lines[0].isEmpty());
    QCOMPARE(lines[1], QStringLiteral("网上购物怕上当吗？"));
    QCOMPARE(lines[2], QStringLiteral("网上交友怕受骗吗？ "));
    QCOMPARE(lines[3], QStringLiteral("怎么才能在网上安全地进行购物和交友呢？根据犯罪心理学，我们在分析了数万则网上受骗案例后，"
                                      "总结出一整套Orvan方法，经过整理后我们开发了此防骗工具软件---Orvalent。"));
    QCOMPARE(lines[4], QStringLiteral("Orvalent是一套网上购物和网上交友的辅助软件，它集合了当前所有的网上鉴别功能，"
                                      "是迄今最为全面的网络鉴别工具，可以轻松鉴别出网站、网友的可信度。"));
}

void TstForm1Shell::statusLabelsSizeThemselves_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("corner"); // twips
    QTest::addColumn<QString>("text");
    QTest::newRow("status line") << "Label1" << QPoint(120, 8220) << "正在查询手机号归属地中...";
    QTest::newRow("location line") << "Label2" << QPoint(9540, 8220) << "已连接Valentor云数据中心：北京市 电信";
}

void TstForm1Shell::statusLabelsSizeThemselves()
{
    QFETCH(QString, name);
    QFETCH(QPoint, corner);
    QFETCH(QString, text);
    MainWindowFixture f({});
    Form1 &form = *f.form;
    showAndWait(form);
    auto *label = form.findChild<QLabel *>(name);
    QVERIFY(label);
    const int needed = QFontMetrics(label->font()).horizontalAdvance(text);
    QVERIFY(label->width() < needed);
    // Written from outside (the start-up window, a tool), not through the
    // window, and looked at before any event is processed: the blocking
    // fetches that follow such a text run no layout pass.
    label->setText(text);
    QVERIFY2(label->width() >= needed, qPrintable(QStringLiteral("%1 px of %2").arg(label->width()).arg(needed)));
    QCOMPARE(label->pos(), Twips::rect(corner.x(), corner.y(), 0, 0).topLeft());
    label->setText(ProductTitle());
    QVERIFY(label->width() < needed);
}

void TstForm1Shell::statusLineWholeWhileAFetchBlocks()
{
    StandinFixture standin;
    RecordingFatalEnd fatal;
    WatchedFetcher fetcher{fatal};
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    QTemporaryDir folder;
    Form1 form(fetcher, boxes, shell, ProgramFolder(folder.path()), nullptr);
    form.setEndProgram([] {});
    showAndWait(form);
    QLabel *status = form.Label1();
    QString shown;
    int width = 0;
    fetcher.whileFetching = [&] {
        shown = status->text();
        width = status->width();
    };

    QTest::mouseClick(form.item(QStringLiteral("FrmSJ"))->findChild<QWidget *>(QStringLiteral("M")), Qt::LeftButton,
                      {}, QPoint(3, 3));
    QWidget *panel = form.panel(QStringLiteral("TabSJ"));
    QVERIFY(panel->isVisible());
    panel->findChild<QLineEdit *>(QStringLiteral("txtShouJi"))->setText(QStringLiteral("13800138000"));
    QTest::mouseClick(panel->findChild<QPushButton *>(QStringLiteral("cmdShouJiChaXun")), Qt::LeftButton);

    QCOMPARE(fetcher.urls.size(), 1);
    QCOMPARE(shown, QStringLiteral("正在查询手机号归属地中..."));
    const int needed = QFontMetrics(status->font()).horizontalAdvance(shown);
    QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 px of %2").arg(width).arg(needed)));
    QCOMPARE(status->text(), ProductTitle());
    QCOMPARE(fatal.count, 0);
}

void TstForm1Shell::labelsLieUnderBoxesAndButtons_data()
{
    QTest::addColumn<QString>("panel"); // empty: the window's own children
    QTest::addColumn<QString>("mustLieUnder"); // a pair that overlaps on this panel, if any
    QTest::newRow("Form1") << "" << "";
    // The IP panel's explanation is made after the address box and reaches
    // into its top pixel row.
    for (const char *name : {"TabSJ", "TabIP", "TabSFZ", "TabYM", "TabZhuJi", "TabRenQi", "TabLiuXing",
                             "TabShuLiang", "TabTel", "TabUS", "TabQM", "TabTXM", "TabPost"})
        QTest::newRow(name) << name << (qstrcmp(name, "TabIP") == 0 ? "lblIPJieShao under txtIP" : "");
}

void TstForm1Shell::labelsLieUnderBoxesAndButtons()
{
    QFETCH(QString, panel);
    QFETCH(QString, mustLieUnder);
    MainWindowFixture f({});
    Form1 &form = *f.form;
    QWidget *root = panel.isEmpty() ? static_cast<QWidget *>(&form) : form.panel(panel);
    QVERIFY(root);
    // The window's own labels only: the panels have their rows.
    const LabelStacking stacking = labelStacking(root, panel.isEmpty() ? Qt::FindDirectChildrenOnly
                                                                       : Qt::FindChildrenRecursively);
    QVERIFY2(stacking.labelsAbove.isEmpty(), qPrintable(stacking.labelsAbove.join(QStringLiteral(", "))));
    if (!mustLieUnder.isEmpty())
        QVERIFY2(stacking.labelsBelow.contains(mustLieUnder), qPrintable(stacking.labelsBelow.join(", ")));
}

void TstForm1Shell::titleButtonSequences_data()
{
    // Steps: "move:X" (no button held), "press:X:left|right"; the looks of
    // menu, minimise and close after each step.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("looks");
    QTest::newRow("menu, then close, then the title picture")
        << QStringList{"move:M1", "move:M3", "move:Picture1"} << QStringList{"hnn", "nnh", "nnn"};
    QTest::newRow("minimise, then menu") << QStringList{"move:M2", "move:M1"} << QStringList{"nhn", "hnn"};
    QTest::newRow("a press shows pressed, with any button")
        << QStringList{"press:M2:left", "move:M1", "press:M3:right"} << QStringList{"npn", "hnn", "hnp"};
    QTest::newRow("leaving by the window body keeps the hover")
        << QStringList{"move:M3", "move:Image1", "move:M4"} << QStringList{"nnh", "nnh", "nnh"};
}

void TstForm1Shell::titleButtonSequences()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, looks);
    MainWindowFixture f({});
    Form1 &form = *f.form;
    showAndWait(form);
    for (int i = 0; i < steps.size(); ++i) {
        const QStringList parts = steps[i].split(':');
        QWidget *target = form.findChild<QWidget *>(parts[1]);
        QVERIFY(target);
        if (parts[0] == "move") {
            hover(target, QPoint(5, 5));
        } else {
            const Qt::MouseButton button = parts[2] == "left" ? Qt::LeftButton : Qt::RightButton;
            QTest::mousePress(target, button, {}, QPoint(5, 5));
            QTest::mouseRelease(target, button, {}, QPoint(-30, 40)); // released off the button: no click
        }
        QCOMPARE(titleLooks(form), looks[i]);
    }
    QCOMPARE(f.ended, 0);
}

void TstForm1Shell::closeButton_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("releaseAt"); // in the close button's coordinates
    QTest::addColumn<int>("ended");
    QTest::addColumn<QString>("looksAfter");
    QTest::newRow("released over it ends the program") << int(Qt::LeftButton) << QPoint(10, 10) << 1 << "nnn";
    QTest::newRow("released elsewhere does not") << int(Qt::LeftButton) << QPoint(-200, 300) << 0 << "nnp";
    QTest::newRow("right click does not") << int(Qt::RightButton) << QPoint(10, 10) << 0 << "nnp";
}

void TstForm1Shell::closeButton()
{
    QFETCH(int, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, ended);
    QFETCH(QString, looksAfter);
    MainWindowFixture f({});
    Form1 &form = *f.form;
    showAndWait(form);
    PictureBox *m3 = box(form, "M3");
    QTest::mousePress(m3, Qt::MouseButton(button), {}, QPoint(10, 10));
    QCOMPARE(titleLooks(form), QStringLiteral("nnp"));
    // The release goes to the pressed button wherever the pointer is.
    QTest::mouseRelease(m3, Qt::MouseButton(button), {}, releaseAt);
    QCOMPARE(f.ended, ended);
    QCOMPARE(titleLooks(form), looksAfter);
    QVERIFY(form.isVisible());
    if (ended == 0) {
        hover(box(form, "Picture1"), QPoint(100, 40));
        QCOMPARE(titleLooks(form), QStringLiteral("nnn"));
    }
}

void TstForm1Shell::minimiseButton()
{
    MainWindowFixture f({});
    Form1 &form = *f.form;
    showAndWait(form);
    hover(box(form, "M2"), QPoint(5, 5));
    QTest::mouseClick(box(form, "M2"), Qt::LeftButton, {}, QPoint(5, 5));
    QTRY_VERIFY(form.isMinimized());
    QCOMPARE(titleLooks(form), QStringLiteral("nnn"));
    QCOMPARE(f.ended, 0);
}

void TstForm1Shell::menuButtonPopsUpTheMenu()
{
    MainWindowFixture f({});
    Form1 &form = *f.form;
    showAndWait(form);
    QStringList visibleEntries;
    QString hiddenEntries;
    QString looksWhileOpen;
    bool popped = false;
    // Once the menu is up, look at it and close it, as the user would.
    connect(form.mnuMenu(), &QMenu::aboutToShow, this, [&] {
        QTimer::singleShot(0, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            popped = menu && menu == form.mnuMenu();
            looksWhileOpen = titleLooks(form);
            form.mnuMenu()->close();
        });
    });
    hover(box(form, "M1"), QPoint(5, 5));
    QTest::mouseClick(box(form, "M1"), Qt::LeftButton, {}, QPoint(5, 5)); // returns when the menu closes
    QVERIFY(popped);
    QCOMPARE(looksWhileOpen, QStringLiteral("nnn"));
    QCOMPARE(form.mnuMenu()->title(), QStringLiteral("菜单"));
    QStringList entries;
    for (QAction *action : form.mnuMenu()->actions())
        entries << QStringLiteral("%1%2%3").arg(action->objectName(), action->isVisible() ? "" : "(hidden)",
                                              action->isSeparator() ? "" : ":" + action->text());
    QCOMPARE(entries, (QStringList{"mnuX0(hidden)", "mnuJB:举报恶意网站", "mnuLX:联系方式", "mnuX1", "mnuHelp:帮助",
                                   "mnuUpdate:检查更新", "mnuAbout:关于"}));
}

void TstForm1Shell::drag_data()
{
    // Pixels: 15 twips each. The worked example: press at (300, 450) twips
    // with the window at (1500, 900), move to (420, 480) -> (1620, 930).
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("windowAt");
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<QList<QPoint>>("moves");
    QTest::addColumn<QList<QPoint>>("windowAfterEach");
    QTest::newRow("the worked example") << int(Qt::LeftButton) << QPoint(100, 60) << QPoint(20, 30)
                                        << QList<QPoint>{{28, 32}} << QList<QPoint>{{108, 62}};
    QTest::newRow("right button starts no drag") << int(Qt::RightButton) << QPoint(100, 60) << QPoint(20, 30)
                                                 << QList<QPoint>{{28, 32}} << QList<QPoint>{{100, 60}};
    // With the window at 1500 twips and the press 15 twips in, a pointer
    // 2100 px (31500 twips) to the right (another monitor) would put the
    // window at 32985, past 32767: refused, and the drag goes on; 1700 px
    // gives 26985 (1799 px) and is applied.
    QTest::newRow("a place off the 16-bit range is refused")
        << int(Qt::LeftButton) << QPoint(100, 60) << QPoint(1, 1) << QList<QPoint>{{2100, 1}, {1700, 1}}
        << QList<QPoint>{{100, 60}, {1799, 60}};
    QTest::newRow("a place below -32768 is refused")
        << int(Qt::LeftButton) << QPoint(100, 60) << QPoint(1, 1) << QList<QPoint>{{1, -2300}, {1, -10}}
        << QList<QPoint>{{100, 60}, {100, 49}};
}

void TstForm1Shell::drag()
{
    QFETCH(int, button);
    QFETCH(QPoint, windowAt);
    QFETCH(QPoint, pressAt);
    QFETCH(QList<QPoint>, moves);
    QFETCH(QList<QPoint>, windowAfterEach);
    MainWindowFixture f({});
    Form1 &form = *f.form;
    showAndWait(form);
    form.move(windowAt);
    QCOMPARE(form.pos(), windowAt);
    PictureBox *title = box(form, "Picture1");
    hover(box(form, "M3"), QPoint(5, 5));
    QTest::mousePress(title, Qt::MouseButton(button), {}, pressAt);
    for (int i = 0; i < moves.size(); ++i) {
        QTest::mouseMove(title, moves[i]);
        QCOMPARE(form.pos(), windowAfterEach[i]);
        QCOMPARE(titleLooks(form), QStringLiteral("nnn"));
    }
    // After the release the window stays where it is.
    const QPoint at = form.pos();
    QTest::mouseRelease(title, Qt::MouseButton(button), {}, moves.last());
    hover(title, moves.last() + QPoint(30, 5));
    QCOMPARE(form.pos(), at);
}

void TstForm1Shell::firstShow()
{
    MainWindowFixture f({});
    Form1 &form = *f.form;
    QWidget startup;
    startup.resize(300, 200);
    showAndWait(startup);
    form.setStartupWindow(&startup);
    QCOMPARE(form.Label1()->text(), QStringLiteral("Orvalent")); // the design text until the first activation
    RecordingBrowserView *txm = f.browsers.view(QStringLiteral("WebTXM"));
    QVERIFY(txm);
    QVERIFY(txm->navigations.isEmpty());
    showAndWait(form);
    QCOMPARE(form.Label1()->text(), ProductTitle());
    QCOMPARE(txm->navigations, QStringList{Endpoints::barcodeForm()});
    QCOMPARE(txm->navigations[0], QStringLiteral("http://") + Endpoints::BarcodeHost
                                      + QStringLiteral("/Service/tools_09/external-barcode.aspx"));
    QVERIFY(!startup.isVisible());
    // Centred on the screen.
    const QRect screen = form.screen()->availableGeometry();
    QVERIFY(qAbs(form.geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(form.geometry().center().y() - screen.center().y()) <= 1);
}

void TstForm1Shell::activation_data()
{
    QTest::addColumn<QString>("awayTo");
    QTest::addColumn<bool>("activates");
    QTest::newRow("another window of the program") << "window" << true;
    QTest::newRow("a window of the program that is closed and deleted") << "deleted window" << true;
    QTest::newRow("another application") << "application" << false;
    QTest::newRow("a message box") << "message box" << false;
}

void TstForm1Shell::activation()
{
    QFETCH(QString, awayTo);
    QFETCH(bool, activates);
    MainWindowFixture f({});
    Form1 &form = *f.form;
    showAndWait(form);
    RecordingBrowserView *txm = f.browsers.view(QStringLiteral("WebTXM"));
    QCOMPARE(txm->navigations.size(), 1);
    form.Label1()->setText(QStringLiteral("查询完毕"));

    if (awayTo == "window" || awayTo == "deleted window") {
        auto *about = new QWidget;
        about->resize(200, 100);
        showAndWait(*about);
        QCOMPARE(txm->navigations.size(), 1);
        if (awayTo == "deleted window") {
            delete about; // closing the about box hands the activation back
            about = nullptr;
        }
        form.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &form);
        delete about;
    } else if (awayTo == "application") {
        // What the platform does when the user clicks another program's
        // window: the program loses its active window; coming back gives it
        // to this window again.
        QApplication::setActiveWindow(nullptr);
        QVERIFY(!QApplication::activeWindow());
        QApplication::setActiveWindow(&form);
        QCOMPARE(QApplication::activeWindow(), &form);
    } else {
        QMessageBox message(QMessageBox::Information, QStringLiteral("提示"), QStringLiteral("x"), QMessageBox::Ok, &form);
        showAndWait(message);
        message.hide();
        form.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &form);
    }
    if (activates) {
        QCOMPARE(form.Label1()->text(), ProductTitle());
        QCOMPARE(txm->navigations, (QStringList{Endpoints::barcodeForm(), Endpoints::barcodeForm()}));
    } else {
        QCOMPARE(form.Label1()->text(), QStringLiteral("查询完毕"));
        QCOMPARE(txm->navigations.size(), 1);
    }
}

void TstForm1Shell::activationWithoutBrowsers()
{
    MainWindowFixture f({}, /*withBrowsers=*/false);
    Form1 &form = *f.form;
    QVERIFY(!form.WebTXM());
    showAndWait(form);
    QCOMPARE(form.Label1()->text(), ProductTitle());
}

void TstForm1Shell::help_data()
{
    QTest::addColumn<bool>("manualPresent");
    QTest::newRow("manual missing") << false;
    QTest::newRow("manual present") << true;
}

void TstForm1Shell::help()
{
    QFETCH(bool, manualPresent);
    MainWindowFixture f({.manual = manualPresent});
    Form1 &form = *f.form;
    QStringList openedWhileBox;
    f.boxes.onShow = [&](const RecordedBox &) { openedWhileBox = f.shell.opened; };
    form.mnuMenu()->findChild<QAction *>(QStringLiteral("mnuHelp"))->trigger();
    const QString manual = f.dir.path() + QStringLiteral("/使用说明书.pdf");
    QCOMPARE(f.shell.opened, QStringList{manual});
    if (manualPresent) {
        QVERIFY(f.boxes.boxes.isEmpty());
    } else {
        QCOMPARE(f.boxes.boxes.size(), 1);
        QCOMPARE(f.boxes.boxes[0].icon, MessageBoxes::Icon::Critical);
        QCOMPARE(f.boxes.boxes[0].title, QStringLiteral("错误"));
        QCOMPARE(f.boxes.boxes[0].text,
                 QStringLiteral("您好！找不到帮助文件，您可能是盗版软件受害者，建议您重新从指定下载点下载本程序！"));
        QVERIFY(openedWhileBox.isEmpty()); // the box first, then the open request
    }
    QCOMPARE(f.ended, 0);
}

void TstForm1Shell::menuEntries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("signal"); // empty: none of the window signals
    QTest::addColumn<QString>("boxTitle");
    QTest::newRow("report") << "mnuJB" << "report" << "";
    QTest::newRow("contact") << "mnuLX" << "" << "联系方式";
    QTest::newRow("update") << "mnuUpdate" << "update" << "";
    QTest::newRow("about") << "mnuAbout" << "about" << "";
}

void TstForm1Shell::menuEntries()
{
    QFETCH(QString, entry);
    QFETCH(QString, signal);
    QFETCH(QString, boxTitle);
    MainWindowFixture f({});
    Form1 &form = *f.form;
    QSignalSpy report(&form, &Form1::reportRequested);
    QSignalSpy update(&form, &Form1::updateRequested);
    QSignalSpy about(&form, &Form1::aboutRequested);
    QSignalSpy paid(&form, &Form1::paidServicesRequested);
    form.mnuMenu()->findChild<QAction *>(entry)->trigger();
    QCOMPARE(report.count(), signal == "report" ? 1 : 0);
    QCOMPARE(update.count(), signal == "update" ? 1 : 0);
    QCOMPARE(about.count(), signal == "about" ? 1 : 0);
    QCOMPARE(paid.count(), 0);
    if (boxTitle.isEmpty()) {
        QVERIFY(f.boxes.boxes.isEmpty());
    } else {
        QCOMPARE(f.boxes.boxes.size(), 1);
        QCOMPARE(f.boxes.boxes[0].icon, MessageBoxes::Icon::Information);
        QCOMPARE(f.boxes.boxes[0].title, boxTitle);
        QVERIFY(f.boxes.boxes[0].text.contains(Endpoints::SupportEmail));
    }
}

void TstForm1Shell::inputBoxesStayWhite_data()
{
    QTest::addColumn<QString>("box");
    for (const char *name : {"txtIP", "txtShouJi", "txtSFZ", "txtYuMing", "txtRenQi", "txtLiuXing", "txtPost"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// A tool disables its input box while it works; the box stays white.
void TstForm1Shell::inputBoxesStayWhite()
{
    QFETCH(QString, box);
    MainWindowFixture f({});
    auto *input = f.form->findChild<QLineEdit *>(box);
    QVERIFY(input);
    input->setEnabled(false);
    const QImage shown = input->grab().toImage();
    QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::white));
}

void TstForm1Shell::toolContext()
{
    MainWindowFixture f({});
    Form1 &form = *f.form;
    ToolContext &context = form.toolContext();
    QCOMPARE(context.statusLine, form.Label1());
    QCOMPARE(context.window, &form);
    QCOMPARE(context.browsers, &f.browsers);
    QCOMPARE(&context.state, &form.state());
    QCOMPARE(&context.boxes, &f.boxes);
    QCOMPARE(&context.shell, &f.shell);
    QCOMPARE(&context.fetcher, &f.fetcher);
    QVERIFY(!form.state().BarcodePending && !form.state().TelPending && !form.state().SafetyPending
            && !form.state().PostPending && !form.state().BarcodeShortRetry);
    // The barcode browser sits in its panel, where the barcode tool finds it.
    QWidget *txmPanel = form.panel(QStringLiteral("TabTXM"));
    QCOMPARE(txmPanel->findChild<BrowserView *>(QStringLiteral("WebTXM")), form.WebTXM());
    QCOMPARE(form.WebTXM()->widget()->parentWidget(), txmPanel);
    QCOMPARE(form.WebTXM()->widget()->geometry(), Twips::rect(5400, 1800, 150, 135));
    // The window's own browser and the ones its browser tools make, one each.
    QCOMPARE(f.browsers.view(QStringLiteral("WebTXM")), form.WebTXM());
    QStringList names;
    for (const auto &view : f.browsers.views)
        names.append(view->objectName());
    names.sort();
    QCOMPARE(names, QStringList({"WebAI", "WebPost", "WebTXM", "WebTel"}));
}

void TstForm1Shell::screenshots()
{
    MainWindowFixture f({});
    Form1 &form = *f.form;
    showAndWait(form);
    const QImage home = form.grab().toImage();
    QVERIFY(home.save(screenshotsDir() + QStringLiteral("/mainwindow-home.png")));
    QTest::mouseClick(form.tab(QStringLiteral("Tab1"))->findChild<QWidget *>(QStringLiteral("M")), Qt::LeftButton, {},
                      QPoint(5, 5));
    QVERIFY(form.group(QStringLiteral("frmCJ"))->isVisible());
    const QImage group = form.grab().toImage();
    QVERIFY(group.save(screenshotsDir() + QStringLiteral("/mainwindow-group.png")));
    // The group covers the left part of the background; the home texts still show.
    QVERIFY(group != home);
    QCOMPARE(group.pixelColor(Twips::toPixels(3000), Twips::toPixels(2300)),
             home.pixelColor(Twips::toPixels(3000), Twips::toPixels(2300)));
}

QTEST_MAIN(TstForm1Shell)
#include "tst_mainwindow_shell.moc"
