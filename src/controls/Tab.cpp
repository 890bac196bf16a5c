#include "Tab.h"

#include "Fonts.h"
#include "Twips.h"

Tab::Tab(QWidget *parent)
    : SelectorControl({QStringLiteral(":/controls/faces/tabfrm/tab_normal.png"),
                       QStringLiteral(":/controls/faces/tabfrm/tab_selected.png"), Fonts::ui(10.5, true),
                       QColor(255, 255, 255), QColor(0, 0, 0), Twips::toPixels(840), Twips::toPixels(90),
                       QSize(Twips::toPixels(1695), Twips::toPixels(495))},
                      parent)
{
}
