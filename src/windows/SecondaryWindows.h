#pragma once

#include "Form2.h"
#include "Form4.h"
#include "Form5.h"

#include <QObject>
#include <QPointer>

#include "ProgramFolder.h"

class MessageBoxes;
class PageFetcher;
class ShellOpen;
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
        MessageBoxes *boxes = nullptr;
        ShellOpen *shell = nullptr;
        ProgramFolder folder;
        // The main window's close pictures, borrowed by the update window.
        Form4::ClosePictures closePictures;
    };
    explicit SecondaryWindows(const Dependencies &dependencies, QObject *parent = nullptr);
    ~SecondaryWindows() override;

    void showAbout();
    void showPaidServices();
    void showUpdate();

    Form5 *about() const { return m_about; }
    Form2 *paidServices() const { return m_paidServices; }
    Form4 *update() const { return m_update; }

private:
    Dependencies m_deps;
    QPointer<Form5> m_about;
    QPointer<Form2> m_paidServices;
    QPointer<Form4> m_update;
};
