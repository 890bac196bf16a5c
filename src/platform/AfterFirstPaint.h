#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs a piece of work once, after a widget has painted itself for the first
// time, from the event loop: slow work that must not hold back the first
// picture of a window (the splash) waits until that picture is on the screen.
// Owned by the widget; it goes once it has run.
class AfterFirstPaint : public QObject
{
    Q_OBJECT
public:
    AfterFirstPaint(QWidget *widget, std::function<void()> work);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_work;
    bool m_posted = false;
};
