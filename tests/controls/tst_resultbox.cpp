#include "ResultBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace
{

constexpr qsizetype MiB = 1 << 20;

// piece repeated until the text holds size characters.
QString filled(const QString &piece, qsizetype size)
{
    QString text;
    text.reserve(size + piece.size());
    while (text.size() < size)
        text += piece;
    text.truncate(size);
    return text;
}

// The box at a result box's size on a panel, shown.
struct ShownBox {
    ResultBox box;
    ShownBox()
    {
        box.resize(313, 153);
        box.show();
    }
    // Paints the box at its top and at its end, so the blocks there are laid
    // out as the user sees them.
    void paintTopAndEnd()
    {
        box.verticalScrollBar()->setValue(0);
        box.grab();
        box.verticalScrollBar()->setValue(box.verticalScrollBar()->maximum());
        box.grab();
    }
};

// The lines the layout made of block.
QStringList laidOutLines(const QTextBlock &block)
{
    QStringList lines;
    const QTextLayout *layout = block.layout();
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        lines.append(block.text().mid(line.textStart(), line.textLength()));
    }
    return lines;
}

// True when shown is reference, or reference one pixel lower: QPlainTextEdit
// puts a top line that is not the first of its block a pixel lower than the
// first of a block (it leaves the leading of the line above out).
bool sameOrOnePixelLower(const QImage &shown, const QImage &reference)
{
    if (shown == reference)
        return true;
    const int height = shown.height() - 1;
    return shown.copy(0, 1, shown.width(), height) == reference.copy(0, 0, reference.width(), height);
}

} // namespace

class TestResultBox : public QObject
{
    Q_OBJECT
private slots:
    void largeTextsAreShownWhole_data();
    void largeTextsAreShownWhole();
    void ordinaryTextWrapsAtWordsAfterALongWord();
    void manyLinesLookAsALineABlock_data();
    void manyLinesLookAsALineABlock();
};

// The shapes a page or a lookup can give, at the 1 MiB a page may hold. The
// box must give back exactly what was set and lay it out within its width;
// how long that takes is measured by the benchmark, not here.
void TestResultBox::largeTextsAreShownWhole_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("one word of 1 MiB") << QString(MiB, QLatin1Char('a'));
    QTest::newRow("lines of 100,000 characters")
        << filled(QString(100000, QLatin1Char('c')) + QStringLiteral("\r\n"), MiB);
    QTest::newRow("many short lines") << filled(QStringLiteral("ab\r\n"), MiB);
    QTest::newRow("line breaks only") << filled(QStringLiteral("\r\n"), MiB);
    QTest::newRow("LF line breaks only") << QString(MiB, QLatin1Char('\n'));
    QTest::newRow("right-to-left lines") << filled(QStringLiteral("ا\n"), MiB);
    QTest::newRow("Arabic digits on lines of their own") << filled(QStringLiteral("٣\n"), MiB);
    QTest::newRow("one line of ordinary words") << filled(QStringLiteral("word "), MiB);
    QTest::newRow("Chinese text") << filled(QStringLiteral("查询结果中文"), MiB);
    QTest::newRow("a long word ending in a short line")
        << QString(MiB - 8, QLatin1Char('z')) + QStringLiteral("\r\nend\r\n");
}

