#pragma once

#include "AutoSizeLayout.h"
#include "Fonts.h"
#include "InfoIcon.h"
#include "ResultBox.h"
#include "Twips.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include <optional>

// The plain controls of the tool panels, made at their design places (twips)
// with their design names, so the panels read like their design tables.
// Where no font is given a control takes its panel's font.
namespace PanelControls {

// The grey of the panels' explanation texts.
inline const QColor ExplanationGrey(0x54, 0x54, 0x54);

// The panels are white frames without a border.
inline void whitePanel(QWidget *panel)
{
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, Qt::white);
    panel->setPalette(colours);
    panel->setAutoFillBackground(true);
}

// The label's text in the given colour, enabled or not.
inline QLabel *textColour(QLabel *label, const QColor &colour)
{
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    return label;
}

// A label that sizes itself to its text keeps its left and top and takes the
// size its text needs, every time the text changes (see AutoSizeLayout).
inline void setAutoSized(QLabel *label, const QString &text)
{
    label->setText(text);
    AutoSizeLayout::add(label);
}

// A label that keeps its design size whatever its text.
inline QLabel *label(QWidget *panel, const char *name, QRect place, const QString &text,
                     const std::optional<QFont> &font = std::nullopt)
{
    auto *made = new QLabel(panel);
    // Labels show their text as written: a page's words that hold markup
    // must never paint into the program's own windows.
    made->setTextFormat(Qt::PlainText);
    made->setText(text);
    made->setObjectName(QString::fromLatin1(name));
    if (font)
        made->setFont(*font);
    made->setGeometry(place);
    return made;
}

// A transparent caption that sizes itself to its text from its design corner.
inline QLabel *caption(QWidget *panel, const char *name, QRect place, const QString &text,
                       const std::optional<QFont> &font = std::nullopt)
{
    QLabel *made = label(panel, name, place, text, font);
    AutoSizeLayout::add(made);
    return made;
}

// The grey introduction that wraps within its design width.
inline QLabel *introduction(QWidget *panel, const char *name, QRect place, const QString &text,
                            const std::optional<QFont> &font = std::nullopt)
{
    QLabel *made = textColour(label(panel, name, place, text, font), ExplanationGrey);
    made->setWordWrap(true);
    made->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return made;
}

// An input box, white behind its text in every state: a box disabled while
// its tool works stays white (the style would grey it).
inline QLineEdit *inputBox(QWidget *panel, const char *name, QRect place,
                           const std::optional<QFont> &font = std::nullopt)
{
    auto *box = new QLineEdit(panel);
    box->setObjectName(QString::fromLatin1(name));
    if (font)
        box->setFont(*font);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, Qt::white);
    box->setPalette(colours);
    box->setGeometry(place);
    return box;
}

// A plain push button. With the focus it is pressed by Enter and keypad
// Enter as well as by Space, as a focused push button is on the desktop the
// panels come from. Qt gives Enter to a push button only when it is an
// auto-default one (by default, only inside a dialog); an auto-default button
// outside a dialog clicks on Enter while it has the focus, and shows the
// default look only then.
inline QPushButton *button(QWidget *panel, const char *name, QRect place, const QString &text,
                           const std::optional<QFont> &font = std::nullopt)
{
    auto *push = new QPushButton(text, panel);
    push->setAutoDefault(true);
    push->setObjectName(QString::fromLatin1(name));
    if (font)
        push->setFont(*font);
    push->setGeometry(place);
    return push;
}

inline ResultBox *resultBox(QWidget *panel, const char *name, QRect place, bool verticalScrollBar,
                            const QString &text)
{
    auto *box = new ResultBox(panel);
    box->setObjectName(QString::fromLatin1(name));
    box->setVerticalScrollBarPolicy(verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setGeometry(place);
    box->setText(text);
    return box;
}

// A skinned control (Command, Text) at its design place under its design
// name; its looks and caption are its own.
template <typename Skinned>
Skinned *skinned(QWidget *parent, const char *name, QRect place)
{
    auto *control = new Skinned(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(place);
    return control;
}

} // namespace PanelControls
