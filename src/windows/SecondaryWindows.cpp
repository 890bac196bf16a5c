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
    delete m_update;
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

void SecondaryWindows::showUpdate()
{
    if (!m_update)
        m_update = new Form4(*m_deps.fetcher, *m_deps.boxes, *m_deps.shell, m_deps.folder, m_deps.closePictures);
    bringToFront(m_update);
}
