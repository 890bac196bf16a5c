#include "Command.h"
#include "FaceProbe.h"
#include "Fonts.h"
#include "PropertyBag.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

const QStringList CommandFaces{QStringLiteral("M0"), QStringLiteral("M1"), QStringLiteral("M2")};

// A host window with one button at a report-window size and a line edit to
// take the focus away.
struct Host
{
    QWidget window;
    Command *button = nullptr;
    QLineEdit *other = nullptr;
    QLabel *face = nullptr;
    QLabel *caption = nullptr;

    Host()
    {
        window.resize(400, 200);
        button = new Command(&window);
        button->setGeometry(Twips::rect(600, 600, 1335, 375));
        other = new QLineEdit(&window);
        other->setGeometry(10, 150, 100, 24);
        face = button->findChild<QLabel *>(QStringLiteral("M"));
        caption = button->findChild<QLabel *>(QStringLiteral("Label1"));
        window.show();
        window.activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(&window); }
    QString shown() const { return shownFace(button, CommandFaces); }
    QPoint middle() const { return face->rect().center(); }
};

// The caption's left edge in pixels for a label of its current width on a
// button of the current size.
int expectedCaptionLeft(const Command &button, const QLabel &caption)
{
    const QPoint place = Command::captionPlace(Twips::fromPixels(button.width()), Twips::fromPixels(button.height()),
                                               Twips::fromPixels(caption.width()), Twips::fromPixels(caption.height()));
    return place.x() / Twips::PerPixel;
}

} // namespace

class TestCommand : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Fonts::install(); }

    void captionPlace_data();
    void captionPlace();
    void captionStaysCentred();
    void pressWithoutClick_data();
    void pressWithoutClick();
    void pressedFaceWhileHandlerRuns();
    void handlerDisablesButton();
    void disabledKeepsTheNormalFace();
    void writesResetHoverFace_data();
    void writesResetHoverFace();
    void emptyCaptionStillClicks();
    void keysDoNotClick_data();
    void keysDoNotClick();
    void readProperties_data();
    void readProperties();
    void propertiesRoundTrip();
};

void TestCommand::captionPlace_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<float>("labelWidth");
    QTest::addColumn<float>("labelHeight");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("report window button") << 1335.0f << 375.0f << 300.0f << 255.0f << QPoint(517, 60);
    QTest::newRow("odd label width truncates") << 1335.0f << 375.0f << 75.0f << 255.0f << QPoint(630, 60);
    QTest::newRow("fraction rounds up before halving") << 1335.6f << 375.0f << 300.0f << 255.0f << QPoint(518, 60);
    QTest::newRow("fraction rounds down before halving") << 1336.4f << 376.4f << 300.0f << 255.0f << QPoint(518, 61);
    QTest::newRow("tie goes to even") << 1336.5f << 374.5f << 301.5f << 254.5f << QPoint(668 - 151, 187 - 127);
    QTest::newRow("label wider than the button") << 300.0f << 375.0f << 1005.0f << 255.0f << QPoint(150 - 502, 60);
    QTest::newRow("negative half truncates toward zero") << -3.0f << 0.0f << 0.0f << 0.0f << QPoint(-1, 0);
}

void TestCommand::captionPlace()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(float, labelWidth);
    QFETCH(float, labelHeight);
    QFETCH(QPoint, place);
    QCOMPARE(Command::captionPlace(width, height, labelWidth, labelHeight), place);
}

void TestCommand::captionStaysCentred()
{
    Host host;
    QVERIFY(host.ready());
    PropertyBag bag;
    bag.write(QStringLiteral("Caption"), QStringLiteral("确定"));
    host.button->ReadProperties(bag);
    QCOMPARE(host.caption->text(), QStringLiteral("确定"));
    QVERIFY(host.caption->width() > 0);
    QCOMPARE(host.caption->x(), expectedCaptionLeft(*host.button, *host.caption));
    QCOMPARE(host.caption->y(), 60 / Twips::PerPixel);

    // Later captions keep the same centre, within the pixel rounding.
    const double centre = host.caption->x() + host.caption->width() / 2.0;
    const int shortWidth = host.caption->width();
    host.button->setCaption(QStringLiteral("一个长得多的标题"));
    QVERIFY(host.caption->width() > shortWidth);
    QVERIFY2(qAbs(host.caption->x() + host.caption->width() / 2.0 - centre) <= 1.0, "longer caption moved off centre");
    host.button->setCaption(QStringLiteral("好"));
    QVERIFY(host.caption->width() < shortWidth);
    QVERIFY2(qAbs(host.caption->x() + host.caption->width() / 2.0 - centre) <= 1.0, "shorter caption moved off centre");

    // A resize centres it on the new middle.
    host.button->setGeometry(Twips::rect(600, 600, 2415, 375));
    QCOMPARE(host.caption->x(), expectedCaptionLeft(*host.button, *host.caption));
    QVERIFY(qAbs(host.caption->x() + host.caption->width() / 2.0 - host.button->width() / 2.0) <= 1.0);
}

