#include "Command.h"
#include "Endpoints.h"
#include "FaceProbe.h"
#include "Form4.h"
#include "PageFetcher.h"
#include "PictureBox.h"
#include "ProgramFolder.h"
#include "Recorders.h"
#include "StandinFixture.h"

#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

QPixmap solid(const QColor &colour)
{
    QPixmap picture(46, 19);
    picture.fill(colour);
    return picture;
}

// The notice page as the maker writes it: the version, then the update text
// on lines of its own.
QString notice(const QString &version, const QString &updateText, bool withEnd = true)
{
    return QStringLiteral("<html><body>The Newest Vision：") + version + QStringLiteral("########<br>###Update Text###<br>")
           + updateText + (withEnd ? QStringLiteral("<br>#End#") : QString()) + QStringLiteral("</body></html>");
}

struct UpdateRig {
    StandinFixture standin;
    RecordingFatalEnd fatal;
    PageFetcher fetcher{fatal};
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    QTemporaryDir folder;
    Form4::ClosePictures close{solid(Qt::red), solid(Qt::green), solid(Qt::blue)};
    QPointer<Form4> window;

    UpdateRig()
    {
        window = new Form4(fetcher, boxes, shell, ProgramFolder(folder.path()), close);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    ~UpdateRig() { delete window; }

    void servePage(const QString &markup)
    {
        const QUrl address(Endpoints::versionNotice());
        standin.server.setRoute(address.host(), address.path().toUtf8(), StandinServer::html(markup));
    }
    void clickCommand(Command *command) { Pointer::click(command, Qt::LeftButton, command->rect().center()); }
    qint64 closeFace() const { return window->M3()->picture().cacheKey(); }
};

} // namespace

class TestUpdateWindow : public QObject
{
    Q_OBJECT
private slots:
    void loadsFresh();
    void check_data();
    void check();
    void newerVersionLocksTheCheck();
    void downloadOpensTheDownloadPage();
    void closePictureLooks();
    void dragBySurface();
    void controlsKeepTheirPresses_data();
    void controlsKeepTheirPresses();
};

void TestUpdateWindow::loadsFresh()
{
    UpdateRig rig;
    QCOMPARE(rig.window->Command1()->Caption(), QStringLiteral("检查更新"));
    QCOMPARE(rig.window->Command2()->Caption(), QStringLiteral("下载新版本"));
    QCOMPARE(rig.window->Command3()->Caption(), QStringLiteral("关闭更新页面"));
    QVERIFY(rig.window->Command1()->Enabled());
    QVERIFY(!rig.window->Command2()->Enabled());
    QCOMPARE(rig.window->Label4()->text(), QStringLiteral("本地版本：5.5"));
    QCOMPARE(rig.window->Label5()->text(), QStringLiteral("最新版本：点击“检查更新”获取"));
    QCOMPARE(rig.window->Label2()->text(), QStringLiteral("准备就绪"));
    QCOMPARE(rig.window->Text1()->toPlainText(), QStringLiteral("更新内容介绍"));
    QCOMPARE(rig.window->size(), QSize(700, 511));
    QVERIFY(rig.window->windowFlags() & Qt::FramelessWindowHint);
    // It starts in the middle of the screen.
    const QPoint offCentre = rig.window->frameGeometry().center() - rig.window->screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
}

