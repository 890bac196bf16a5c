#include "Frm.h"

#include "Fonts.h"
#include "Twips.h"

Frm::Frm(QWidget *parent)
    : SelectorControl({QStringLiteral(":/controls/faces/tabfrm/frm_normal.png"),
                       QStringLiteral(":/controls/faces/tabfrm/frm_selected.png"), Fonts::ui(12), QColor(0, 0, 0),
                       QColor(255, 255, 255), Twips::toPixels(1170), Twips::toPixels(195),
                       QSize(Twips::toPixels(2325), Twips::toPixels(3420))},
                      parent)
{
}