void TestCommand::pressWithoutClick_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("endByClick");
    QTest::newRow("left, then a click") << Qt::LeftButton << true;
    QTest::newRow("left, then focus moves away") << Qt::LeftButton << false;
    QTest::newRow("right, then a click") << Qt::RightButton << true;
    QTest::newRow("middle, then focus moves away") << Qt::MiddleButton << false;
}

void TestCommand::pressWithoutClick()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, endByClick);
    Host host;
    QVERIFY(host.ready());
    host.button->setCaption(QStringLiteral("提交"));
    QSignalSpy clicks(host.button, &Command::Click);

    Pointer::press(host.face, button, host.middle());
    QCOMPARE(host.shown(), QStringLiteral("M2"));
    QVERIFY(host.button->hasFocus());
    // Released outside the button: no click, and the face stays pressed.
    Pointer::release(host.face, button, QPoint(-20, -20));
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(host.shown(), QStringLiteral("M2"));
    // While Pressed holds, pointer moves over the button bring no hover face.
    Pointer::move(host.face, host.middle());
    Pointer::move(host.face, host.middle() + QPoint(3, 1));
    QCOMPARE(host.shown(), QStringLiteral("M2"));

    if (endByClick) {
        Pointer::click(host.face, Qt::LeftButton, host.middle());
        QCOMPARE(clicks.count(), 1);
    } else {
        Pointer::click(host.other, Qt::LeftButton, host.other->rect().center());
        QVERIFY(host.other->hasFocus());
        QCOMPARE(clicks.count(), 0);
    }
    QCOMPARE(host.shown(), QStringLiteral("M0"));
    // Pressed is cleared: the next move shows the hover face again.
    Pointer::move(host.face, host.middle() + QPoint(-4, 0));
    QCOMPARE(host.shown(), QStringLiteral("M1"));
}

void TestCommand::pressedFaceWhileHandlerRuns()
{
    Host host;
    QVERIFY(host.ready());
    host.button->setCaption(QStringLiteral("检查更新"));
    QString faceDuringHandler;
    bool otherWindowActive = false;
    connect(host.button, &Command::Click, this, [&] {
        // A window coming to the front while the handler runs (as a message
        // box does) takes the active window, not the button's focus.
        QWidget box;
        box.resize(120, 60);
        box.show();
        box.activateWindow();
        otherWindowActive = QTest::qWaitForWindowActive(&box);
        faceDuringHandler = host.shown();
    });
    Pointer::click(host.caption, Qt::LeftButton, host.caption->rect().center());
    QVERIFY(otherWindowActive);
    QCOMPARE(faceDuringHandler, QStringLiteral("M2"));
    QCOMPARE(host.shown(), QStringLiteral("M0"));
}

void TestCommand::handlerDisablesButton()
{
    Host host;
    QVERIFY(host.ready());
    host.button->setCaption(QStringLiteral("下载"));
    QSignalSpy clicks(host.button, &Command::Click);
    connect(host.button, &Command::Click, host.button, [&] { host.button->setEnabled(false); });

    Pointer::click(host.face, Qt::LeftButton, host.middle());
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!host.button->Enabled());
    QVERIFY(!host.caption->isEnabled());
    QCOMPARE(host.shown(), QStringLiteral("M0"));

    // Disabled: presses, moves and clicks change nothing and raise nothing.
    Pointer::press(host.face, Qt::LeftButton, host.middle());
    QCOMPARE(host.shown(), QStringLiteral("M0"));
    Pointer::release(host.face, Qt::LeftButton, host.middle());
    Pointer::move(host.face, host.middle() + QPoint(2, 2));
    Pointer::click(host.caption, Qt::LeftButton, host.caption->rect().center());
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(host.shown(), QStringLiteral("M0"));

    host.button->setEnabled(true);
    QVERIFY(host.button->Enabled());
    Pointer::click(host.face, Qt::LeftButton, host.middle());
    QCOMPARE(clicks.count(), 2);
}

void TestCommand::disabledKeepsTheNormalFace()
{
    Host host;
    QVERIFY(host.ready());
    host.button->setCaption(QStringLiteral("检查更新"));
    const QImage face = host.face->grab().toImage();
    const QImage caption = host.caption->grab().toImage();

    host.button->setEnabled(false);
    QCOMPARE(host.shown(), QStringLiteral("M0"));
    // The face is drawn as it is; only the caption greys.
    QCOMPARE(host.face->grab().toImage(), face);
    QVERIFY(host.caption->grab().toImage() != caption);

    host.button->setEnabled(true);
    QCOMPARE(host.caption->grab().toImage(), caption);
}

