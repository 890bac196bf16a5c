#pragma once

#include "Form2.h"
#include "Form5.h"

#include <QObject>
#include <QPointer>

class PageFetcher;
class RunRandom;
class QWidget;

// The windows the main window shows on request: each is made on first use,
// unloaded when it is closed, and made afresh the next time; asking for one
// that is open only brings it to the front.
class SecondaryWindows : public QObject
{
    Q_OBJECT
public:
    struct Dependencies {
        PageFetcher *fetcher = nullptr;
        RunRandom *random = nullptr;
    };
    explicit SecondaryWindows(const Dependencies &dependencies, QObject *parent = nullptr);
    ~SecondaryWindows() override;

    void showAbout();
    void showPaidServices();

    Form5 *about() const { return m_about; }
    Form2 *paidServices() const { return m_paidServices; }

private:
    Dependencies m_deps;
    QPointer<Form5> m_about;
    QPointer<Form2> m_paidServices;
};
