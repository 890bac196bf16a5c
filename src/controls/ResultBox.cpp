#include "ResultBox.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBoundaryFinder>

namespace
{

// The scroll bar's own skin: a grey thumb on a pale track, the thumb the
// darker part as on the desktops the program comes from. The widget style's
// bar (a light thumb on a darker groove) read as an empty bar on the
// panels' white.
const char *const ScrollBarSkin = R"(
QScrollBar:vertical { background: #F0F0F0; width: 14px; margin: 0; border-left: 1px solid #E2E2E2; }
QScrollBar::handle:vertical { background: #B0B5BC; min-height: 24px; margin: 2px 2px 2px 3px; border-radius: 3px; }
QScrollBar::handle:vertical:hover { background: #8F969F; }
QScrollBar::handle:vertical:pressed { background: #6F7782; }
QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; border: none; background: none; }
QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }
)";

// Qt's word wrap lays out a run of text with no break chance in time that
// grows with the square of its length: each line scans the whole rest of the
// run before it breaks it anywhere (one word of 1 MiB takes minutes). Runs up
// to this length stay well under a second even when the whole text is made
// of them.
constexpr qsizetype LongestWordWrappedRun = 1024;

// True when text holds a stretch longer than LongestWordWrappedRun between
// two line-break chances, as the layout finds them.
bool hasOverlongRun(const QString &text)
{
    if (text.size() <= LongestWordWrappedRun)
        return false;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype last = 0;
    for (qsizetype at = breaks.toNextBoundary(); at != -1; at = breaks.toNextBoundary()) {
        if (at - last > LongestWordWrappedRun)
            return true;
        last = at;
    }
    return false;
}

// The document keeps each block in a few hundred bytes and takes a microsecond
// or two a block to build, so a text of half a million short lines holds
// hundreds of MiB and a second of work. Lines are shown several to a block
// instead, parted by line separators, which lay out as line ends: up to this
// many lines and characters a block, which keeps the layout of a block the
// user scrolls to well under a millisecond or two.
constexpr int LinesPerBlock = 128;
constexpr qsizetype CharactersPerBlock = 4096;
// Texts of no more lines than this are shown a line a block, as written.
constexpr qsizetype LinesShownAsWritten = 4096;

// The characters the document starts a new block at, as it reads a text
// ("\r\n" is one).
bool isLineBreak(char16_t c)
{
    switch (c) {
    case u'\n':
    case u'\r':
    case QChar::ParagraphSeparator:
    case 0xFDD0: // the document's own frame marks
    case 0xFDD1: return true;
    default: return false;
    }
}

// How a line may share a block. The layout works out directions over the
// whole block, line separators or not: the block's from its first letter, a
// digit's and a blank's from the letters before and after it. So a line
// shares a block only with lines beside which it reads as it does alone: a
// line without right-to-left letters, Arabic digits and direction marks with
// others like it (LeftToRight); a line whose first letter is right-to-left,
// with no digit before that letter and no direction marks, with others like
// it (RightToLeft). Any other line keeps a block of its own (Own), up to
// MostOwnBlocks of them: past that, such lines share blocks among themselves
// (Crowded), each may read a little differently, but a page of half a million
// Arabic digits on lines of their own shows as fast as any other.
enum class LineKind { LeftToRight, RightToLeft, Own, Crowded };
constexpr int MostOwnBlocks = 8192;

LineKind lineKind(QStringView line)
{
    enum { None, Left, Right } firstLetter = None;
    bool digitFirst = false;
    bool arabicDigit = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        char32_t c = line[i].unicode();
        if (c < 0x0590 && firstLetter != None)
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < line.size() && line[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), line[++i].unicode());
        switch (QChar::direction(c)) {
        case QChar::DirL:
            if (firstLetter == None)
                firstLetter = Left;
            break;
        case QChar::DirR:
        case QChar::DirAL:
            if (firstLetter == None)
                firstLetter = Right;
            else if (firstLetter == Left)
                return LineKind::Own;
            break;
        case QChar::DirEN: digitFirst = digitFirst || firstLetter == None; break;
        case QChar::DirAN:
            if (firstLetter != Right)
                arabicDigit = true;
            break;
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirPDF:
        case QChar::DirLRI:
        case QChar::DirRLI:
        case QChar::DirFSI:
        case QChar::DirPDI: return LineKind::Own;
        default: break;
        }
    }
    if (firstLetter == Right)
        return digitFirst ? LineKind::Own : LineKind::RightToLeft;
    return arabicDigit ? LineKind::Own : LineKind::LeftToRight;
}

