#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QString>

// Small helpers the tool panels share for their labels.
namespace PanelText
{

// A label that sizes itself to its text keeps its left and top and takes the
// size its text needs, every time the text changes.
inline void setAutoSized(QLabel *label, const QString &text)
{
    label->setText(text);
    label->adjustSize();
}

// The grey explanation texts of the panels, wrapped in their box.
inline void makeExplanation(QLabel *label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(84, 84, 84));
    label->setPalette(palette);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

} // namespace PanelText
