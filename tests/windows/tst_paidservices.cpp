#include "Form2.h"
#include "FrameClosedChecks.h"
#include "ProgramWindowActivation.h"
#include "PageFetcher.h"
#include "Recorders.h"
#include "RunRandom.h"
#include "StandinFixture.h"
#include "UsageLine.h"

#include "Endpoints.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

// The number between "上周共有 " and " 位网友使用过增值服务".
long long shownNumber(const QLabel *label)
{
    static const QRegularExpression pattern(QStringLiteral("^上周共有 (\\d+) 位网友使用过增值服务$"));
    const auto match = pattern.match(label->text());
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

QByteArray usagePath()
{
    return QUrl(Endpoints::usageFigure()).path(QUrl::FullyEncoded).toUtf8();
}

QString usageHost()
{
    return QUrl(Endpoints::usageFigure()).host();
}

} // namespace

class TestPaidServices : public QObject
{
    Q_OBJECT
private slots:
    void figureReading_data();
    void figureReading();
    void usageLineBoundsOnActivation();
    void newNumberAtEachActivation();
    void sameNumberInTwoRuns();
    void closeButtonUnloads();
    void escapeLeavesTheBoxOpen();
};

void TestPaidServices::figureReading_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<double>("figure");
    QTest::newRow("plain") << "#Start#120#End#" << 120.0;
    QTest::newRow("blanks around") << "#Start#  120 #End#" << 120.0;
    QTest::newRow("line breaks around") << "#Start#\r\n120\r\n#End#" << 120.0;
    QTest::newRow("tab inside") << "#Start#1\t20#End#" << 120.0;
    QTest::newRow("no digits") << "#Start#many#End#" << 0.0;
    QTest::newRow("digits after words") << "#Start#about 50#End#" << 0.0;
    QTest::newRow("fraction") << "#Start#12.5#End#" << 12.5;
    QTest::newRow("no start: cut from position 7") << "xxxxxx42#End#" << 42.0;
    QTest::newRow("no end") << "#Start#120" << 0.0;
    QTest::newRow("end inside the start marker") << "#Start#" << 0.0;
    QTest::newRow("end before start") << "#End##Start#120" << 0.0;
    QTest::newRow("empty page") << "" << 0.0;
}

void TestPaidServices::figureReading()
{
    QFETCH(QString, page);
    QFETCH(double, figure);
    QCOMPARE(UsageLine::readFigure(UsageLine::figureText(page)), figure);
}

void TestPaidServices::usageLineBoundsOnActivation()
{
    StandinFixture standin;
    standin.server.setRoute(usageHost(), usagePath(),
                            StandinServer::html(QStringLiteral("<p>上周使用人数</p>#Start#120#End#")));
    RecordingFatalEnd fatal;
    PageFetcher fetcher(fatal);
    RunRandom random;
    Form2 box(fetcher, random);
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QTRY_VERIFY_WITH_TIMEOUT(shownNumber(box.Label10()) > 0, 20000);
    const long long n = shownNumber(box.Label10());
    QVERIFY2(n >= 121 && n <= 1120, qPrintable(box.Label10()->text()));
    QCOMPARE(standin.server.requests().size(), 1);
}

void TestPaidServices::newNumberAtEachActivation()
{
    StandinFixture standin;
    standin.server.setRoute(usageHost(), usagePath(), StandinServer::html(QStringLiteral("#Start#0#End#")));
    RecordingFatalEnd fatal;
    PageFetcher fetcher(fatal);
    RunRandom random;
    QWidget mainForm;
    int mainActivations = 0;
    ProgramWindowActivation mainActivation(&mainForm);
    connect(&mainActivation, &ProgramWindowActivation::activated, [&] { ++mainActivations; });
    mainForm.show();
    Form2 box(fetcher, random);
    box.show();

    // The series the box should show, drawn from a generator of its own.
    RunRandom expected;
    for (int round = 0; round < 3; ++round) {
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        const QString want = UsageLine::text(UsageLine::number(expected.next(), 0));
        QTRY_COMPARE_WITH_TIMEOUT(box.Label10()->text(), want, 20000);
        mainForm.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainForm));
    }
    QCOMPARE(standin.server.requests().size(), 3);
    // Its first showing, then each return from the box.
    QCOMPARE(mainActivations, 4);
}

void TestPaidServices::sameNumberInTwoRuns()
{
    // Each run of the program has one generator; two runs start alike.
    RunRandom firstRun;
    RunRandom secondRun;
    for (int i = 0; i < 5; ++i) {
        const double a = firstRun.next();
        QCOMPARE(a, secondRun.next());
        QVERIFY(a >= 0 && a < 1);
    }
    QCOMPARE(UsageLine::number(0.0, 120), QStringLiteral("121"));
    QCOMPARE(UsageLine::number(0.9999999, 120), QStringLiteral("1120"));
    QCOMPARE(UsageLine::number(0.5, 0.25), QStringLiteral("501.25"));
}

void TestPaidServices::closeButtonUnloads()
{
    StandinFixture standin;
    RecordingFatalEnd fatal;
    PageFetcher fetcher(fatal);
    RunRandom random;
    QPointer<Form2> box = new Form2(fetcher, random);
    box->show();
    QTest::mouseClick(box->Command1(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(box.isNull(), 20000);
}

void TestPaidServices::escapeLeavesTheBoxOpen()
{
    StandinFixture standin;
    RecordingFatalEnd fatal;
    PageFetcher fetcher(fatal);
    RunRandom random;
    QPointer<Form2> box = new Form2(fetcher, random);
    box->show();
    QTRY_VERIFY_WITH_TIMEOUT(box->Label10()->text() != QStringLiteral("上周有 位网友使用增值服务"), 20000);
    // Esc on the button that has the focus, and on the box itself.
    checkEscLeavesOpenAndCloseBoxUnloads(box, box->Command1());
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(fatal.count, 0);
}

QTEST_MAIN(TestPaidServices)
#include "tst_paidservices.moc"