// text as the box shows it: its lines several to a block, parted by line
// separators, a block ending in "\n"; lineCounts gets the lines of each block.
// The document reads a line separator back as "\n", as it reads each of the
// text's own line breaks, so toPlainText() stays what it was a line a block.
QString groupedLines(const QString &text, QList<int> &lineCounts)
{
    QString shown;
    shown.reserve(text.size());
    lineCounts.clear();
    int linesInBlock = 0;
    qsizetype blockStart = 0;
    LineKind blockKind = LineKind::LeftToRight;
    int ownBlocks = 0;
    const qsizetype size = text.size();
    qsizetype at = 0;
    while (true) {
        qsizetype end = at;
        while (end < size && !isLineBreak(text[end].unicode()))
            ++end;
        const QStringView line = QStringView(text).sliced(at, end - at);
        LineKind kind = lineKind(line);
        if (kind == LineKind::Own && ++ownBlocks > MostOwnBlocks)
            kind = LineKind::Crowded;
        if (linesInBlock > 0) {
            if (kind != LineKind::Own && kind == blockKind && linesInBlock < LinesPerBlock &&
                shown.size() - blockStart + line.size() < CharactersPerBlock) {
                shown += QChar::LineSeparator;
            } else {
                shown += QLatin1Char('\n');
                lineCounts.append(linesInBlock);
                linesInBlock = 0;
                blockStart = shown.size();
            }
        }
        shown += line;
        ++linesInBlock;
        blockKind = kind;
        if (end == size)
            break;
        at = end + (text[end] == u'\r' && end + 1 < size && text[end + 1] == u'\n' ? 2 : 1);
    }
    lineCounts.append(linesInBlock);
    return shown;
}

} // namespace

ResultBox::ResultBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setStyleSheet(QString::fromLatin1(ScrollBarSkin));
}

void ResultBox::setText(const QString &text)
{
    m_text = text;
    // A text with an overlong run wraps anywhere, which lays out in time
    // linear in its length; every other text wraps at its words.
    const QTextOption::WrapMode wrap =
        hasOverlongRun(text) ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != wrap) {
        // A new wrap lays the old text out again: empty the box first, so an
        // overlong run it holds is never laid out at its words.
        clear();
        setWordWrapMode(wrap);
    }
    QList<int> lineCounts;
    QString shown = groupedLines(text, lineCounts);
    qsizetype lines = 0;
    for (const int count : std::as_const(lineCounts))
        lines += count;
    if (lines <= LinesShownAsWritten) {
        lineCounts.clear();
        shown = text;
    }
    m_lineCounts = lineCounts;
    setPlainText(shown);
    countBlockLines();
}

// The scroll bar counts lines, and the layout counts a block it has not laid
// out yet as one line: a block of 128 lines would take one step of the bar
// and the bar would cover a fraction of the text. Each block not laid out
// counts its lines instead, as the document would count them a line a block.
void ResultBox::countBlockLines()
{
    // The counts are of the blocks setText() wrote, not of a text put in
    // through QPlainTextEdit itself.
    if (document()->blockCount() != m_lineCounts.size())
        return;
    bool counted = false;
    QTextBlock block = document()->firstBlock();
    for (qsizetype i = 0; i < m_lineCounts.size(); ++i, block = block.next()) {
        const int lines = m_lineCounts.at(i);
        // A block laid out has at least its lines: one with fewer is counted
        // as one line, not laid out yet.
        if (block.lineCount() < lines) {
            block.setLineCount(lines);
            counted = true;
        }
    }
    if (counted) {
        // The box sets its scroll bar's range when the document's size changes.
        QAbstractTextDocumentLayout *layout = document()->documentLayout();
        emit layout->documentSizeChanged(layout->documentSize());
    }
}

// A new width lays the document out anew, every block counted as one line.
void ResultBox::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    countBlockLines();
}