void TestCommand::writesResetHoverFace_data()
{
    QTest::addColumn<QString>("write");
    QTest::newRow("Enabled = True on an enabled button") << QStringLiteral("enabled");
    QTest::newRow("the same caption again") << QStringLiteral("same caption");
    QTest::newRow("a new caption") << QStringLiteral("new caption");
}

void TestCommand::writesResetHoverFace()
{
    QFETCH(QString, write);
    Host host;
    QVERIFY(host.ready());
    host.button->setCaption(QStringLiteral("浏览"));
    QSignalSpy clicks(host.button, &Command::Click);
    Pointer::move(host.face, host.middle());
    QCOMPARE(host.shown(), QStringLiteral("M1"));
    // The pointer leaves for the window's background: the hover face stays.
    Pointer::move(&host.window, QPoint(5, 5));
    QCOMPARE(host.shown(), QStringLiteral("M1"));

    if (write == QLatin1String("enabled"))
        host.button->setEnabled(true);
    else if (write == QLatin1String("same caption"))
        host.button->setCaption(QStringLiteral("浏览"));
    else
        host.button->setCaption(QStringLiteral("重新浏览"));
    QCOMPARE(host.shown(), QStringLiteral("M0"));
    QVERIFY(host.button->Enabled());
    QCOMPARE(clicks.count(), 0);
}

void TestCommand::emptyCaptionStillClicks()
{
    Host host;
    QVERIFY(host.ready());
    host.button->setCaption(QString());
    QCOMPARE(host.button->Caption(), QString());
    QCOMPARE(host.caption->width(), 0);
    QSignalSpy clicks(host.button, &Command::Click);
    Pointer::press(host.face, Qt::LeftButton, host.middle());
    QCOMPARE(host.shown(), QStringLiteral("M2"));
    Pointer::release(host.face, Qt::LeftButton, host.middle());
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(host.shown(), QStringLiteral("M0"));
}

void TestCommand::keysDoNotClick_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Space") << Qt::Key_Space;
    QTest::newRow("Return") << Qt::Key_Return;
    QTest::newRow("Enter") << Qt::Key_Enter;
}

void TestCommand::keysDoNotClick()
{
    QFETCH(Qt::Key, key);
    Host host;
    QVERIFY(host.ready());
    host.button->setCaption(QStringLiteral("确定"));
    // The button takes the focus by the keyboard too, but no key clicks it.
    host.other->setFocus();
    QTest::keyClick(host.window.windowHandle(), Qt::Key_Tab);
    QTRY_VERIFY(host.button->hasFocus());
    QSignalSpy clicks(host.button, &Command::Click);
    QTest::keyClick(host.window.windowHandle(), key);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(host.shown(), QStringLiteral("M0"));
}

void TestCommand::readProperties_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("storedCaption");
    QTest::addColumn<QString>("expected");
    QTest::newRow("stored caption") << true << QStringLiteral("取消") << QStringLiteral("取消");
    QTest::newRow("stored empty caption") << true << QString() << QString();
    QTest::newRow("missing caption keeps the current one") << false << QString() << QStringLiteral("原有标题");
}

void TestCommand::readProperties()
{
    QFETCH(bool, stored);
    QFETCH(QString, storedCaption);
    QFETCH(QString, expected);
    Host host;
    QVERIFY(host.ready());
    // A new instance shows its design face, none of the three looks.
    QCOMPARE(host.shown(), QStringLiteral("none"));
    host.button->setCaption(QStringLiteral("原有标题"));
    Pointer::move(host.face, host.middle());
    QCOMPARE(host.shown(), QStringLiteral("M1"));

    PropertyBag bag;
    if (stored)
        bag.write(QStringLiteral("Caption"), storedCaption);
    host.button->ReadProperties(bag);
    QCOMPARE(host.button->Caption(), expected);
    QCOMPARE(host.shown(), QStringLiteral("M0"));
}

void TestCommand::propertiesRoundTrip()
{
    Command source;
    Command target;
    PropertyBag bag;
    source.WriteProperties(bag);
    // Saved always, an empty caption too.
    QVERIFY(bag.contains(QStringLiteral("Caption")));
    QCOMPARE(bag.read(QStringLiteral("Caption"), QStringLiteral("x")).toString(), QString());

    source.setCaption(QStringLiteral("举报"));
    source.WriteProperties(bag);
    target.setCaption(QStringLiteral("旧的"));
    target.ReadProperties(bag);
    QCOMPARE(target.Caption(), QStringLiteral("举报"));
    QCOMPARE(shownFace(&target, CommandFaces), QStringLiteral("M0"));
}

QTEST_MAIN(TestCommand)
#include "tst_command.moc"
