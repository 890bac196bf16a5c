#include "SurfaceDrag.h"

#include <QMouseEvent>
#include <QWidget>

bool SurfaceDrag::overSurface(QPointF position) const
{
    return m_window.childAt(position.toPoint()) == nullptr;
}

bool SurfaceDrag::press(const QMouseEvent &event)
{
    if (!overSurface(event.position()))
        return false;
    m_pressed = true;
    m_drag.press(event.button(), event.position());
    return true;
}

bool SurfaceDrag::isSurfaceMove(const QMouseEvent &event) const
{
    return m_pressed || (event.buttons() == Qt::NoButton && overSurface(event.position()));
}

void SurfaceDrag::follow(const QMouseEvent &event)
{
    if (const auto place = m_drag.move(m_window.pos(), event.position()))
        m_window.move(*place);
}

void SurfaceDrag::release()
{
    m_pressed = false;
    m_drag.release();
}
