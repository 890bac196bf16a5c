#include "FaceProbe.h"
#include "Fonts.h"
#include "PropertyBag.h"
#include "Text.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <stdexcept>

namespace {

// A host window holding one text box at the report window's size and a line
// edit that holds the focus first.
struct Host
{
    QWidget window;
    Text *text = nullptr;
    QLineEdit *inner = nullptr;
    QLabel *frame = nullptr;
    QLineEdit *other = nullptr;

    Host()
    {
        window.resize(400, 150);
        text = new Text(&window);
        text->setGeometry(Twips::rect(300, 300, 4215, 420));
        inner = text->findChild<QLineEdit *>(QStringLiteral("Text1"));
        frame = text->findChild<QLabel *>(QStringLiteral("Image1"));
        other = new QLineEdit(&window);
        other->setGeometry(10, 100, 100, 24);
        window.show();
        window.activateWindow();
    }
    bool ready()
    {
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        other->setFocus();
        return other->hasFocus();
    }
};

} // namespace

class TestText : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Fonts::install(); }

    void layout_data();
    void layout();
    void clickOnTheParts_data();
    void clickOnTheParts();
    void changeOnWriteAndTyping();
    void maxLength_data();
    void maxLength();
    void loweredMaxLengthKeepsTheText();
    void outOfRangeMaxLengthRefused_data();
    void outOfRangeMaxLengthRefused();
    void disabledBoxKeepsFrame();
    void readProperties_data();
    void readProperties();
    void propertiesRoundTrip();
};

void TestText::layout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QRect>("framePixels"); // edges rounded to the nearest pixel
    QTest::addColumn<QRect>("boxPixels");
    QTest::newRow("report window Text1") << 4215 << 420 << QRect(10, 0, 4075, 420) << QRect(90, 75, 3915, 270)
                                         << QRect(1, 0, 271, 28) << QRect(6, 5, 261, 18);
    QTest::newRow("report window Text4") << 4455 << 420 << QRect(10, 0, 4315, 420) << QRect(90, 75, 4155, 270)
                                         << QRect(1, 0, 287, 28) << QRect(6, 5, 277, 18);
    QTest::newRow("design size") << 6075 << 735 << QRect(10, 0, 5935, 735) << QRect(90, 75, 5775, 585)
                                 << QRect(1, 0, 395, 49) << QRect(6, 5, 385, 39);
    QTest::newRow("below the box's minimum") << 210 << 120 << QRect(10, 0, 70, 120) << QRect(90, 75, 0, 0)
                                             << QRect(1, 0, 4, 8) << QRect(6, 5, 0, 0);
}

void TestText::layout()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QRect, frame);
    QFETCH(QRect, box);
    QFETCH(QRect, framePixels);
    QFETCH(QRect, boxPixels);
    const Text::Parts parts = Text::partsFor(width, height);
    QCOMPARE(parts.frame, frame);
    QCOMPARE(parts.box, box);

    // A control sized by its host places its parts there.
    QWidget window;
    auto *text = new Text(&window);
    text->setGeometry(Twips::rect(0, 0, width, height));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(text->findChild<QLabel *>(QStringLiteral("Image1"))->geometry(), framePixels);
    QCOMPARE(text->findChild<QLineEdit *>(QStringLiteral("Text1"))->geometry(), boxPixels);
}

void TestText::clickOnTheParts_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("boxEnabled");
    QTest::addColumn<bool>("boxFocused");
    QTest::newRow("frame above the box") << "frame" << true << false;
    QTest::newRow("strip at the left end") << "left strip" << true << true;
    QTest::newRow("strip at the left end, box disabled") << "left strip" << false << false;
    QTest::newRow("strip at the right end") << "right strip" << true << true;
    QTest::newRow("strip at the right end, box disabled") << "right strip" << false << false;
    QTest::newRow("in the box") << "box" << true << true;
}

void TestText::clickOnTheParts()
{
    QFETCH(QString, where);
    QFETCH(bool, boxEnabled);
    QFETCH(bool, boxFocused);
    Host host;
    QVERIFY(host.ready());
    host.text->setEnabled(boxEnabled);

    // Points in the control's own pixels: the frame covers up to
    // W - 130 twips, the strip beyond it is the control's own surface.
    const QRect frame = host.frame->geometry();
    const QRect box = host.inner->geometry();
    QPoint point;
    if (where == QLatin1String("frame"))
        point = QPoint(box.center().x(), (box.top() + frame.top()) / 2);
    else if (where == QLatin1String("left strip"))
        point = QPoint(frame.left() - 1, host.text->height() / 2);
    else if (where == QLatin1String("right strip"))
        point = QPoint((frame.right() + host.text->width()) / 2 + 1, host.text->height() / 2);
    else
        point = box.center();
    QVERIFY(host.text->childAt(point) == (where == QLatin1String("frame") ? static_cast<QWidget *>(host.frame)
                                          : where == QLatin1String("box") ? static_cast<QWidget *>(host.inner)
                                                                          : nullptr));

    Pointer::click(host.text, Qt::LeftButton, point);
    QCOMPARE(host.inner->hasFocus(), boxFocused);
    QCOMPARE(host.other->hasFocus(), !boxFocused);
}

