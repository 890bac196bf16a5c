#include "Frm.h"

#include "Twips.h"

static QFont frmFont()
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSize(12);
    font.setWeight(QFont::Normal);
    return font;
}

Frm::Frm(QWidget *parent)
    : SelectorControl({QStringLiteral(":/controls/faces/tabfrm/frm_normal.png"),
                       QStringLiteral(":/controls/faces/tabfrm/frm_selected.png"), frmFont(), QColor(0, 0, 0),
                       QColor(255, 255, 255), Twips::toPixels(1170), Twips::toPixels(195),
                       QSize(Twips::toPixels(2325), Twips::toPixels(3420))},
                      parent)
{
}
