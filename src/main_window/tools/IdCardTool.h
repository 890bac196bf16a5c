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

private:
    void check();

    ToolContext &m_context;
    QLabel *m_lblSFZJieShao;              // lblSFZJieShao: what the tool does
    QLabel *m_lblShuRuSFZ;                // lblShuRuSFZ: the "输入身份证：" caption
    QLineEdit *m_txtSFZ;                  // txtSFZ: the number typed
    QPushButton *m_cmdShenFenZhengChaXun; // cmdShenFenZhengChaXun: starts the check
    QLabel *m_lblXingBie;                 // lblXingBie: the sex read from the number
    QLabel *m_Picture2_4;                 // Picture2(4): the hint on the sex
    QLabel *m_lblChuSheng;                // lblChuSheng: the birth date read from the number
    QLabel *m_lblSFZSuoZai;               // lblSFZSuoZai: the issuing place the service names
    QLabel *m_lblZW;                      // lblZW: the verdict, always red
    QLabel *m_Picture2_5;                 // Picture2(5): the hint on the verdict
};
