#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(Fit fit, QWidget *parent) : QWidget(parent), m_fit(fit)
{
    setMouseTracking(true);
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    if (m_fit == Fit::SizeToPicture && !picture.isNull())
        resize(picture.size());
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_fit == Fit::Stretch)
        painter.drawPixmap(rect(), m_picture);
    else
        painter.drawPixmap(0, 0, m_picture);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    m_pressedButton = event->button();
    emit mousePressed(event->button(), event->position());
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->buttons(), event->position());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = event->button() == m_pressedButton && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    if (event->button() == m_pressedButton)
        m_pressedButton = Qt::NoButton;
    emit mouseReleased(event->button(), event->position());
    if (click)
        emit clicked();
}
