#pragma once

#include <QPlainTextEdit>
#include <QString>

// A read-only multi-line result box. Its text() is exactly what was last
// written, CR LF pairs included, the way the old text box kept its Text:
// QPlainTextEdit itself would hand back LF only. Handlers that "read the box
// back and append" read text(), never toPlainText().
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
