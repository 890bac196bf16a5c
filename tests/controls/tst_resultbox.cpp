#include "ResultBox.h"

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

} // namespace

class TestResultBox : public QObject
{
    Q_OBJECT
private slots:
    void largeTextsAreShownWhole_data();
    void largeTextsAreShownWhole();
    void ordinaryTextWrapsAtWordsAfterALongWord();
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

QTEST_MAIN(TestResultBox)
#include "tst_resultbox.moc"
