#include "Command.h"
#include "Endpoints.h"
#include "FaceProbe.h"
#include "FakeBrowser.h"
#include "Form1.h"
#include "Form3.h"
#include "MainWindowBinding.h"
#include "PageFetcher.h"
#include "PictureBox.h"
#include "ProgramVersion.h"
#include "Recorders.h"
#include "RunRandom.h"
#include "StandinFixture.h"
#include "Text.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The report window as the program opens it: from the main window's menu and
// from the URL-safety panel's report button, with the main window's own
// pictures and its activation.
namespace {

struct ProgramRig {
    StandinFixture standin;
    RecordingFatalEnd fatal;
    PageFetcher fetcher{fatal};
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    FakeBrowserFactory browsers;
    RunRandom random;
    QTemporaryDir folder;
    MainWindowBinding binding{{fetcher, boxes, shell, ProgramFolder(folder.path()), &browsers, random}};

    ProgramRig()
    {
        binding.writeLocation(QStringLiteral("北京市"));
        binding.showMain();
        activate(binding.form1());
    }
    Form1 *form1() const { return binding.form1(); }
    Form3 *report() const { return binding.secondaryWindows()->report(); }
    static void activate(QWidget *window)
    {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qFatal("window did not become active");
    }
    // The URL-safety panel's address box and report button.
    QLineEdit *txtUS() const { return form1()->panel(QStringLiteral("TabUS"))->findChild<QLineEdit *>("txtUS"); }
    QPushButton *Command12() const
    {
        return form1()->panel(QStringLiteral("TabUS"))->findChild<QPushButton *>("Command12");
    }
};

} // namespace

class TestReportBinding : public QObject
{
    Q_OBJECT
private slots:
    void menuEntryLeavesTheMainWindowInSight();
    void reportButtonHidesTheMainWindowUntilClosed();
    void closedOtherwiseTheMainWindowComesBack();
};

void TestReportBinding::menuEntryLeavesTheMainWindowInSight()
{
    ProgramRig rig;
    rig.form1()->mnuMenu()->findChild<QAction *>(QStringLiteral("mnuJB"))->trigger();
    Form3 *report = rig.report();
    QVERIFY(report && report->isVisible());
    QVERIFY(rig.form1()->isVisible());
    QCOMPARE(report->Text2()->text(), QString());
    // The close picture is the main window's own.
    QCOMPARE(report->M3()->picture().toImage(), rig.form1()->M30().toImage());
    ProgramRig::activate(report);
    QTRY_COMPARE(rig.browsers.view(QStringLiteral("WebBrowser1"))->navigations,
                 QStringList{Endpoints::reportPage()});
}

void TestReportBinding::reportButtonHidesTheMainWindowUntilClosed()
{
    ProgramRig rig;
    QVERIFY(rig.txtUS() && rig.Command12());
    rig.txtUS()->setText(QStringLiteral("www.bad-shop.cn"));
    rig.Command12()->click();
    Form3 *report = rig.report();
    QVERIFY(report && report->isVisible());
    QVERIFY(!rig.form1()->isVisible());
    QCOMPARE(report->Text2()->text(), QStringLiteral("http://www.bad-shop.cn"));

    ProgramRig::activate(report);
    rig.form1()->Label1()->setText(QStringLiteral("elsewhere"));
    QPointer<Form3> closed = report;
    Pointer::click(report->Command3(), Qt::LeftButton, QPoint(10, 10));
    QVERIFY(rig.form1()->isVisible());
    QTRY_VERIFY(!closed);
    // Coming back to the main window is one of its activations.
    QTRY_COMPARE(rig.form1()->Label1()->text(), ProductTitle());
}

void TestReportBinding::closedOtherwiseTheMainWindowComesBack()
{
    ProgramRig rig;
    rig.Command12()->click();
    QVERIFY(!rig.form1()->isVisible());
    QCOMPARE(rig.report()->Text2()->text(), QStringLiteral("http://"));
    // The desktop's own close (a key, a window menu) must not leave the
    // program without a window in sight.
    rig.report()->close();
    QVERIFY(rig.form1()->isVisible());
}

QTEST_MAIN(TestReportBinding)
#include "tst_reportbinding.moc"
