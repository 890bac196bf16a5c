#pragma once

#include <QObject>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class ResultBox;
struct ToolContext;

// The mobile-number tool on the panel TabSJ: an 11-character number is
// checked here, sent to the mobile-number service, and the registration
// place, area code, card type and post code cut out of its answer.
//
//     MobileTool tool(panelTabSJ, context);   // builds the panel's controls
//
// The tool is a child of the panel; the context must outlive it.
class MobileTool : public QObject
{
public:
    MobileTool(QWidget *panel, ToolContext &context);

    void cmdShouJiChaXun_Click();

    QLabel *lblShouJiJieShao = nullptr;
    QLabel *lblShouJiHao = nullptr;
    QLineEdit *txtShouJi = nullptr;
    QPushButton *cmdShouJiChaXun = nullptr;
    QLabel *Label24 = nullptr;
    ResultBox *txtSJJG = nullptr;

private:
    void query(const QString &number);
    ToolContext &m_context;
};
