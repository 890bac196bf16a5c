// The drag arithmetic shared by the borderless windows: twips, halves to
// even, and places outside the 16-bit range refused.

#include "WindowDrag.h"

#include <QTest>

class TstWindowDrag : public QObject
{
    Q_OBJECT

private slots:
    void newPosition_data();
    void newPosition();
    void pressAndMoveInPixels_data();
    void pressAndMoveInPixels();
};

void TstWindowDrag::newPosition_data()
{
    QTest::addColumn<double>("windowLeft");
    QTest::addColumn<double>("windowTop");
    QTest::addColumn<int>("startX");
    QTest::addColumn<int>("startY");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("the worked example") << 1500.0 << 900.0 << 300 << 450 << 420.0 << 480.0 << true << QPoint(1620, 930);
    QTest::newRow("half goes to even, down") << 0.0 << 0.0 << 0 << 0 << 2.5 << 0.5 << true << QPoint(2, 0);
    QTest::newRow("half goes to even, up") << 0.0 << 0.0 << 0 << 0 << 3.5 << 1.5 << true << QPoint(4, 2);
    QTest::newRow("negative half to even") << 0.0 << 0.0 << 0 << 0 << -2.5 << -3.5 << true << QPoint(-2, -4);
    QTest::newRow("largest left") << 32700.0 << 0.0 << 0 << 0 << 67.0 << 0.0 << true << QPoint(32767, 0);
    QTest::newRow("one past the largest left") << 32700.0 << 0.0 << 0 << 0 << 68.0 << 0.0 << false << QPoint();
    QTest::newRow("smallest top") << 0.0 << 0.0 << 0 << 300 << 0.0 << -32468.0 << true << QPoint(0, -32768);
    QTest::newRow("one below the smallest top") << 0.0 << 0.0 << 0 << 300 << 0.0 << -32469.0 << false << QPoint();
    QTest::newRow("rounding brings it back in") << 32767.0 << 0.0 << 0 << 0 << 0.4 << 0.0 << true << QPoint(32767, 0);
}

void TstWindowDrag::newPosition()
{
    QFETCH(double, windowLeft);
    QFETCH(double, windowTop);
    QFETCH(int, startX);
    QFETCH(int, startY);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, fits);
    QFETCH(QPoint, expected);
    const auto to = WindowDrag::newPositionTwips(windowLeft, windowTop, startX, startY, x, y);
    QCOMPARE(to.has_value(), fits);
    if (fits)
        QCOMPARE(*to, expected);
}

void TstWindowDrag::pressAndMoveInPixels_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<QPoint>("window");
    QTest::addColumn<QPointF>("moveTo");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("left button") << int(Qt::LeftButton) << QPointF(20, 30) << QPoint(100, 60) << QPointF(28, 32)
                                 << true << QPoint(108, 62);
    QTest::newRow("right button starts no drag")
        << int(Qt::RightButton) << QPointF(20, 30) << QPoint(100, 60) << QPointF(28, 32) << false << QPoint();
    QTest::newRow("middle button starts no drag")
        << int(Qt::MiddleButton) << QPointF(20, 30) << QPoint(100, 60) << QPointF(28, 32) << false << QPoint();
    // 0.1 px = 1.5 twips, rounded to 2 at the press; the move of 0.1 px
    // comes back to the same place.
    QTest::newRow("fractional pointer") << int(Qt::LeftButton) << QPointF(0.1, 0.1) << QPoint(10, 10)
                                        << QPointF(0.1, 0.1) << true << QPoint(10, 10);
    QTest::newRow("off the 16-bit range") << int(Qt::LeftButton) << QPointF(0, 0) << QPoint(2180, 0)
                                          << QPointF(10, 0) << false << QPoint();
}

void TstWindowDrag::pressAndMoveInPixels()
{
    QFETCH(int, button);
    QFETCH(QPointF, press);
    QFETCH(QPoint, window);
    QFETCH(QPointF, moveTo);
    QFETCH(bool, moves);
    QFETCH(QPoint, expected);
    WindowDrag drag;
    drag.press(Qt::MouseButton(button), press);
    const auto to = drag.move(window, moveTo);
    QCOMPARE(to.has_value(), moves);
    if (moves)
        QCOMPARE(*to, expected);
    drag.release();
    QVERIFY(!drag.move(window, moveTo).has_value());
}

QTEST_MAIN(TstWindowDrag)
#include "tst_windowdrag.moc"
