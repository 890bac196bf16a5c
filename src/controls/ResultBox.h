#pragma once

#include <QPlainTextEdit>
#include <QString>

// A read-only multi-line result box. Its text() is exactly what was last
// written, CR LF pairs included, the way the old text box kept its Text:
// QPlainTextEdit itself would hand back LF only. Handlers that "read the box
// back and append" read text(), never toPlainText().
//
// The box wraps at word boundaries, a word too long for its line anywhere.
// A text holding a run of more than 1024 characters without a break chance
// (one long word) wraps anywhere throughout: word wrap would lay it out in
// time that grows with the square of the run, and freeze the window.
class ResultBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ResultBox(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

private:
    QString m_text;
};
