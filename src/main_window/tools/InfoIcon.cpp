#include "InfoIcon.h"

#include <QStyle>

InfoIcon::InfoIcon(QWidget *panel, int index, const QRect &place, const QString &tooltip) : QLabel(panel)
{
    setObjectName(QStringLiteral("Picture2_%1").arg(index));
    setGeometry(place);
    setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16));
    setToolTip(tooltip);
}
