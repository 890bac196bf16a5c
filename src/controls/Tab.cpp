#include "Tab.h"

#include "Twips.h"

static QFont tabFont()
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSizeF(10.5);
    font.setWeight(QFont::Bold);
    return font;
}

Tab::Tab(QWidget *parent)
    : SelectorControl({QStringLiteral(":/controls/faces/tabfrm/tab_normal.png"),
                       QStringLiteral(":/controls/faces/tabfrm/tab_selected.png"), tabFont(), QColor(255, 255, 255),
                       QColor(0, 0, 0), Twips::toPixels(840), Twips::toPixels(90),
                       QSize(Twips::toPixels(1695), Twips::toPixels(495))},
                      parent)
{
}
