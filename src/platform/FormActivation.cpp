#include "FormActivation.h"

#include <QEvent>

namespace {

class ActivateFilter : public QObject
{
public:
    ActivateFilter(QWidget *form, FormActivation *tracker, std::function<void()> onActivate)
        : QObject(form), m_tracker(tracker), m_onActivate(std::move(onActivate))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate && m_tracker->enter(static_cast<QWidget *>(watched)))
            m_onActivate();
        return false;
    }

private:
    FormActivation *m_tracker;
    std::function<void()> m_onActivate;
};

} // namespace

void FormActivation::watch(QWidget *form, std::function<void()> onActivate)
{
    form->installEventFilter(new ActivateFilter(form, this, std::move(onActivate)));
}

bool FormActivation::enter(QWidget *form)
{
    if (m_lastActive == form)
        return false;
    m_lastActive = form;
    return true;
}
