#pragma once

#include <QPlainTextEdit>
#include <QString>

// A locked multi-line text box whose text reads back exactly as it was
// written, CR LF pairs included: the tools build their results by appending
// to the box's text and replacing within it, so the line breaks must survive
// the round trip. The user sees each CR LF (or lone CR or LF) as a line break.
class ResultBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ResultBox(QWidget *parent = nullptr) : QPlainTextEdit(parent)
    {
        setReadOnly(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Base, Qt::white);
        setPalette(colours);
    }

    QString text() const { return m_text; }
    void setText(const QString &text)
    {
        m_text = text;
        QString shown = text;
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        setPlainText(shown);
    }

private:
    QString m_text;
};
