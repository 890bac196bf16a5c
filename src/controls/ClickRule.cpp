#include "ClickRule.h"

#include <QMouseEvent>
#include <QWidget>

void ClickRule::press(const QMouseEvent &event, const QWidget *part)
{
    if (event.button() == Qt::LeftButton)
        m_pressedPart = part;
}

bool ClickRule::release(const QMouseEvent &event, const QWidget *part)
{
    if (event.button() != Qt::LeftButton)
        return false;
    const bool click = m_pressedPart == part && part->rect().contains(event.position().toPoint());
    m_pressedPart = nullptr;
    return click;
}
