#pragma once

#include "LookupState.h"
#include "ProgramFolder.h"
#include "ToolContext.h"
#include "WindowDrag.h"

#include <QMap>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class BarcodeTool;
class BrowserFactory;
class BrowserView;
class FileDialog;
class Frm;
class MessageBoxes;
class OutsidePageItems;
class PageFetcher;
class PictureBox;
class ProgramWindowActivation;
class QAction;
class QLabel;
class QMenu;
class ShellOpen;
class Tab;

// The program's main window: a borderless, fixed-size, picture-skinned window
// with its own title bar (title picture, menu, minimise and close buttons),
// the four category tabs, three side-bar groups of seventeen items, thirteen
// tool panels, the home texts and the two-label status line. It holds the
// lookup state that every tool shares.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    Form1(PageFetcher &fetcher, MessageBoxes &boxes, ShellOpen &shell, const ProgramFolder &folder,
          BrowserFactory *browsers /* may be null: no embedded browsers */, QWidget *parent = nullptr);
    ~Form1() override;

    // The thirteen tool panels (TabSJ ... TabPost): plain widgets at their
    // places, hidden until their item is clicked; nullptr for another name.
    QWidget *panel(const QString &name) const;
    // The side-bar groups frmCJ, frmZJ, frmGJ.
    QWidget *group(const QString &name) const;
    // Tab1 ... Tab4 and the seventeen items by their names.
    Tab *tab(const QString &name) const;
    Frm *item(const QString &name) const;

    QLabel *Label1() const { return m_Label1; } // status line, bottom left
    QLabel *Label2() const { return m_Label2; } // location line, bottom right
    LookupState &state() { return m_state; }
    ToolContext &toolContext() { return m_context; }
    // The close button's normal, hover and pressed pictures, borrowed by the
    // update and report windows.
    const QPixmap &M30() const { return m_M30; }
    const QPixmap &M31() const { return m_M31; }
    const QPixmap &M32() const { return m_M32; }
    // The barcode panel's browser (objectName "WebTXM", a child of TabTXM),
    // made by the barcode tool; nullptr without a browser factory.
    BrowserView *WebTXM() const;
    QMenu *mnuMenu() const { return m_mnuMenu; }

    // What the close button does: end the program at once. The default
    // flushes the standard streams and leaves the process; tests put a
    // recorder here.
    void setEndProgram(std::function<void()> endProgram);
    // The start-up window, hidden at every activation of this window.
    void setStartupWindow(QWidget *startup);

    // Puts all seventeen items back to their normal look and hides every panel.
    void ResetSideBar();
    // Runs at every activation (first show, return from another window of the program).
    void Form_Activate();

signals:
    // The menu entries and the fourth tab; the windows they show connect here.
    void reportRequested();       // mnuJB "举报恶意网站"
    // The URL-safety panel's "举报该网站" with "http://" + its address: the
    // report window is shown, this window hidden, the address written there.
    void reportRequestedFor(const QString &address);
    void updateRequested();       // mnuUpdate "检查更新"
    void aboutRequested();        // mnuAbout "关于"
    void paidServicesRequested(); // Tab4 "增值服务"

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildShell();
    void buildMenu();
    void buildNavigation();
    // The tools fill their panels here, one line each.
    void createTools();
    void Form_Load();

    void setTitleButtons(PictureBox *except);
    void titleButtonMoved(PictureBox *button);
    void Picture1_MouseDown(Qt::MouseButton button, QPointF position);
    void Picture1_MouseMove(QPointF position);
    void Picture1_MouseUp();
    void M1_Click();
    void M2_Click();
    void M3_Click();

    void tabClicked(Tab *clicked);
    void showPanelOf(const QString &panelName);
    // The items that lead out of the program: the side bar is reset first.
    void openOutside(void (OutsidePageItems::*open)());

    ProgramFolder m_folder;
    LookupState m_state;
    ToolContext m_context;
    std::unique_ptr<OutsidePageItems> m_outside;
    std::function<void()> m_endProgram;
    QPointer<QWidget> m_startup;
    ProgramWindowActivation *m_activation = nullptr;
    // The file panel's open dialog; the window owns it.
    std::unique_ptr<FileDialog> m_fileDialog;
    WindowDrag m_drag;
    bool m_shownOnce = false;

    PictureBox *m_Picture1 = nullptr;
    PictureBox *m_M1 = nullptr;
    PictureBox *m_M2 = nullptr;
    PictureBox *m_M3 = nullptr;
    PictureBox *m_M4 = nullptr;
    PictureBox *m_Image1 = nullptr;
    QPixmap m_M10, m_M11, m_M12, m_M20, m_M21, m_M22, m_M30, m_M31, m_M32;
    QLabel *m_Label1 = nullptr;
    QLabel *m_Label2 = nullptr;
    QLabel *m_Label3 = nullptr;
    QLabel *m_Label4 = nullptr;
    QMenu *m_mnuMenu = nullptr;

    QMap<QString, QWidget *> m_panels;
    QMap<QString, QWidget *> m_groups;
    QList<Tab *> m_tabs;
    QStringList m_tabCaptions;
    QList<Frm *> m_items;
    QStringList m_itemCaptions;
    QStringList m_panelOrder;
    BarcodeTool *m_barcodeTool = nullptr;
};
