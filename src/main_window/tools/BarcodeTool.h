#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class BrowserView;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class ResultBox;
struct ToolContext;

// The barcode tools on the panel TabTXM. "厂商识别" fills the registry's web
// form, which the main window keeps loaded in the panel's tiny browser WebTXM
// (loadRegistryForm at its every activation), with the first 8 digits of the
// code and submits it; the first document completion after that is the
// answer, cut into Text4 (with one more query on the first 7 digits when the
// registry knows no company under 8). "真伪鉴定" checks the EAN-13 check digit
// on the spot.
//
//     BarcodeTool tool(panelTabTXM, context);   // builds the panel's controls and WebTXM
//     tool.loadRegistryForm();                  // at the main window's every activation
//
// The tool is a child of the panel; the context must outlive it. Without a
// browser (no factory in the context), or before a page holding the form has
// completed in it, a query meets "请稍等" within the click.
class BarcodeTool : public QObject
{
public:
    // WebTXM made from the context's browser factory, in the panel.
    BarcodeTool(QWidget *panel, ToolContext &context);
    // WebTXM handed in (tests bring a view of their own); may be nullptr.
    BarcodeTool(QWidget *panel, ToolContext &context, BrowserView *webTXM);

    // Sends WebTXM to the registry's form page again; the main window asks
    // for this at its every activation. A completion of that load is taken
    // as an answer only while a query waits.
    void loadRegistryForm();

    void cmdTXM_Click();
    void WebTXM_DocumentComplete();
    void Command1_Click();

    // Whether the page last completed in WebTXM holds the registry's form
    // ("txtcode" and "Btnok"): false before any completion, nothing while
    // the look at a completed page is on its way.
    std::optional<bool> formThere() const;

    static inline const QString ProgressText = QStringLiteral("正在查询条形码中......");
    static inline const QString ValidText =
        QStringLiteral("    本地鉴定您所输入的条形码合法！如您没有进行厂商识别请鉴定。");
    static inline const QString FakeText = QStringLiteral(
        "    您输入的条形码是假的！该条形码所对应的商品是假冒产品。如果鉴定有问题请核对条形码是否输入正确！");

    // WebTXM, for the main window, which keeps the registry's form loaded
    // in it; nullptr without a browser.
    BrowserView *webTXM() const { return m_WebTXM; }

private:
    // Whether the page last completed in WebTXM holds the registry's form.
    // Unknown while the look at a completed page is still on its way.
    enum class FormState { Missing, Unknown, There };

    // Looks at the page just completed in WebTXM for "txtcode" and "Btnok".
    void checkForm();
    void showWaitBox();
    // Clicks "txtcode", sets its value to prefix and clicks "Btnok", each step
    // once the one before has succeeded; done(false) at the first that fails.
    void submitChecked(const QString &prefix, std::function<void(bool)> done);
    // The same three steps asked in a row, each one tried whatever became of
    // the one before.
    void submitEachStep(const QString &prefix);
    void readAnswer(const std::optional<QString> &pageText);
    // Writes the answer into Text4: company with the credit line, or, when
    // the credit cannot be read, company (no such element) or kept (what the
    // box shows without the company steps).
    void showAnswer(const QString &kept, const QString &company, const std::optional<QString> &credit);

    ToolContext &m_context;
    BrowserView *m_WebTXM;   // WebTXM: holds the registry's form page; may be nullptr
    QLabel *m_Label29;       // Label29: what the two tools do
    QLabel *m_Label27;       // Label27: the "条形码：" caption
    QLineEdit *m_txtTXM;     // txtTXM: the code typed, at most 13 characters
    QPushButton *m_cmdTXM;   // cmdTXM: asks the registry for the company ("厂商识别")
    QPushButton *m_Command1; // Command1: checks the check digit ("真伪鉴定")
    ResultBox *m_Text4;      // Text4: the company, the verdict or the progress
    FormState m_form = FormState::Missing;
    unsigned m_formCheck = 0; // the latest look; older answers are dropped
};
