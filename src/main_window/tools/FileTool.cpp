#include "FileTool.h"

#include "AutoSizeLayout.h"
#include "FileDialog.h"
#include "HashFile.h"
#include "MessageBoxes.h"
#include "NumberedError.h"
#include "PanelControls.h"
#include "ToolContext.h"
#include "Twips.h"
#include "VerifyFileSignature.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace
{

constexpr Rgb Blue{0, 0, 255};
const QString ChooseFileText = QStringLiteral("请选择一个文件");
const QString HashingText = QStringLiteral("正在获取文件摘要中......");
constexpr int TrackBorderTwips = 45;

// Blanks only, as the old Trim did: tabs and line breaks stay part of the path.
QString trimBlanks(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

// What the user reads when a digest fails: the reason and the error number.
QString digestFailureText(const NumberedError &error)
{
    QString reason;
    switch (error.number) {
    case FileErrorNumber::FileNotFound: reason = QStringLiteral("找不到该文件"); break;
    case FileErrorNumber::PermissionDenied: reason = QStringLiteral("没有读取该文件的权限"); break;
    case FileErrorNumber::PathFileAccess: reason = QStringLiteral("无法打开该文件"); break;
    case FileErrorNumber::DeviceIo: reason = QStringLiteral("读取该文件时出错"); break;
    case FileErrorNumber::SizeChanged: reason = QStringLiteral("该文件在读取过程中被改动"); break;
    default: reason = QStringLiteral("计算摘要时出错"); break;
    }
    return QStringLiteral("无法获取文件摘要：%1（错误 %2）").arg(reason).arg(error.number);
}

} // namespace

FileTool::FileTool(QWidget *panel, ToolContext &context, FileDialog &dialog, const TrustAnchors &anchors,
                   const BetweenChunks &betweenSignatureChunks)
    : QObject(panel), m_context(context), m_dialog(dialog), m_anchors(anchors),
      m_betweenSignatureChunks(betweenSignatureChunks)
{
    using namespace PanelControls;
    // The panel keeps the window's font; each control names its own.
    const QFont font = Fonts::ui(9);

    caption(panel, "Label6", Twips::rect(360, 600, 900, 255), QStringLiteral("文件路径："), font);
    m_txtFile = inputBox(panel, "txtFile", Twips::rect(1200, 480, 6015, 375), font);

    m_cmdFile = button(panel, "cmdFile", Twips::rect(7200, 480, 975, 375), QStringLiteral("查询"), font);
    m_cmdSHA1 = button(panel, "cmdSHA1", Twips::rect(480, 960, 1455, 375), QStringLiteral("验证SHA1"), font);
    m_cmdMD5 = button(panel, "cmdMD5", Twips::rect(2040, 960, 1335, 375), QStringLiteral("验证MD5"), font);
    m_cmdCer = button(panel, "cmdCer", Twips::rect(3480, 960, 1815, 375), QStringLiteral("验证数字签名"), font);
    QWidget::setTabOrder(m_txtFile, m_cmdFile);
    QWidget::setTabOrder(m_cmdFile, m_cmdSHA1);
    QWidget::setTabOrder(m_cmdSHA1, m_cmdMD5);
    QWidget::setTabOrder(m_cmdMD5, m_cmdCer);

    m_Label9 = caption(panel, "Label9", Twips::rect(3600, 1560, 1260, 255), ChooseFileText, font);
    // One line as long as it fits the panel; a longer verdict wraps at the panel's edge.
    AutoSizeLayout::add(m_Label9, AutoSizeLayout::Wrap::AtParentEdge);

    // The track, with the red fill lying over it.
    m_Picture4 = new QFrame(panel);
    m_Picture4->setObjectName(QStringLiteral("Picture4"));
    m_Picture4->setGeometry(Twips::rect(465, 2655, 7395, 255));
    m_Picture4->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_Picture4->setLineWidth(1);
    m_Picture4->setAutoFillBackground(true);
    QPalette track = m_Picture4->palette();
    track.setColor(QPalette::Window, panel->palette().color(QPalette::Window));
    m_Picture4->setPalette(track);

    m_Picture3 = new QWidget(panel);
    m_Picture3->setObjectName(QStringLiteral("Picture3"));
    m_Picture3->setGeometry(Twips::rect(480, 2670, 15, 230));
    m_Picture3->setAutoFillBackground(true);
    QPalette red = m_Picture3->palette();
    red.setColor(QPalette::Window, QColor(255, 0, 0));
    m_Picture3->setPalette(red);
    m_Picture3->raise();

    introduction(
        panel, "Label10", Twips::rect(600, 3960, 7815, 615),
        QStringLiteral("    哪些文件包含数字签名？只有可执行文件、dll文件等才存在数字签名，音视频文件通常没有数字签名。"
                       "所以本功能仅适用于对exe、dll、sys等可进行数字签名文件的验证。"),
        font);
    introduction(
        panel, "Label11", Twips::rect(600, 4800, 7815, 855),
        QStringLiteral("    验证数字签名意义：正规软件厂商发布的软件均会含有合法且通过验证发布者的数字签名，"
                       "病毒等非法文件没有数字签名或有数字签名但没通过验证，通过这点您可以查询出文件的合法性及安全性。"
                       "通常Win98/2000的程序没有数字签名，这是正常现象。文件越大验证所需时间越长。"),
        font);
    m_Label25 =
        introduction(panel, "Label25", Twips::rect(600, 5640, 6540, 255),
                     QStringLiteral("    本功能来自Orvalent文件数字签名验证模块及相关数字签名证书颁发机构。"), font);
    m_Label25->setWordWrap(false);
    m_Label25->adjustSize();

    connect(m_cmdFile, &QPushButton::clicked, this, &FileTool::cmdFile_Click);
    connect(m_cmdCer, &QPushButton::clicked, this, &FileTool::cmdCer_Click);
    connect(m_cmdMD5, &QPushButton::clicked, this, &FileTool::cmdMD5_Click);
    connect(m_cmdSHA1, &QPushButton::clicked, this, &FileTool::cmdSHA1_Click);
    connect(m_txtFile, &QLineEdit::textChanged, this, &FileTool::txtFile_Change);
}

void FileTool::cmdFile_Click()
{
    setStatus(ChooseFileText);
    setStatusColour(Blue);
    setStatus(QStringLiteral("正在加载文件信息中......"));
    // No buffer limits the path: whatever the user chose is taken whole.
    const QString chosen = m_dialog.getOpenFileName(m_context.window, QString::fromUtf8(DialogTitle),
                                                    QString::fromUtf8(DialogFilter), QDir::rootPath());
    if (chosen.isEmpty()) {
        setStatus(ChooseFileText);
        m_context.boxes.show(MessageBoxes::Icon::Exclamation, QStringLiteral("没有选择文件"),
                             QStringLiteral("您没有选择文件！"), m_context.window);
        return;
    }
    m_txtFile->setText(chosen); // runs txtFile_Change
    cmdCer_Click();
}

void FileTool::cmdCer_Click()
{
    // Every file is verified, the program's own executable and any copy of it too.
    setCheckButtonsEnabled(false);
    setStatus(CheckingSignatureText);
    m_Label9->repaint(); // the check blocks the window until it answers
    const Verdict verdict = VerifyFileSignature(trimBlanks(m_txtFile->text()), m_anchors, m_betweenSignatureChunks);
    setStatusColour(verdict.colour);
    setStatus(verdict.text);
    setCheckButtonsEnabled(true);
}

void FileTool::cmdMD5_Click()
{
    digest(AlgorithmMd5, QStringLiteral("文件摘要(MD5)："));
}

void FileTool::cmdSHA1_Click()
{
    digest(AlgorithmSha1, QStringLiteral("文件摘要(SHA1)："));
}

void FileTool::txtFile_Change()
{
    setCheckButtonsEnabled(!m_txtFile->text().isEmpty());
}

void FileTool::reportProgress(double fraction)
{
    const int trackTwips = Twips::fromPixels(m_Picture4->width());
    const int fillTwips = qRound((trackTwips - TrackBorderTwips) * fraction);
    m_Picture3->resize(Twips::toPixels(fillTwips), m_Picture3->height());
}

void FileTool::digest(quint32 algorithm, const QString &prefix)
{
    setCheckButtonsEnabled(false);
    setStatus(HashingText);
    // The path goes as typed, blanks and all. The colour stays whatever the last check set.
    const QString path = m_txtFile->text();
    QString result;
    try {
        result = prefix + HashFile(
                              path, algorithm, [this](double f) { reportProgress(f); },
                              [] { QCoreApplication::processEvents(); });
    } catch (const NumberedError &error) {
        result = digestFailureText(error);
    }
    // The box stays editable during the digest. A result is shown only next
    // to the path it was made for: once the box holds another path, a check
    // of it that ran meanwhile keeps its result, and with none the panel asks
    // for a file again rather than go on saying that a digest is under way.
    if (m_txtFile->text() == path)
        setStatus(result);
    else if (m_Label9->text() == HashingText)
        setStatus(ChooseFileText);
    setCheckButtonsEnabled(true);
}

void FileTool::setCheckButtonsEnabled(bool enabled)
{
    m_cmdSHA1->setEnabled(enabled);
    m_cmdMD5->setEnabled(enabled);
    m_cmdCer->setEnabled(enabled);
}

void FileTool::setStatus(const QString &text)
{
    m_Label9->setText(text);
}

void FileTool::setStatusColour(Rgb colour)
{
    PanelControls::textColour(m_Label9, QColor(colour.red, colour.green, colour.blue));
}
