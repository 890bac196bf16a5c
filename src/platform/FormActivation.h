#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Tells when one of the program's forms becomes the program's active form.
// A form is activated when it gets the focus and the form that had it before
// was another one of ours: coming back from another application to the same
// form, or closing a message box over it, is no activation. Every form of the
// program shares one tracker.
//
//     FormActivation activation;
//     activation.watch(this, [this] { Form_Activate(); });
class FormActivation : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Calls onActivate each time form becomes the active form.
    void watch(QWidget *form, std::function<void()> onActivate);

    // For a form that handles its own activate events: true when the
    // activation of form counts.
    bool enter(QWidget *form);

private:
    QPointer<QWidget> m_lastActive;
};
