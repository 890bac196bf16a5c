#pragma once

#include "BarcodeTool.h"
#include "BrowserView.h"
#include "ResultBox.h"
#include "ToolPanelRig.h"
#include "Twips.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>

// A TabTXM panel in a shown window, with its browser WebTXM made in the panel
// at its design place (as the main window makes it) and the barcode tool on
// both; message boxes are recorded, the status line starts as "before". The
// registry's pages come from the view, or from the server the whole run
// shares (BrowserTestMain.h).
struct BarcodePanel : ToolPanelRig {
    using MakeView = std::function<BrowserView *(QWidget *panel, const QRect &place)>;

    explicit BarcodePanel(const MakeView &makeView) : ToolPanelRig({.ownStandin = false})
    {
        view = makeView(panel, Twips::rect(5400, 1800, 150, 135));
        tool = new BarcodeTool(panel, context, view);
        txtTXM = find<QLineEdit>("txtTXM");
        cmdTXM = find<QPushButton>("cmdTXM");
        Command1 = find<QPushButton>("Command1");
        Text4 = find<ResultBox>("Text4");
        show();
    }

    // Types the code into txtTXM and clicks a button, as the user does.
    void press(QPushButton *button, const QString &code)
    {
        txtTXM->clear();
        QTest::keyClicks(txtTXM, code);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Waits until every page read the tool asked for up to now has been
    // answered: the view answers in the order asked, and the tool asks each
    // of its reads (page text, credit, whether the credit element is there)
    // only inside the answer to the one before, so three reads of our own,
    // each asked inside the answer to the one before, come back after all of
    // the tool's.
    bool settle()
    {
        bool settled = false;
        readInTurn(3, [&settled] { settled = true; });
        return QTest::qWaitFor([&settled] { return settled; }, 60000);
    }

    // count page-text reads, each asked inside the answer to the one before;
    // then done.
    void readInTurn(int count, std::function<void()> done)
    {
        QPointer<BrowserView> target(view);
        if (count == 0 || !target)
            return done();
        target->bodyText([this, count, done](std::optional<QString>) { readInTurn(count - 1, done); });
    }

    BrowserView *view = nullptr;
    BarcodeTool *tool = nullptr;
    QLineEdit *txtTXM = nullptr;
    QPushButton *cmdTXM = nullptr;
    QPushButton *Command1 = nullptr;
    ResultBox *Text4 = nullptr;
};
