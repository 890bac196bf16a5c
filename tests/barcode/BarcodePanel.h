#pragma once

#include "BarcodeTool.h"
#include "BrowserView.h"
#include "LookupState.h"
#include "PageFetcher.h"
#include "Recorders.h"
#include "ResultBox.h"
#include "ToolContext.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>

// A TabTXM panel in a shown window, with its browser WebTXM made in the panel
// at its design place (as the main window makes it) and the barcode tool on
// both; message boxes are recorded, the status line starts as "before".
struct BarcodePanel {
    using MakeView = std::function<BrowserView *(QWidget *panel, const QRect &place)>;

    explicit BarcodePanel(const MakeView &makeView)
    {
        window->resize(Twips::toPixels(12000), Twips::toPixels(9000));
        panel->setGeometry(Twips::rect(2640, 1680, 9255, 6375));
        status->setGeometry(0, Twips::toPixels(8500), 200, 20);
        view = makeView(panel, Twips::rect(5400, 1800, 150, 135));
        tool = new BarcodeTool(panel, context, view);
        window->show();
    }

    // Types the code into txtTXM and clicks a button, as the user does.
    void press(QPushButton *button, const QString &code)
    {
        tool->txtTXM->clear();
        QTest::keyClicks(tool->txtTXM, code);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Waits until every page read the tool asked for up to now has been
    // answered: the view answers in the order asked, and the tool asks for
    // the credit only inside the answer to its page-text read, so two reads
    // of our own, the second asked inside the first's answer, come back after
    // both of the tool's.
    bool settle()
    {
        bool settled = false;
        QPointer<BrowserView> target(view);
        view->bodyText([target, &settled](std::optional<QString>) {
            if (target)
                target->bodyText([&settled](std::optional<QString>) { settled = true; });
        });
        return QTest::qWaitFor([&settled] { return settled; }, 20000);
    }

    RecordingFatalEnd fatal;
    PageFetcher fetcher{fatal};
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    LookupState state;
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QWidget *panel = new QWidget(window.get());
    QLabel *status = new QLabel(QStringLiteral("before"), window.get());
    ToolContext context{fetcher, boxes, shell, state, status, window.get()};
    BrowserView *view = nullptr;
    BarcodeTool *tool = nullptr;
};
