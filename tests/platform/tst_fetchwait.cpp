// What the program's windows do while a page fetch waits on a service that
// does not answer: they are painted again, and nothing else of the program runs.
#include "PageFetcher.h"
#include "Recorders.h"
#include "RepaintShownWindows.h"
#include "StandinFixture.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace {

// Paints itself in a new shade at every paint, so a picture of the window
// tells which paint reached it.
class ShadeWidget : public QWidget
{
public:
    ShadeWidget() { resize(120, 80); }
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        ++paints;
        QPainter(this).fillRect(rect(), shade(paints));
    }

public:
    static QColor shade(int paint) { return QColor(paint % 256, 40, 200); }
};

QColor shownColour(QWidget &widget)
{
    return widget.screen()->grabWindow(widget.winId()).toImage().pixelColor(10, 10);
}

} // namespace

class TestFetchWait : public QObject
{
    Q_OBJECT
private slots:
    void waitingRepaintsAndRunsNothingElse();
};

void TestFetchWait::waitingRepaintsAndRunsNothingElse()
{
    StandinFixture standin;
    standin.server.setRoute("example.cn", "/silent", StandinServer::stall());
    ShadeWidget shown;
    shown.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shown));
    ShadeWidget hidden;

    // Each call of the hook: what the window holds right after the repaint.
    QList<bool> windowCaughtUp;
    bool timerFired = false;
    int paintsAtTimer = -1;
    FetchBounds bounds;
    bounds.stall = std::chrono::milliseconds(1500);
    RecordingFatalEnd fatal;
    PageFetcher fetcher(fatal, bounds, [&] {
        RepaintShownWindows();
        windowCaughtUp.append(shownColour(shown) == ShadeWidget::shade(shown.paints));
    });
    // Queued before the fetch: a handler that must wait until the fetch is done.
    QTimer::singleShot(0, &shown, [&] {
        timerFired = true;
        paintsAtTimer = shown.paints;
    });
    const int paintsBefore = shown.paints;
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, fetcher.fetchPageText("http://example.cn/silent"));

    QVERIFY(!timerFired);
    // Every 200 ms over a 1.5 s wait: a few paints at least, each on the window.
    QVERIFY2(windowCaughtUp.size() >= 3, qPrintable(QString::number(windowCaughtUp.size())));
    QVERIFY(!windowCaughtUp.contains(false));
    QCOMPARE(shown.paints - paintsBefore, windowCaughtUp.size());
    QCOMPARE(hidden.paints, 0);
    // Once the fetch has returned, the loop runs the timer as ever.
    QTRY_VERIFY_WITH_TIMEOUT(timerFired, 20000);
    QVERIFY(paintsAtTimer >= paintsBefore + windowCaughtUp.size());
}

QTEST_MAIN(TestFetchWait)
#include "tst_fetchwait.moc"
