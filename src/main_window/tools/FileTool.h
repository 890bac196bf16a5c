#pragma once

#include "AuthenticodeCheck.h"
#include "Rgb.h"
#include "TrustAnchors.h"

#include <QObject>
#include <QString>

class FileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
struct ToolContext;

// The file safety panel TabQM: a path box, a file dialog, the MD5 and SHA1
// digests with a red progress fill, and the signature verdict, all told in
// Label9. Everything is local.
//
// The panel holds no state besides its controls: every handler reads the
// path back from txtFile. A digest yields to the event loop after every
// progress report, so the box and the dialog button stay live and a second
// check started meanwhile runs to its end before the first one goes on. A
// digest's result is shown only while the box still holds its path.
//
//     FileTool tool(panelTabQM, context, dialog);   // builds the panel's controls
//
// The tool is a child of the panel; the context and the dialog must outlive it.
class FileTool : public QObject
{
public:
    // anchors: the roots the signature check trusts (the system's store in
    // the program; tests hand in their own root). betweenSignatureChunks runs
    // after every chunk the signature check reads (none in the program; tests
    // change the file under the check with it).
    FileTool(QWidget *panel, ToolContext &context, FileDialog &dialog,
             const TrustAnchors &anchors = TrustAnchors::system(), const BetweenChunks &betweenSignatureChunks = {});

    void cmdFile_Click();
    void cmdCer_Click();
    void cmdMD5_Click();
    void cmdSHA1_Click();
    void txtFile_Change();

    // The digest's progress report: the fill grows to (track width - 45) x fraction twips.
    void reportProgress(double fraction);

    static constexpr const char *DialogTitle = "请选择文件";
    // Label9 while the signature is being checked.
    static inline const QString CheckingSignatureText = QStringLiteral("正在验证文件签名及附加信息中......");
    // The description is the one the old dialog showed; the patterns follow in Qt's form.
    static constexpr const char *DialogFilter = "Digital Ceramic Files(*.exe);(*.dll);(*.sys) (*.exe *.dll *.sys)";

private:
    void digest(quint32 algorithm, const QString &prefix);
    void setCheckButtonsEnabled(bool enabled);
    void setStatus(const QString &text);
    void setStatusColour(Rgb colour);

    ToolContext &m_context;
    FileDialog &m_dialog;
    TrustAnchors m_anchors;
    BetweenChunks m_betweenSignatureChunks;

    QLineEdit *m_txtFile;   // txtFile: the path, read back by every handler
    QPushButton *m_cmdFile; // cmdFile: opens the file dialog
    QPushButton *m_cmdSHA1; // cmdSHA1: the SHA1 digest
    QPushButton *m_cmdMD5;  // cmdMD5: the MD5 digest
    QPushButton *m_cmdCer;  // cmdCer: the signature check
    QLabel *m_Label9;       // Label9: every result and progress text
    QFrame *m_Picture4;     // Picture4: the progress track
    QWidget *m_Picture3;    // Picture3: the red progress fill
    QLabel *m_Label25;      // Label25: the note under the help texts
};
