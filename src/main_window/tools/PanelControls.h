#pragma once

#include "Fonts.h"
#include "ResultBox.h"
#include "Twips.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

// The plain controls of the tool panels, made at their design places (twips)
// with their design names, so the panels read like their design tables.
namespace PanelControls {

// The panels are white frames without a border.
inline void whitePanel(QWidget *panel)
{
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, Qt::white);
    panel->setPalette(colours);
    panel->setAutoFillBackground(true);
}

// A transparent caption that sizes itself to its text from its design corner.
inline QLabel *caption(QWidget *panel, const char *name, QRect place, const QString &text, const QFont &font)
{
    auto *label = new QLabel(text, panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setGeometry(place);
    label->adjustSize();
    return label;
}

// The grey introduction that wraps within its design width.
inline QLabel *introduction(QWidget *panel, const char *name, QRect place, const QString &text)
{
    auto *label = new QLabel(text, panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, QColor(0x54, 0x54, 0x54));
    label->setPalette(colours);
    label->setGeometry(place);
    return label;
}

inline QLineEdit *inputBox(QWidget *panel, const char *name, QRect place)
{
    auto *box = new QLineEdit(panel);
    box->setObjectName(QString::fromLatin1(name));
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, Qt::white);
    box->setPalette(colours);
    box->setGeometry(place);
    return box;
}

inline QPushButton *button(QWidget *panel, const char *name, QRect place, const QString &text)
{
    auto *push = new QPushButton(text, panel);
    push->setObjectName(QString::fromLatin1(name));
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

// A 16 x 16 information icon with its tooltip.
inline QLabel *informationIcon(QWidget *panel, const char *name, QRect place, const QString &tip)
{
    auto *icon = new QLabel(panel);
    icon->setObjectName(QString::fromLatin1(name));
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16));
    icon->setToolTip(tip);
    icon->move(place.topLeft());
    icon->resize(16, 16);
    return icon;
}

} // namespace PanelControls
