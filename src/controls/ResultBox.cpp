#include "ResultBox.h"

#include <QScrollBar>
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
    setPlainText(text);
}
