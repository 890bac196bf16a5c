#include "Fonts.h"

#include <QStringList>

namespace Fonts {

void install()
{
    // insertSubstitutions appends only families not yet in the list, so a
    // second call leaves the lists as they are.
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"),
                               {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Microsoft YaHei"),
                               {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")});
}

QFont ui(qreal pointSize, bool bold)
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QFont verdana(qreal pointSize)
{
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif); // any installed sans font where Verdana is missing
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace Fonts
