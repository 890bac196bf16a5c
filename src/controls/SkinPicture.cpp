#include "SkinPicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

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

void SkinPicture::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Taken, so it does not come back as a press; its release then finds no
    // press to complete and clicks nothing.
    event->accept();
}

void SkinPicture::paintEvent(QPaintEvent *event)
{
    if (isEnabled() || pixmap().isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    // The label would grey a disabled picture; draw it the way the enabled
    // label does instead.
    QPainter painter(this);
    const QRect area = contentsRect();
    QPixmap face = pixmap();
    if (hasScaledContents()) {
        const qreal ratio = devicePixelRatio();
        face = face.scaled(area.size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        face.setDevicePixelRatio(ratio);
    }
    style()->drawItemPixmap(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), face);
}
