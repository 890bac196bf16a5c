// The picture under the controls' faces and the windows' title-bar buttons:
// which presses and releases make a click, through real window input.
#include "FaceProbe.h"
#include "PictureBox.h"

#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

class TestPictureBox : public QObject
{
    Q_OBJECT
private slots:
    void clicks_data();
    void clicks();
};

void TestPictureBox::clicks_data()
{
    // Each step: press, release or double, the button, and in or out (a
    // place off the picture, on the window).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("presses");
    QTest::addColumn<int>("clicks");
    QTest::newRow("left press and release") << QStringList{"press left in", "release left in"} << 1 << 1;
    QTest::newRow("released off the picture") << QStringList{"press left in", "release left out"} << 1 << 0;
    QTest::newRow("right button") << QStringList{"press right in", "release right in"} << 1 << 0;
    // The second press of a double-click is no press and makes no click.
    QTest::newRow("double-click is one click") << QStringList{"double left in"} << 1 << 1;
    // Only the left button counts: a right click while it is held does not
    // end the left press, whose release still clicks.
    QTest::newRow("right click while the left is held")
        << QStringList{"press left in", "press right in", "release right in", "release left in"} << 2 << 1;
    QTest::newRow("a left release with no press before") << QStringList{"press left out", "release left in"} << 0 << 0;
}

void TestPictureBox::clicks()
{
    QFETCH(QStringList, steps);
    QFETCH(int, presses);
    QFETCH(int, clicks);
    QWidget window;
    window.resize(200, 100);
    auto *picture = new PictureBox(PictureBox::Fit::SizeToPicture, &window);
    picture->move(10, 10);
    QPixmap face(40, 20);
    face.fill(Qt::darkBlue);
    picture->setPicture(face);
    QCOMPARE(picture->size(), QSize(40, 20));
    QSignalSpy pressSpy(picture, &PictureBox::mousePressed);
    QSignalSpy clickSpy(picture, &PictureBox::clicked);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint in(20, 10);
    const QPoint out(120, 60); // in the picture's coordinates, off it
    for (const QString &step : steps) {
        const QStringList words = step.split(QLatin1Char(' '));
        const Qt::MouseButton button = words[1] == QLatin1String("left") ? Qt::LeftButton : Qt::RightButton;
        const QPoint place = words[2] == QLatin1String("in") ? in : out;
        if (words[0] == QLatin1String("press"))
            Pointer::press(picture, button, place);
        else if (words[0] == QLatin1String("release"))
            Pointer::release(picture, button, place);
        else
            Pointer::doubleClick(picture, button, place);
    }
    QCOMPARE(pressSpy.count(), presses);
    QCOMPARE(clickSpy.count(), clicks);
}

QTEST_MAIN(TestPictureBox)
#include "tst_picturebox.moc"
