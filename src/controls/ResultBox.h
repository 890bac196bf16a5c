#pragma once

#include <QList>
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
//
// A text of many lines shows them several to a block, parted by line
// separators (toPlainText() reads them as "\n"): a block a line would cost
// hundreds of MiB and a second for half a million short lines. They look and
// scroll as they would a line a block; lines share a block only with lines
// of the same direction, so each reads as it would alone.
class ResultBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ResultBox(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void countBlockLines();

    QString m_text;
    QList<int> m_lineCounts; // the lines of each block shown, when several share one
};
