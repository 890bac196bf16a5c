#pragma once

#include "Clock.h"
#include "Form6.h"
#include "MainWindowHost.h"
#include "PageFetcher.h"
#include "ProgramEnd.h"
#include "ProgramFolder.h"
#include "Recorders.h"
#include "RepaintShownWindows.h"
#include "StandinFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// A recording main window: what the start-up window asked of it, in order.
class RecordingMainWindow : public MainWindowHost
{
public:
    void writeLocation(const QString &line) override
    {
        if (!loaded) {
            loaded = true;
            events.append(QStringLiteral("load"));
        }
        events.append(QStringLiteral("location:") + line);
        if (onWrite)
            onWrite();
    }
    void showMain() override
    {
        if (!loaded) {
            loaded = true;
            events.append(QStringLiteral("load"));
        }
        events.append(QStringLiteral("show"));
        if (onShow)
            onShow();
    }
    bool isLoaded() const override { return loaded; }

    QStringList events;
    bool loaded = false;
    std::function<void()> onWrite;
    std::function<void()> onShow;
};

// A clock that moves a quarter second on every reading.
class SteppingClock : public Clock
{
public:
    QDateTime now() override
    {
        current = current.addMSecs(250);
        ++reads;
        return current;
    }
    QDateTime current = QDateTime(QDate(2026, 12, 10), QTime(9, 0));
    int reads = 0;
};

// Thrown where the program would have ended after a failed check.
struct StartupEnded {
};

class RecordingProgramEnd : public ProgramEnd
{
public:
    [[noreturn]] void endNow() override
    {
        ++count;
        throw StartupEnded{};
    }
    int count = 0;
};

// The real page fetch, with the program's waiting hook and a hook after every
// page (to change what the stand-in answers next).
class HookedFetcher : public PageFetcher
{
public:
    using PageFetcher::PageFetcher;
    QString fetchPageText(const QString &url) override
    {
        const QString text = PageFetcher::fetchPageText(url);
        if (afterFetch)
            afterFetch(url);
        return text;
    }
    std::function<void(const QString &)> afterFetch;
};

// One start of the program: a temporary program folder, the real sequence
// against the stand-in server, recorders for everything a person would see.
class StartupHarness
{
public:
    static const QStringList &programFiles()
    {
        static const QStringList files = {
            QStringLiteral("\\IMG\\JB.jpg"),    QStringLiteral("\\IMG\\Main.jpg"), QStringLiteral("\\IMG\\Sector5.jpg"),
            QStringLiteral("\\IMG\\Title.jpg"), QStringLiteral("\\IMG\\Set.jpg"),  QStringLiteral("\\使用说明书.pdf"),
            QStringLiteral("\\Tessaview.exe"),
        };
        return files;
    }

    explicit StartupHarness(const QString &root = QString(), FetchBounds bounds = {})
        : folder(root.isEmpty() ? m_dir.path() : root), fetcher(fatalEnd, bounds, RepaintShownWindows)
    {
    }

    // Every program file except the missing ones; "\Reg.key" when asked.
    void layOut(const QStringList &missing = {}, bool firstRunMarker = true)
    {
        for (const QString &file : programFiles())
            if (!missing.contains(file))
                write(file, "x");
        if (firstRunMarker)
            write(QStringLiteral("\\Reg.key"), "Zavoz Software\n");
    }

    void write(const QString &resource, const QByteArray &bytes)
    {
        const QString path = folder.path(resource);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    void run()
    {
        form = std::make_unique<Form6>(fetcher, boxes, shell, folder, mainWindow, clock, programEnd);
        try {
            form->Form_Initialize();
        } catch (const StartupEnded &) {
            ended = true;
        } catch (const ProgramEnded &) {
            fatalEnded = true;
        }
    }

    QTemporaryDir m_dir;
    ProgramFolder folder;
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    RecordingFatalEnd fatalEnd;
    HookedFetcher fetcher;
    RecordingMainWindow mainWindow;
    SteppingClock clock;
    RecordingProgramEnd programEnd;
    std::unique_ptr<Form6> form;
    bool ended = false;
    bool fatalEnded = false;
};