void TestUpdateWindow::check_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("label5");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("checkEnabled");
    QTest::addColumn<bool>("downloadEnabled");
    QTest::addColumn<QString>("newest");
    QTest::addColumn<QString>("updateText");

    const QString upToDate = QStringLiteral("您的版本是最新版本，无需升级！");
    QTest::newRow("5.6 is newer") << notice("5.6", "修正了若干问题") << QStringLiteral("检测到新版本，请下载新版本！")
                                  << QStringLiteral("最新版本：5.6") << QStringLiteral("正在连接到服务器...") << false
                                  << true << "5.6" << QStringLiteral("修正了若干问题");
    QTest::newRow("5.5 is not") << notice("5.5", "无") << QStringLiteral("您使用的是最新版本！")
                                << QStringLiteral("最新版本：5.5") << upToDate << true << false << "5.5"
                                << QStringLiteral("无");
    QTest::newRow("5.10 is not (text order)") << notice("5.10", "无") << QStringLiteral("您使用的是最新版本！")
                                              << QStringLiteral("最新版本：5.10") << upToDate << true << false
                                              << "5.10" << QStringLiteral("无");
    // The failures keep the fresh Label5 but NewestVersion already holds the cut.
    QTest::newRow("no #End#") << notice("5.6", "x", false) << QStringLiteral("检查更新失败！")
                              << QStringLiteral("最新版本：点击“检查更新”获取") << QStringLiteral("检查更新失败")
                              << true << false << "5.6" << QStringLiteral("更新内容介绍");
    QTest::newRow("start marker beyond 32749")
        << QString(32750, QLatin1Char('x')) + notice("5.6", "x") << QStringLiteral("检查更新失败！")
        << QStringLiteral("最新版本：点击“检查更新”获取") << QStringLiteral("检查更新失败") << true << false << ""
        << QStringLiteral("更新内容介绍");
    // "#End#" stands at 53 + the length of the update text: at 32769 its end
    // (32767) still fits in 16 bits, at 32770 it does not.
    QTest::newRow("#End# at 32769") << notice("5.5", QString(32716, u'u')) << QStringLiteral("您使用的是最新版本！")
                                    << QStringLiteral("最新版本：5.5") << upToDate << true << false << "5.5"
                                    << QString(32716, u'u');
    QTest::newRow("#End# at 32770") << notice("5.5", QString(32717, u'u')) << QStringLiteral("检查更新失败！")
                                    << QStringLiteral("最新版本：点击“检查更新”获取") << QStringLiteral("检查更新失败")
                                    << true << false << "5.5" << QStringLiteral("更新内容介绍");
    QTest::newRow("end before start") << QStringLiteral("########The Newest Vision：5.6") << QStringLiteral("检查更新失败！")
                                      << QStringLiteral("最新版本：点击“检查更新”获取")
                                      << QStringLiteral("检查更新失败") << true << false << ""
                                      << QStringLiteral("更新内容介绍");
}

void TestUpdateWindow::check()
{
    QFETCH(QString, page);
    QFETCH(QString, box);
    QFETCH(QString, label5);
    QFETCH(QString, status);
    QFETCH(bool, checkEnabled);
    QFETCH(bool, downloadEnabled);
    QFETCH(QString, newest);
    QFETCH(QString, updateText);
    UpdateRig rig;
    rig.servePage(page);
    QString statusDuringBox;
    bool checkEnabledDuringBox = true;
    rig.boxes.onShow = [&](const RecordedBox &) {
        statusDuringBox = rig.window->Label2()->text();
        checkEnabledDuringBox = rig.window->Command1()->Enabled();
    };
    rig.clickCommand(rig.window->Command1());
    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes[0].text, box);
    QCOMPARE(rig.boxes.boxes[0].title, box == QStringLiteral("检查更新失败！") ? QStringLiteral("错误") : QStringLiteral("检测结果"));
    QCOMPARE(rig.boxes.boxes[0].icon, box == QStringLiteral("检查更新失败！") ? MessageBoxes::Icon::Critical
                                                                           : MessageBoxes::Icon::Information);
    QCOMPARE(rig.window->Label5()->text(), label5);
    QCOMPARE(rig.window->Label2()->text(), status);
    QCOMPARE(rig.window->Command1()->Enabled(), checkEnabled);
    QCOMPARE(rig.window->Command2()->Enabled(), downloadEnabled);
    QCOMPARE(rig.window->NewestVersion(), newest);
    QCOMPARE(rig.window->Text1()->toPlainText(), updateText);
    // An answer is shown after the status line and buttons are set; a failure
    // shows its box first.
    if (box == QStringLiteral("检查更新失败！")) {
        QCOMPARE(statusDuringBox, QStringLiteral("正在连接到服务器..."));
        QVERIFY(!checkEnabledDuringBox);
    } else {
        QCOMPARE(statusDuringBox, status);
    }
    QCOMPARE(rig.fatal.count, 0);
}

void TestUpdateWindow::newerVersionLocksTheCheck()
{
    UpdateRig rig;
    rig.servePage(notice("5.6", "新"));
    rig.clickCommand(rig.window->Command1());
    rig.clickCommand(rig.window->Command1());
    QCOMPARE(rig.standin.server.requests().size(), 1);
    QCOMPARE(rig.boxes.boxes.size(), 1);
}

void TestUpdateWindow::downloadOpensTheDownloadPage()
{
    UpdateRig rig;
    rig.servePage(notice("5.6", "新"));
    rig.clickCommand(rig.window->Command2()); // disabled: nothing
    QVERIFY(rig.shell.opened.isEmpty());
    rig.clickCommand(rig.window->Command1());
    rig.clickCommand(rig.window->Command2());
    rig.clickCommand(rig.window->Command2());
    QCOMPARE(rig.shell.opened, QStringList({Endpoints::downloadPage(), Endpoints::downloadPage()}));
    QVERIFY(rig.window->Command2()->Enabled());
}