void TestText::changeOnWriteAndTyping()
{
    Host host;
    QVERIFY(host.ready());
    QSignalSpy changes(host.text, &Text::Change);
    host.text->setText(QStringLiteral("http://example.cn"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(host.inner->text(), QStringLiteral("http://example.cn"));

    host.text->setText(QString());
    QCOMPARE(changes.count(), 2);
    host.inner->setFocus();
    QTest::keyClicks(host.inner, QStringLiteral("abc"));
    QCOMPARE(changes.count(), 5);
    QTest::keyClick(host.inner, Qt::Key_Backspace);
    QCOMPARE(changes.count(), 6);
    QCOMPARE(host.text->text(), QStringLiteral("ab"));

    // Writing the text the box already holds is a change all the same.
    host.text->setText(QStringLiteral("ab"));
    QCOMPARE(changes.count(), 7);
    QCOMPARE(host.text->text(), QStringLiteral("ab"));
}

void TestText::maxLength_data()
{
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("typedKept");
    QTest::addColumn<int>("writtenKept");
    const QString longText(40000, QLatin1Char('w'));
    QTest::newRow("0 is no limit") << 0 << QString(60, QLatin1Char('t')) << longText << 60 << 40000;
    QTest::newRow("5 limits typing, not writing") << 5 << QStringLiteral("abcdefgh") << QStringLiteral("12345678") << 5 << 8;
    QTest::newRow("largest limit") << 32767 << QStringLiteral("abc") << longText << 3 << 40000;
}

void TestText::maxLength()
{
    QFETCH(int, maxLength);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(int, typedKept);
    QFETCH(int, writtenKept);
    Host host;
    QVERIFY(host.ready());
    host.text->setMaxLength(maxLength);
    QCOMPARE(host.text->MaxLength(), maxLength);

    host.inner->setFocus();
    QTest::keyClicks(host.inner, typed);
    QCOMPARE(host.text->text(), typed.left(typedKept));
    host.text->setText(written);
    QCOMPARE(host.text->text().size(), writtenKept);
}

void TestText::loweredMaxLengthKeepsTheText()
{
    Host host;
    QVERIFY(host.ready());
    host.text->setText(QStringLiteral("abcdefgh"));
    host.text->setMaxLength(3);
    QCOMPARE(host.text->text(), QStringLiteral("abcdefgh"));

    // Typing cannot lengthen it; deleting shortens it, and once below the
    // limit it may grow up to the limit again.
    host.inner->setFocus();
    host.inner->end(false);
    QTest::keyClicks(host.inner, QStringLiteral("x"));
    QCOMPARE(host.text->text(), QStringLiteral("abcdefgh"));
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(host.inner, Qt::Key_Backspace);
    QCOMPARE(host.text->text(), QStringLiteral("a"));
    QTest::keyClicks(host.inner, QStringLiteral("xyz"));
    QCOMPARE(host.text->text(), QStringLiteral("axy"));
}

void TestText::outOfRangeMaxLengthRefused_data()
{
    QTest::addColumn<int>("value");
    QTest::newRow("-1") << -1;
    QTest::newRow("-32768") << -32768;
    QTest::newRow("beyond 16 bits") << 32768;
}

void TestText::outOfRangeMaxLengthRefused()
{
    QFETCH(int, value);
    Text text;
    text.setMaxLength(7);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, text.setMaxLength(value));
    QCOMPARE(text.MaxLength(), 7);
}

void TestText::disabledBoxKeepsFrame()
{
    Host host;
    QVERIFY(host.ready());
    const qint64 frameBefore = host.frame->pixmap().cacheKey();
    host.text->setText(QStringLiteral("ab"));
    host.text->setEnabled(false);
    QVERIFY(!host.text->Enabled());
    QVERIFY(!host.inner->isEnabled());
    QVERIFY(host.frame->isEnabled());
    QCOMPARE(host.frame->pixmap().cacheKey(), frameBefore);
    Pointer::click(host.inner, Qt::LeftButton, host.inner->rect().center());
    QTest::keyClicks(host.inner, QStringLiteral("cd"));
    QCOMPARE(host.text->text(), QStringLiteral("ab"));
    host.text->setEnabled(true);
    QVERIFY(host.text->Enabled());
}

void TestText::readProperties_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("stored length") << QVariant(12) << 12 << QString();
    QTest::newRow("stored 0, no limit") << QVariant(0) << 0 << QString();
    QTest::newRow("missing keeps the current length") << QVariant() << 7 << QString();
    QTest::newRow("stored negative") << QVariant(-5) << 7 << QStringLiteral("range");
    QTest::newRow("stored beyond 16 bits") << QVariant(70000) << 7 << QStringLiteral("range");
    QTest::newRow("stored text") << QVariant(QStringLiteral("abc")) << 7 << QStringLiteral("not a number");
}

void TestText::readProperties()
{
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    QFETCH(QString, refusal);
    Text text;
    text.setMaxLength(7);
    PropertyBag bag;
    if (stored.isValid())
        bag.write(QStringLiteral("MaxLength"), stored);
    if (refusal == QLatin1String("range"))
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, text.ReadProperties(bag));
    else if (refusal == QLatin1String("not a number"))
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, text.ReadProperties(bag));
    else
        text.ReadProperties(bag);
    QCOMPARE(text.MaxLength(), expected);
}

void TestText::propertiesRoundTrip()
{
    Text source;
    PropertyBag bag;
    // Saved always, 0 too.
    source.WriteProperties(bag);
    QVERIFY(bag.contains(QStringLiteral("MaxLength")));
    QCOMPARE(bag.read(QStringLiteral("MaxLength"), -1).toInt(), 0);

    Text target;
    target.setMaxLength(9);
    target.ReadProperties(bag);
    QCOMPARE(target.MaxLength(), 0);

    source.setMaxLength(30);
    source.WriteProperties(bag);
    target.ReadProperties(bag);
    QCOMPARE(target.MaxLength(), 30);
    // Text is not persisted.
    source.setText(QStringLiteral("不保存"));
    PropertyBag textBag;
    source.WriteProperties(textBag);
    QCOMPARE(textBag.read(QStringLiteral("Text"), QStringLiteral("absent")).toString(), QStringLiteral("absent"));
}

QTEST_MAIN(TestText)
#include "tst_text.moc"
