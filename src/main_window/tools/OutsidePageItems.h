#pragma once

#include "ProgramFolder.h"

class MessageBoxes;
class QWidget;
class ShellOpen;

// What leads out of the program from the main window: the side-bar items
// that open an outside page in the user's browser (the ICP record page and
// the business-registration search, each after its "提示" box; the
// tax-invoice page without one), the item that starts the sibling
// shop-credit tool, and the menu's help (the user manual) and contact box.
//
//     OutsidePageItems outside(shell, boxes, folder, form1);
//     form1.ResetSideBar();
//     outside.frmICP_Click();
//
// An item's handler is the main window's: it resets the side bar first and
// then calls the matching function here. The boxes are owned by owner; the
// shell and the boxes must outlive this object.
class OutsidePageItems
{
public:
    OutsidePageItems(ShellOpen &shell, MessageBoxes &boxes, const ProgramFolder &folder, QWidget *owner);

    void frmICP_Click();
    void frmGongShang_Click();
    void frmShui_Click();
    void frmTB_Click();
    void mnuHelp_Click();
    void mnuLX_Click();

private:
    ShellOpen &m_shell;
    MessageBoxes &m_boxes;
    ProgramFolder m_folder;
    QWidget *m_owner;
};
