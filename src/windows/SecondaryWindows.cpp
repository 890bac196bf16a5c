#include "SecondaryWindows.h"

#include "Form2.h"
#include "Form5.h"

namespace {

void bringToFront(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

SecondaryWindows::SecondaryWindows(const Dependencies &dependencies, QObject *parent)
    : QObject(parent), m_deps(dependencies)
{
}

SecondaryWindows::~SecondaryWindows()
{
    delete m_about;
    delete m_paidServices;
}

void SecondaryWindows::showAbout()
{
    if (!m_about)
        m_about = new Form5();
    bringToFront(m_about);
}

void SecondaryWindows::showPaidServices()
{
    if (!m_paidServices)
        m_paidServices = new Form2(*m_deps.fetcher, *m_deps.random);
    bringToFront(m_paidServices);
}
