#include "WindowDrag.h"

#include "Twips.h"

#include <cfenv>
#include <cmath>

namespace {

bool fits16(double value)
{
    return value >= -32768.0 && value <= 32767.0;
}

} // namespace

double WindowDrag::roundHalfEven(double value)
{
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(mode);
    return rounded;
}

void WindowDrag::press(Qt::MouseButton button, QPointF pointPixels)
{
    if (button != Qt::LeftButton)
        return;
    const double x = roundHalfEven(pointPixels.x() * Twips::PerPixel);
    const double y = roundHalfEven(pointPixels.y() * Twips::PerPixel);
    if (!fits16(x) || !fits16(y))
        return; // a press point that cannot be held starts no drag
    m_active = true;
    m_startX = static_cast<int>(x);
    m_startY = static_cast<int>(y);
}

std::optional<QPoint> WindowDrag::move(QPoint windowPixels, QPointF pointPixels) const
{
    if (!m_active)
        return std::nullopt;
    const auto twips = newPositionTwips(double(windowPixels.x()) * Twips::PerPixel,
                                        double(windowPixels.y()) * Twips::PerPixel, m_startX, m_startY,
                                        pointPixels.x() * Twips::PerPixel, pointPixels.y() * Twips::PerPixel);
    if (!twips)
        return std::nullopt;
    return QPoint(static_cast<int>(std::lround(twips->x() / double(Twips::PerPixel))),
                  static_cast<int>(std::lround(twips->y() / double(Twips::PerPixel))));
}

std::optional<QPoint> WindowDrag::newPositionTwips(double windowLeft, double windowTop, int startX, int startY,
                                                   double x, double y)
{
    const double left = roundHalfEven((windowLeft - startX) + x);
    const double top = roundHalfEven((windowTop - startY) + y);
    if (!fits16(left) || !fits16(top))
        return std::nullopt;
    return QPoint(static_cast<int>(left), static_cast<int>(top));
}
