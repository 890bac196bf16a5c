#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

PictureBox::PictureBox(Fit fit, QWidget *parent)
    : QLabel(parent), m_fit(fit)
{
    setMouseTracking(true);
    setTextFormat(Qt::PlainText); // a picture, never markup
    if (fit == Fit::Stretch)
        setScaledContents(true);
    else
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::setPicture(const QPixmap &picture)
{
    setPixmap(picture);
    if (m_fit == Fit::SizeToPicture && !picture.isNull())
        resize(picture.size());
}

void PictureBox::paintEvent(QPaintEvent *event)
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

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    m_click.press(*event, this);
    emit mousePressed(event->button(), event->position());
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved(event->buttons(), event->position());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool click = m_click.release(*event, this);
    emit mouseReleased(event->button(), event->position());
    if (click)
        emit clicked();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Taken, so it does not come back as a press; its release then finds no
    // press to complete and clicks nothing.
    event->accept();
}
