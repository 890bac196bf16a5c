#include "FaceProbe.h"
#include "Option.h"
#include "Twips.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace {

const QStringList OptionFaces{QStringLiteral("M1"), QStringLiteral("M2"), QStringLiteral("M3"),
                              QStringLiteral("M5"), QStringLiteral("M6"), QStringLiteral("M7")};

struct Host
{
    QWidget window;
    Option *option = nullptr;
    QLabel *face = nullptr;

    Host()
    {
        window.resize(300, 150);
        option = new Option(&window);
        option->move(Twips::rect(300, 300, 0, 0).topLeft());
        face = option->findChild<QLabel *>(QStringLiteral("M"));
        window.show();
    }
    bool ready() { return QTest::qWaitForWindowExposed(&window); }
    QString shown() const { return shownFace(option, OptionFaces); }
    QPoint middle() const { return face->rect().center(); }
};

} // namespace

class TestOption : public QObject
{
    Q_OBJECT
private slots:
    void newInstanceIsOn();
    void pressMoveRelease_data();
    void pressMoveRelease();
    void enabledWrites_data();
    void enabledWrites();
    void keysDoNotSwitch_data();
    void keysDoNotSwitch();
    void keepsItsSize_data();
    void keepsItsSize();
};

void TestOption::newInstanceIsOn()
{
    Host host;
    QVERIFY(host.ready());
    QVERIFY(host.option->Enabled());
    QCOMPARE(host.shown(), QStringLiteral("M1"));
}

void TestOption::pressMoveRelease_data()
{
    QTest::addColumn<bool>("startOn");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("pressedFace");
    QTest::addColumn<QString>("hoverFace");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<bool>("endOn");
    QTest::addColumn<QString>("endFace");
    QTest::newRow("on, left click switches off") << true << Qt::LeftButton << "M3" << "M2" << 1 << false << "M5";
    QTest::newRow("off, left click switches on") << false << Qt::LeftButton << "M7" << "M6" << 1 << true << "M1";
    // Any button presses the face, only the left one clicks.
    QTest::newRow("on, right button does not click") << true << Qt::RightButton << "M3" << "M2" << 0 << true << "M2";
    QTest::newRow("off, middle button does not click") << false << Qt::MiddleButton << "M7" << "M6" << 0 << false << "M6";
}

void TestOption::pressMoveRelease()
{
    QFETCH(bool, startOn);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, pressedFace);
    QFETCH(QString, hoverFace);
    QFETCH(int, clicks);
    QFETCH(bool, endOn);
    QFETCH(QString, endFace);
    Host host;
    QVERIFY(host.ready());
    host.option->setEnabled(startOn);

    QSignalSpy spy(host.option, &Option::Click);
    bool stateInHandler = !endOn;
    QString faceInHandler;
    connect(host.option, &Option::Click, this, [&] {
        stateInHandler = host.option->Enabled();
        faceInHandler = host.shown();
    });

    Pointer::press(host.face, button, host.middle());
    QCOMPARE(host.shown(), pressedFace);
    QCOMPARE(host.option->Enabled(), startOn);
    // A move with the button held replaces the pressed face by the hover face.
    Pointer::move(host.face, host.middle() + QPoint(2, 0));
    QCOMPARE(host.shown(), hoverFace);
    Pointer::release(host.face, button, host.middle() + QPoint(2, 0));

    QCOMPARE(spy.count(), clicks);
    QCOMPARE(host.option->Enabled(), endOn);
    QCOMPARE(host.shown(), endFace);
    if (clicks) {
        // State and face had switched before Click was raised.
        QCOMPARE(stateInHandler, endOn);
        QCOMPARE(faceInHandler, endFace);
    }
}

void TestOption::enabledWrites_data()
{
    QTest::addColumn<bool>("startOn");
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("face");
    QTest::newRow("on in hover face, write True") << true << true << "M1";
    QTest::newRow("off in hover face, write False") << false << false << "M5";
    QTest::newRow("on in hover face, write False") << true << false << "M5";
    QTest::newRow("off in hover face, write True") << false << true << "M1";
}

void TestOption::enabledWrites()
{
    QFETCH(bool, startOn);
    QFETCH(bool, write);
    QFETCH(QString, face);
    Host host;
    QVERIFY(host.ready());
    host.option->setEnabled(startOn);
    Pointer::move(host.face, host.middle());
    QCOMPARE(host.shown(), QString(startOn ? "M2" : "M6"));

    QSignalSpy spy(host.option, &Option::Click);
    host.option->setEnabled(write);
    QCOMPARE(host.shown(), face);
    QCOMPARE(host.option->Enabled(), write);
    QCOMPARE(spy.count(), 0);
}

void TestOption::keysDoNotSwitch_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Space") << Qt::Key_Space;
    QTest::newRow("Return") << Qt::Key_Return;
}

void TestOption::keysDoNotSwitch()
{
    QFETCH(Qt::Key, key);
    Host host;
    QVERIFY(host.ready());
    host.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&host.window));
    // The face holds the focus after a press, but no key switches it.
    Pointer::press(host.face, Qt::LeftButton, host.middle());
    Pointer::release(host.face, Qt::LeftButton, QPoint(-10, -10));
    QVERIFY(host.face->hasFocus());
    QSignalSpy spy(host.option, &Option::Click);
    QTest::keyClick(host.window.windowHandle(), key);
    QCOMPARE(spy.count(), 0);
    QVERIFY(host.option->Enabled());
}

void TestOption::keepsItsSize_data()
{
    QTest::addColumn<QRect>("asked");
    QTest::newRow("design size") << Twips::rect(0, 0, 2730, 2385);
    QTest::newRow("smaller") << Twips::rect(150, 150, 300, 150);
    QTest::newRow("wider") << Twips::rect(0, 0, 4000, 345);
}

void TestOption::keepsItsSize()
{
    QFETCH(QRect, asked);
    Host host;
    QVERIFY(host.ready());
    host.option->setGeometry(asked);
    QCOMPARE(host.option->size(), Twips::rect(0, 0, 1185, 345).size());
    QCOMPARE(host.face->size(), host.option->size());
    host.option->resize(asked.size());
    QCOMPARE(host.option->size(), Twips::rect(0, 0, 1185, 345).size());
}

QTEST_MAIN(TestOption)
#include "tst_option.moc"