void TestUpdateWindow::closePictureLooks()
{
    UpdateRig rig;
    PictureBox *m3 = rig.window->M3();
    QCOMPARE(rig.closeFace(), rig.close.normal.cacheKey());
    Pointer::move(m3, QPoint(5, 5));
    QCOMPARE(rig.closeFace(), rig.close.hover.cacheKey());
    // Back on the surface: the normal picture again.
    Pointer::move(rig.window, QPoint(300, 20));
    QCOMPARE(rig.closeFace(), rig.close.normal.cacheKey());
    Pointer::press(m3, Qt::RightButton, QPoint(5, 5));
    QCOMPARE(rig.closeFace(), rig.close.pressed.cacheKey());
    Pointer::release(m3, Qt::RightButton, QPoint(5, 5));
    QVERIFY(rig.window); // a right click does not close
    Pointer::click(m3, Qt::LeftButton, QPoint(5, 5));
    QTRY_VERIFY_WITH_TIMEOUT(rig.window.isNull(), 20000);
}

void TestUpdateWindow::dragBySurface()
{
    UpdateRig rig;
    rig.window->move(100, 80);
    const QPoint start = rig.window->pos();
    // Right button: no drag.
    Pointer::press(rig.window, Qt::RightButton, QPoint(300, 20));
    Pointer::move(rig.window, QPoint(340, 50));
    QCOMPARE(rig.window->pos(), start);
    Pointer::release(rig.window, Qt::RightButton, QPoint(340, 50));
    // Left button: the window follows the pointer by the same offset.
    Pointer::press(rig.window, Qt::LeftButton, QPoint(300, 20));
    QTest::mouseMove(rig.window->windowHandle(), QPoint(340, 50));
    QTRY_COMPARE_WITH_TIMEOUT(rig.window->pos(), start + QPoint(40, 30), 20000);
    QTest::mouseRelease(rig.window->windowHandle(), Qt::LeftButton, {}, rig.window->mapFromGlobal(QCursor::pos()));
    const QPoint after = rig.window->pos();
    QTest::mouseMove(rig.window->windowHandle(), QPoint(200, 200));
    QCOMPARE(rig.window->pos(), after);
}

// The labels and the picture pass up the presses and moves they do not use;
// those are the control's, not the surface's: they start no drag and leave
// the close picture alone.
void TestUpdateWindow::controlsKeepTheirPresses_data()
{
    QTest::addColumn<QString>("control");
    for (const char *name : {"Label8", "Label1", "Image1", "Label4", "Label5", "Label2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestUpdateWindow::controlsKeepTheirPresses()
{
    QFETCH(QString, control);
    UpdateRig rig;
    rig.window->move(100, 80);
    const QPoint start = rig.window->pos();
    auto *target = rig.window->findChild<QWidget *>(control);
    QVERIFY(target);
    const QPoint at = target->rect().center();
    QCOMPARE(rig.window->childAt(Pointer::inWindow(target, at)), target);

    Pointer::move(rig.window->M3(), QPoint(5, 5));
    QCOMPARE(rig.closeFace(), rig.close.hover.cacheKey());
    Pointer::move(target, at);
    QCOMPARE(rig.closeFace(), rig.close.hover.cacheKey());

    Pointer::press(target, Qt::LeftButton, at);
    QTest::mouseMove(rig.window->windowHandle(), Pointer::inWindow(target, at) + QPoint(40, 30));
    Pointer::release(target, Qt::LeftButton, at + QPoint(40, 30));
    QCOMPARE(rig.window->pos(), start);
    QCOMPARE(rig.closeFace(), rig.close.hover.cacheKey());

    // The bare surface still drags.
    Pointer::press(rig.window, Qt::LeftButton, QPoint(300, 20));
    QTest::mouseMove(rig.window->windowHandle(), QPoint(340, 50));
    QTRY_COMPARE_WITH_TIMEOUT(rig.window->pos(), start + QPoint(40, 30), 20000);
    QCOMPARE(rig.closeFace(), rig.close.normal.cacheKey());
    QTest::mouseRelease(rig.window->windowHandle(), Qt::LeftButton, {}, rig.window->mapFromGlobal(QCursor::pos()));
}

QTEST_MAIN(TestUpdateWindow)
#include "tst_updatewindow.moc"
