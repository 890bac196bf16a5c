#include "InfoIcon.h"

#include <QStyle>

InfoIcon::InfoIcon(QWidget *panel, const char *name, const QRect &place, const QString &tooltip) : QLabel(panel)
{
    setObjectName(QString::fromLatin1(name));
    setTextFormat(Qt::PlainText);
    setGeometry(place);
    setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16));
    setToolTip(tooltip);
}
