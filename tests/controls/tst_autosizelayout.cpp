// Labels that size themselves to their text take the new size the moment the
// text is set: a blocking page fetch runs no layout pass, so a size that
// waited for one would leave the text cut for the whole fetch.

#include "AutoSizeLayout.h"
#include "PanelControls.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QTest>

namespace {

const QString Short = QStringLiteral("Orvalent 5.5");
const QString Long = QStringLiteral("正在查询手机号归属地中...");

int textWidth(const QLabel *label, const QString &text)
{
    return QFontMetrics(label->font()).horizontalAdvance(text);
}

int lineHeight(const QLabel *label)
{
    return QFontMetrics(label->font()).height();
}

} // namespace

class TestAutoSizeLayout : public QObject
{
    Q_OBJECT
private slots:
    void sizeFollowsTheTextAtOnce_data();
    void sizeFollowsTheTextAtOnce();
    void wrapsOnlyWhatDoesNotFitTheParent_data();
    void wrapsOnlyWhatDoesNotFitTheParent();
};

void TestAutoSizeLayout::sizeFollowsTheTextAtOnce_data()
{
    QTest::addColumn<bool>("shownFirst");
    QTest::addColumn<QFont>("font");
    QTest::newRow("on a shown window") << true << QFont();
    QTest::newRow("set before the window is first shown") << false << QFont();
    QTest::newRow("a font of its own") << true << Fonts::ui(12, true);
}

void TestAutoSizeLayout::sizeFollowsTheTextAtOnce()
{
    QFETCH(bool, shownFirst);
    QFETCH(QFont, font);
    QWidget window;
    window.resize(800, 200);
    QLabel *label = PanelControls::caption(&window, "Label1", QRect(8, 150, 72, 14), Short, font);
    if (shownFirst) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    } else {
        QCoreApplication::processEvents(); // the hidden window's pending layout pass
    }

    // No event loop runs between the text and the look at the label.
    label->setText(Long);
    if (!shownFirst) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QCOMPARE(label->pos(), QPoint(8, 150));
    QVERIFY2(label->width() >= textWidth(label, Long),
             qPrintable(QStringLiteral("%1 px for a %2 px text").arg(label->width()).arg(textWidth(label, Long))));
    QVERIFY(label->height() >= lineHeight(label));

    // Back to the short text: the label shrinks at once too.
    label->setText(Short);
    QVERIFY(label->width() >= textWidth(label, Short));
    QVERIFY(label->width() < textWidth(label, Long));

    // A later layout pass keeps the size.
    const QSize fitted = label->size();
    QCoreApplication::processEvents();
    QCOMPARE(label->size(), fitted);
}

void TestAutoSizeLayout::wrapsOnlyWhatDoesNotFitTheParent_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("roomLeft"); // px between the one-line text's end and the parent's edge; < 0: too long
    QTest::newRow("ends a few pixels inside") << QStringLiteral("文件摘要(SHA1)：") + QString(40, 'A') << 3;
    QTest::newRow("one pixel too long") << QStringLiteral("文件摘要(MD5)：") + QString(32, '0') << -1;
    QTest::newRow("far too long") << QStringLiteral("该文件有数字签名，但是数字签名未能通过验证，").repeated(3) << -400;
}

void TestAutoSizeLayout::wrapsOnlyWhatDoesNotFitTheParent()
{
    QFETCH(QString, text);
    QFETCH(int, roomLeft);
    QWidget window;
    auto *panel = new QWidget(&window);
    QLabel *label = PanelControls::caption(panel, "Label9", QRect(40, 20, 84, 17), QStringLiteral("请选择一个文件"));
    AutoSizeLayout::add(label, AutoSizeLayout::Wrap::AtParentEdge);
    // The panel ends roomLeft px behind the text's one-line end.
    const int oneLine = textWidth(label, text);
    const int panelWidth = label->x() + oneLine + roomLeft;
    QVERIFY(panelWidth > label->x() + 100);
    panel->setGeometry(0, 0, panelWidth, 200);
    window.resize(panelWidth + 300, 200); // room beyond the panel does not count
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    label->setText(text);
    for (int pass = 0; pass < 2; ++pass) { // as set, and after a layout pass
        QVERIFY(label->geometry().right() < panel->width());
        if (roomLeft >= 0) {
            QVERIFY2(label->height() < 2 * lineHeight(label),
                     qPrintable(QStringLiteral("%1 px high").arg(label->height())));
            QVERIFY(label->width() >= oneLine);
        } else {
            QVERIFY(label->wordWrap());
            // Every line of the wrapped text has its height.
            QVERIFY(label->height() >= label->heightForWidth(label->width()));
            QVERIFY(label->height() >= 2 * lineHeight(label));
        }
        QCoreApplication::processEvents();
    }

    // A short text after a wrapped one is one line again.
    label->setText(QStringLiteral("请选择一个文件"));
    QVERIFY(label->height() < 2 * lineHeight(label));
    QVERIFY(label->width() >= textWidth(label, QStringLiteral("请选择一个文件")));
}

QTEST_MAIN(TestAutoSizeLayout)
#include "tst_autosizelayout.moc"
