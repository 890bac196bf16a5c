#include "ResultBox.h"

ResultBox::ResultBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ResultBox::setText(const QString &text)
{
    m_text = text;
    setPlainText(text);
}
