#pragma once

#include "Form1.h"
#include "PageFetcher.h"
#include "ProgramFolder.h"
#include "RecordingBrowser.h"
#include "Recorders.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <memory>

// A program folder of the test's own with small generated skin pictures, the
// recorders the window talks to, and the window itself.
struct MainWindowFixture {
    struct Files {
        bool pictures = true;
        bool manual = false;
        bool sibling = false;
    };

    explicit MainWindowFixture(Files files, bool withBrowsers = true)
    {
        const QString root = dir.path();
        if (files.pictures) {
            QDir(root).mkpath(QStringLiteral("IMG"));
            titlePicture = solid(QSize(800, 76), QColor(20, 80, 160));
            mainPicture = solid(QSize(800, 466), QColor(230, 240, 250));
            titlePicture.save(root + QStringLiteral("/IMG/Title.jpg"), "JPG");
            mainPicture.save(root + QStringLiteral("/IMG/Main.jpg"), "JPG");
        }
        if (files.manual)
            touch(root + QStringLiteral("/使用说明书.pdf"));
        if (files.sibling)
            touch(root + QStringLiteral("/Tessaview.exe"));
        form = std::make_unique<Form1>(fetcher, boxes, shell, ProgramFolder(root), withBrowsers ? &browsers : nullptr);
        form->setEndProgram([this] { ++ended; });
    }

    static QImage solid(QSize size, QColor colour)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }
    static void touch(const QString &path)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write("x");
    }

    QTemporaryDir dir;
    QImage titlePicture;
    QImage mainPicture;
    RecordingFatalEnd fatalEnd;
    PageFetcher fetcher{fatalEnd};
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    RecordingBrowserFactory browsers;
    int ended = 0;
    std::unique_ptr<Form1> form;
};
