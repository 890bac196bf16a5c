#include "Form1.h"
#include "Form2.h"
#include "Form4.h"
#include "FaceProbe.h"
#include "Form5.h"
#include "MainWindowBinding.h"
#include "PageFetcher.h"
#include "PictureBox.h"
#include "Recorders.h"
#include "RecordingBrowser.h"
#include "RunRandom.h"
#include "StandinFixture.h"
#include "Tab.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The whole program's windows over a temporary program folder, against the
// stand-in server.
struct ProgramRig {
    StandinFixture standin;
    RecordingFatalEnd fatal;
    PageFetcher fetcher{fatal};
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    RecordingBrowserFactory browsers;
    RunRandom random;
    QTemporaryDir folder;
    MainWindowBinding binding{{fetcher, boxes, shell, ProgramFolder(folder.path()), &browsers, random}};

    Form1 *form1()
    {
        if (!binding.isLoaded()) {
            binding.writeLocation(QStringLiteral("北京市"));
            binding.showMain();
            if (!QTest::qWaitForWindowExposed(binding.form1()))
                qFatal("the main window was not shown");
        }
        return binding.form1();
    }
    void trigger(const char *entry)
    {
        QAction *action = form1()->mnuMenu()->findChild<QAction *>(QLatin1String(entry));
        QVERIFY(action);
        action->trigger();
    }
    void clickTab4()
    {
        Tab *tab = form1()->tab(QStringLiteral("Tab4"));
        Pointer::click(tab, Qt::LeftButton, tab->rect().center());
    }
};

} // namespace

class TestWindowBinding : public QObject
{
    Q_OBJECT
private slots:
    void locationWriteLoadsTheHiddenMainWindow();
    void updateEntryOpensAFreshWindowEachTime();
    void updateWindowBorrowsTheCloseButtonPictures();
    void aboutEntryRaisesTheOpenBox();
    void tab4ShowsTheSameBoxTwice();
    void sameUsageNumberInTwoRuns();
};

void TestWindowBinding::locationWriteLoadsTheHiddenMainWindow()
{
    ProgramRig rig;
    QVERIFY(!rig.binding.isLoaded());
    rig.binding.writeLocation(QStringLiteral("广东省深圳市 电信"));
    QVERIFY(rig.binding.isLoaded());
    QVERIFY(!rig.binding.form1()->isVisible());
    QCOMPARE(rig.binding.form1()->Label2()->text(), QStringLiteral("广东省深圳市 电信"));
    rig.binding.showMain();
    QVERIFY(rig.binding.form1()->isVisible());
}

void TestWindowBinding::updateEntryOpensAFreshWindowEachTime()
{
    ProgramRig rig;
    rig.trigger("mnuUpdate");
    QPointer<Form4> first = rig.binding.secondaryWindows()->update();
    QVERIFY(first && first->isVisible());
    QVERIFY(rig.form1()->isVisible()); // modeless: the main window stays
    rig.trigger("mnuUpdate");
    QCOMPARE(rig.binding.secondaryWindows()->update(), first.data());
    first->close();
    QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 20000);
    rig.trigger("mnuUpdate");
    Form4 *second = rig.binding.secondaryWindows()->update();
    QVERIFY(second && second->isVisible());
    QCOMPARE(second->Label2()->text(), QStringLiteral("准备就绪"));
}

void TestWindowBinding::updateWindowBorrowsTheCloseButtonPictures()
{
    ProgramRig rig;
    rig.trigger("mnuUpdate");
    Form4 *update = rig.binding.secondaryWindows()->update();
    QVERIFY(update);
    QCOMPARE(update->M3()->picture().toImage(), rig.form1()->M30().toImage());
}

void TestWindowBinding::aboutEntryRaisesTheOpenBox()
{
    ProgramRig rig;
    rig.trigger("mnuAbout");
    QPointer<Form5> about = rig.binding.secondaryWindows()->about();
    QVERIFY(about && about->isVisible());
    rig.trigger("mnuAbout");
    QCOMPARE(rig.binding.secondaryWindows()->about(), about.data());
    QCOMPARE(about->List1()->count(), 21);
    about->close();
    QTRY_VERIFY_WITH_TIMEOUT(about.isNull(), 20000);
    rig.trigger("mnuAbout");
    QCOMPARE(rig.binding.secondaryWindows()->about()->List1()->count(), 21);
}

void TestWindowBinding::tab4ShowsTheSameBoxTwice()
{
    ProgramRig rig;
    rig.clickTab4();
    QPointer<Form2> box = rig.binding.secondaryWindows()->paidServices();
    QVERIFY(box && box->isVisible());
    QVERIFY(rig.form1()->tab(QStringLiteral("Tab4"))->showsSelectedLook());
    rig.clickTab4();
    QCOMPARE(rig.binding.secondaryWindows()->paidServices(), box.data());
}

void TestWindowBinding::sameUsageNumberInTwoRuns()
{
    // Two runs of a program that opens the box once, against one stand-in.
    StandinFixture standin;
    QStringList lines;
    for (int run = 0; run < 2; ++run) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("http_proxy"), QString::fromLatin1(standin.server.proxyAddress()));
        child.setProcessEnvironment(env);
        child.start(QStringLiteral(USAGE_CHILD), {});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), 0);
        lines.append(QString::fromUtf8(child.readAllStandardOutput()).trimmed());
    }
    QVERIFY2(lines[0].startsWith(QStringLiteral("上周共有 ")), qPrintable(lines[0]));
    QCOMPARE(lines[1], lines[0]);
}

QTEST_MAIN(TestWindowBinding)
#include "tst_windowbinding.moc"
