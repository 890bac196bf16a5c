#include "ProgramWindowActivation.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

ProgramWindowActivation::ProgramWindowActivation(QWidget *window) : QObject(window), m_window(window)
{
    qApp->installEventFilter(this);
}

ProgramWindowActivation::~ProgramWindowActivation()
{
    qApp->removeEventFilter(this);
}

bool ProgramWindowActivation::countsAsProgramWindow(const QWidget *window)
{
    switch (window->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
        return false;
    default:
        break;
    }
    return !qobject_cast<const QMessageBox *>(window) && !qobject_cast<const QFileDialog *>(window);
}

bool ProgramWindowActivation::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::WindowActivate || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (!widget->isWindow() || !countsAsProgramWindow(widget))
        return false;
    const QWidget *previous = m_lastProgramWindow.data();
    m_lastProgramWindow = widget;
    if (widget == m_window && (!m_everActivated || previous != m_window)) {
        m_everActivated = true;
        emit activated();
    }
    return false;
}
