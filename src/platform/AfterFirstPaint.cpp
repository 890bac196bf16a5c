#include "AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

AfterFirstPaint::AfterFirstPaint(QWidget *widget, std::function<void()> work)
    : QObject(widget), m_work(std::move(work))
{
    widget->installEventFilter(this);
}

bool AfterFirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && !m_posted) {
        m_posted = true;
        watched->removeEventFilter(this);
        // The paint this event starts, and the flush to the screen that ends
        // it, are done before the loop comes round to a zero timer.
        QTimer::singleShot(0, this, [this] {
            m_work();
            deleteLater();
        });
    }
    return false;
}