void TestResultBox::largeTextsAreShownWhole()
{
    QFETCH(QString, text);
    ShownBox shown;
    shown.box.setText(QStringLiteral("正在查询域名信息中..."));
    shown.box.setText(text);
    shown.paintTopAndEnd();

    QCOMPARE(shown.box.text(), text);
    QCOMPARE(shown.box.toPlainText(), QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // Nothing runs past the box's edge: every line of the blocks painted fits
    // the width the text has.
    const qreal width = shown.box.viewport()->width();
    for (const QTextBlock &block : {shown.box.document()->firstBlock(), shown.box.document()->lastBlock()}) {
        const QTextLayout *layout = block.layout();
        QVERIFY(block.length() == 1 || layout->lineCount() > 0);
        for (int i = 0; i < layout->lineCount(); ++i)
            QVERIFY2(layout->lineAt(i).naturalTextWidth() <= width,
                     qPrintable(QStringLiteral("line %1 of %2").arg(i).arg(layout->lineCount())));
    }
    // Scrolled to its end, the box shows the text's last line at its foot.
    const QTextCursor foot = shown.box.cursorForPosition(QPoint(1, shown.box.viewport()->height() - 2));
    const QTextBlock last = shown.box.document()->lastBlock();
    QCOMPARE(foot.block().blockNumber(), last.blockNumber());
    QCOMPARE(last.layout()->lineForTextPosition(foot.positionInBlock()).lineNumber(), last.layout()->lineCount() - 1);
}

// After a text that had to wrap anywhere, the next text wraps at its words
// again: no word is cut where a blank could take the break.
void TestResultBox::ordinaryTextWrapsAtWordsAfterALongWord()
{
    ShownBox shown;
    shown.box.setText(QString(MiB, QLatin1Char('a')));
    const QString words = filled(QStringLiteral("registrant organization address "), 4000);
    shown.box.setText(words);
    shown.paintTopAndEnd();

    const QStringList lines = laidOutLines(shown.box.document()->firstBlock());
    QVERIFY2(lines.size() > 10, qPrintable(QString::number(lines.size())));
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        QVERIFY2(lines[i].endsWith(QLatin1Char(' ')), qPrintable(lines[i]));
    QCOMPARE(lines.join(QString()), words);
}

// A text of many lines looks, wraps and scrolls in the box as QPlainTextEdit
// shows it a line a block: the same pixels at the top, in the middle and at
// the end, the same scroll range, the same text read back and copied, before
// and after a new width. Lines that wrap, empty lines, every kind of line break and
// right-to-left lines (whose direction a shared block could change) stand at
// the top and at the end.
void TestResultBox::manyLinesLookAsALineABlock_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("setBeforeShown");
    // Lines that read differently beside others in one block: right-to-left
    // lines next to left-to-right ones, Arabic digits, a digit before a
    // right-to-left letter, an embedding never closed; and lines that wrap.
    // They stand on the first screen, which is laid out: lines off the screen
    // are not laid out a line a block, so their wrapping waits for the scroll.
    const QString directions = QStringLiteral("مرحبا بالعالم 123 hello\r\n"
                                              "hello 123 שלום עולם\r\n"
                                              "1 2\r\n"
                                              "٣ - \r\n"
                                              "٣\r\n"
                                              "שלום a -\r\n"
                                              "1 ب c\r\n"
                                              "- ב\r\n"
                                              "ب ٣ ا\r\n"
                                              "ב, b.\r\n"
                                              "۱۲ ا\r\n"
                                              "مرحبا بالعالم hello 123\r\n"
                                              "\r\n"
                                              "ا\r\n"
                                              "\u202Eright-to-left, never closed\r\n"
                                              "after the embedding\r\n");
    const QString wrapping = QStringLiteral("Registrant: a name long enough that it wraps in the box\r\n"
                                            "注册商：示例网络有限公司北京分公司海淀区中关村\r\n");
    QString middle;
    for (int i = 0; i < 20000; ++i)
        middle += QStringLiteral("line %1\r\n").arg(i);
    const QString text = directions + QStringLiteral("Domain Name: example.cn\r\n\r\n") + wrapping +
                         QStringLiteral("lone CR\rLF\nparagraph separator\u2029end\r\n") + middle + wrapping +
                         QStringLiteral("\r\nlast line");
    QTest::newRow("shown, then set") << text << false;
    QTest::newRow("set, then shown") << text << true;
    QTest::newRow("line breaks only") << filled(QStringLiteral("\r\n"), 100000) << false;
}

void TestResultBox::manyLinesLookAsALineABlock()
{
    QFETCH(QString, text);
    QFETCH(bool, setBeforeShown);
    // The same box, written straight through QPlainTextEdit: a line a block.
    ResultBox box, reference;
    for (ResultBox *each : {&box, &reference}) {
        each->resize(313, 430);
        if (!setBeforeShown)
            each->show();
    }
    box.setText(text);
    reference.QPlainTextEdit::setPlainText(text);
    // The box holds far fewer blocks, so what follows compares grouped lines.
    QVERIFY(box.document()->blockCount() < reference.document()->blockCount() / 10);
    for (ResultBox *each : {&box, &reference})
        each->show();

    QCOMPARE(box.text(), text);
    QCOMPARE(box.toPlainText(), reference.toPlainText());
    for (const int width : {313, 250}) {
        box.resize(width, 430);
        reference.resize(width, 430);
        QScrollBar *bar = box.verticalScrollBar();
        QScrollBar *referenceBar = reference.verticalScrollBar();
        QVERIFY(bar->maximum() > 10000);
        for (const char *where : {"top", "end", "middle"}) {
            for (QScrollBar *each : {bar, referenceBar}) {
                const int value = qstrcmp(where, "top") == 0   ? 0
                                  : qstrcmp(where, "end") == 0 ? each->maximum()
                                                               : each->maximum() / 2;
                each->setValue(value);
            }
            // Painting lays out what is shown, which sets the scroll range.
            const QImage shown = box.viewport()->grab().toImage();
            const QImage referenceShown = reference.viewport()->grab().toImage();
            QCOMPARE(bar->maximum(), referenceBar->maximum());
            QCOMPARE(bar->value(), referenceBar->value());
            QVERIFY(bar->grab().toImage() == referenceBar->grab().toImage());
            QVERIFY2(sameOrOnePixelLower(shown, referenceShown),
                     qPrintable(QStringLiteral("%1 at width %2").arg(where).arg(width)));
        }
    }
    // What the user copies out of the box has the lines as they were.
    QString copied[2];
    for (int i : {0, 1}) {
        ResultBox *each = i == 0 ? &box : &reference;
        each->selectAll();
        each->copy();
        copied[i] = QGuiApplication::clipboard()->text();
    }
    QCOMPARE(copied[0], copied[1]);
}

QTEST_MAIN(TestResultBox)
#include "tst_resultbox.moc"
