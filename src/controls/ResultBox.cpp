#include "ResultBox.h"

#include <QScrollBar>

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

} // namespace

ResultBox::ResultBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setStyleSheet(QString::fromLatin1(ScrollBarSkin));
}

void ResultBox::setText(const QString &text)
{
    m_text = text;
    setPlainText(text);
}
