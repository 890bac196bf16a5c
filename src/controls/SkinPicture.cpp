#include "SkinPicture.h"

#include <QMouseEvent>

SkinPicture::SkinPicture(QWidget *parent)
    : QLabel(parent)
{
    setMouseTracking(true);
    setTextFormat(Qt::PlainText);
}

void SkinPicture::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    emit pressed();
}

void SkinPicture::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit moved();
}

void SkinPicture::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const bool wasDown = m_leftDown;
    m_leftDown = false;
    if (wasDown && rect().contains(event->position().toPoint()))
        emit clicked();
}
