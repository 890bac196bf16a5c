#include "MainWindowBinding.h"

#include "Form1.h"

#include <QLabel>

MainWindowBinding::MainWindowBinding(const Services &services) : m_services(services) {}

MainWindowBinding::~MainWindowBinding()
{
    // The secondary windows go before the main window whose pictures they use.
    m_secondary.reset();
    m_form1.reset();
}

void MainWindowBinding::load()
{
    if (m_form1)
        return;
    m_form1 = std::make_unique<Form1>(m_services.fetcher, m_services.boxes, m_services.shell, m_services.folder,
                                      m_services.browsers);
    if (m_startup)
        m_form1->setStartupWindow(m_startup);
    SecondaryWindows::Dependencies dependencies;
    dependencies.fetcher = &m_services.fetcher;
    dependencies.random = &m_services.random;
    dependencies.boxes = &m_services.boxes;
    dependencies.shell = &m_services.shell;
    dependencies.folder = m_services.folder;
    dependencies.closePictures = {m_form1->M30(), m_form1->M31(), m_form1->M32()};
    m_secondary = std::make_unique<SecondaryWindows>(dependencies);
    QObject::connect(m_form1.get(), &Form1::aboutRequested, m_secondary.get(), &SecondaryWindows::showAbout);
    QObject::connect(m_form1.get(), &Form1::paidServicesRequested, m_secondary.get(),
                     &SecondaryWindows::showPaidServices);
    QObject::connect(m_form1.get(), &Form1::updateRequested, m_secondary.get(), &SecondaryWindows::showUpdate);
}

void MainWindowBinding::writeLocation(const QString &line)
{
    load();
    m_form1->Label2()->setText(line);
}

void MainWindowBinding::showMain()
{
    load();
    m_form1->show();
    m_form1->raise();
    m_form1->activateWindow();
}

void MainWindowBinding::setStartupWindow(QWidget *startup)
{
    m_startup = startup;
    if (m_form1)
        m_form1->setStartupWindow(startup);
}
