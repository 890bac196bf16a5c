// The splash is not held back by the browsers: the browser factory starts
// Chromium only when asked, and the program asks once the splash has painted.
#include "AfterFirstPaint.h"
#include "WebEngineBrowserFactory.h"

#include <QApplication>
#include <QPainter>
#include <QtTest>

namespace
{

class CountingWidget : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        ++paints;
        QPainter(this).fillRect(rect(), Qt::blue);
    }
};

} // namespace

class TestSplashFirst : public QObject
{
    Q_OBJECT
private slots:
    void workRunsOnceAfterTheFirstPaint()
    {
        CountingWidget splash;
        splash.resize(120, 80);
        int runs = 0;
        int paintsSeenByWork = -1;
        new AfterFirstPaint(&splash, [&] {
            ++runs;
            paintsSeenByWork = splash.paints;
        });
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0); // nothing painted yet, nothing run

        splash.show();
        QTRY_COMPARE_WITH_TIMEOUT(runs, 1, 20000);
        QVERIFY(paintsSeenByWork >= 1);

        splash.repaint();
        splash.hide();
        splash.show();
        QTRY_VERIFY_WITH_TIMEOUT(splash.paints >= 2, 20000);
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
    }

    void profileMadeOnDemand()
    {
        WebEngineBrowserFactory browsers;
        QVERIFY(!browsers.isPrepared());
        browsers.prepare();
        QVERIFY(browsers.isPrepared());
        browsers.prepare(); // a second call keeps the one profile
        QVERIFY(browsers.isPrepared());
    }
};

int main(int argc, char *argv[])
{
    WebEngineBrowserFactory::prepareApplication();
    QApplication app(argc, argv);
    TestSplashFirst test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_splashfirst.moc"
