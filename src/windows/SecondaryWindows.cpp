#include "SecondaryWindows.h"

#include "Form2.h"
#include "Form5.h"
#include "Text.h"

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
    delete m_report;
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

void SecondaryWindows::showReport(const QString &address)
{
    // The report window lives on its browser views; without them there is none.
    if (!m_deps.browsers || !m_deps.boxes)
        return;
    if (!m_report) {
        QPointer<QWidget> mainWindow = m_deps.mainWindow;
        m_report = new Form3({*m_deps.boxes, *m_deps.browsers, m_deps.folder, m_deps.closePictures.normal,
                              m_deps.closePictures.hover, m_deps.closePictures.pressed,
                              [mainWindow] {
                                  if (mainWindow)
                                      bringToFront(mainWindow);
                              }});
    }
    bringToFront(m_report);
    if (address.isEmpty())
        return;
    if (m_deps.mainWindow)
        m_deps.mainWindow->hide();
    m_report->Text2()->setText(address);
}
