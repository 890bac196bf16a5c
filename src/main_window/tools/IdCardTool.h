#pragma once

#include <QObject>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
struct ToolContext;

// The ID-card tool on the panel TabSFZ: an 18-character identity number is
// checked locally (form, MOD 11-2 check character, year of birth), the sex
// and birth date are read from it, and the issuing place is asked of the
// ID-card lookup service.
//
//     IdCardTool tool(panelTabSFZ, context);   // builds the panel's controls
//
// The tool is a child of the panel; the context must outlive it.
class IdCardTool : public QObject
{
public:
    IdCardTool(QWidget *panel, ToolContext &context);

    void cmdShenFenZhengChaXun_Click();

    QLabel *lblSFZJieShao = nullptr;
    QLabel *lblShuRuSFZ = nullptr;
    QLineEdit *txtSFZ = nullptr;
    QPushButton *cmdShenFenZhengChaXun = nullptr;
    QLabel *lblXingBie = nullptr;
    QLabel *Picture2_4 = nullptr; // Picture2(4)
    QLabel *lblChuSheng = nullptr;
    QLabel *lblSFZSuoZai = nullptr;
    QLabel *lblZW = nullptr;
    QLabel *Picture2_5 = nullptr; // Picture2(5)

private:
    void check();
    ToolContext &m_context;
};
