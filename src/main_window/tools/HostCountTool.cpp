#include "HostCountTool.h"

#include "Fonts.h"
#include "HostCountWorkFile.h"
#include "LookupOutputTidy.h"
#include "MessageBoxes.h"
#include "NslookupProcess.h"
#include "PanelControls.h"
#include "ProgramVersion.h"
#include "ToolContext.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

using namespace PanelControls;

HostCountTool::HostCountTool(QWidget *panel, ToolContext &context)
    : QObject(panel), m_context(context), m_ownLookup(std::make_unique<NslookupProcess>()), m_lookup(*m_ownLookup),
      m_workFolder(defaultWorkFolder()), m_bound(DefaultBound)
{
    build(panel);
}

HostCountTool::HostCountTool(QWidget *panel, ToolContext &context, LookupProcess &lookup, QString workFolder,
                             std::chrono::milliseconds bound)
    : QObject(panel), m_context(context), m_lookup(lookup), m_workFolder(std::move(workFolder)), m_bound(bound)
{
    build(panel);
}

HostCountTool::~HostCountTool() = default;

void HostCountTool::build(QWidget *panel)
{
    whitePanel(panel);
    introduction(panel, "Label8", Twips::rect(1920, 960, 5655, 1335),
                 QStringLiteral("    本功能可以查询您需要了解的网站主机数量，骗子网站一般只有一个主机地址，"
                                "如果一个网站有两个以上的主机，可信度就比较高了。"
                                "（主机数量多少请看检查结果最后边有多少个IP地址）"
                                "若不能查询则说明系统nslookup组件存在问题，请联系系统管理员或重装系统修复组件。"
                                "本功能由系统nslookup组件提供。"));
    caption(panel, "Label7", Twips::rect(2280, 2400, 720, 330), QStringLiteral("域名："), Fonts::ui(12, true));
    m_txtSLURL = inputBox(panel, "txtSLURL", Twips::rect(3000, 2400, 3015, 375));
    m_cmdGO = button(panel, "cmdGO", Twips::rect(6000, 2400, 975, 375), QStringLiteral("查询"));
    // Never shown: it only holds the TAB the tidying removes.
    m_Text6 = inputBox(panel, "Text6", Twips::rect(720, 2520, 180, 375));
    m_Text6->setText(QStringLiteral("\t"));
    m_Text6->hide();
    m_txtSLJG = resultBox(panel, "txtSLJG", Twips::rect(2280, 2880, 4695, 2295), true, QString());
    m_txtSLJG->setFont(Fonts::verdana(9));
    connect(m_cmdGO, &QPushButton::clicked, this, &HostCountTool::cmdGO_Click);
}

QString HostCountTool::defaultWorkFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/ORVN");
}

QString HostCountTool::workFile() const
{
    return m_workFolder + QStringLiteral("/1.txt");
}

void HostCountTool::cmdGO_Click()
{
    const QString domain = m_txtSLURL->text();
    if (domain.left(4) == QLatin1String("http") || domain.left(3) == QLatin1String("ftp")) {
        m_context.boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"), SchemeText, m_context.window);
        return;
    }
    // The domain is the lookup program's one argument; one that begins with
    // "-" would be read as an option of its own.
    if (domain.startsWith(QLatin1Char('-'))) {
        m_context.boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"), OptionText, m_context.window);
        return;
    }

    m_cmdGO->setEnabled(false);
    m_txtSLURL->setEnabled(false);
    m_txtSLJG->setEnabled(false);
    m_txtSLJG->setText(WaitingText);
    m_context.statusLine->setText(WaitingText);

    if (!QFileInfo(m_workFolder).isDir())
        QDir().mkpath(m_workFolder);
    QFile::remove(workFile());

    if (m_lookup.start(domain, workFile()) && waitForLookup()) {
        // The work file's text is tidied before it is shown: the box is
        // written once, as the window shows nothing in between.
        m_txtSLJG->setText(TidyLookupOutput(ReadHostCountWorkFile(workFile()), m_Text6->text()));
    } else {
        m_txtSLJG->setText(NoAnswerText);
    }
    QFile::remove(workFile());

    m_context.statusLine->setText(ProductTitle());
    m_cmdGO->setEnabled(true);
    m_txtSLURL->setEnabled(true);
    m_txtSLJG->setEnabled(true);
}

// Waits, with the window live, until the lookup has ended or the bound is
// reached; a lookup still running then is ended. True when the work file has
// content.
bool HostCountTool::waitForLookup()
{
    QElapsedTimer clock;
    clock.start();
    while (m_lookup.running() && clock.elapsed() < m_bound.count()) {
        QEventLoop pause;
        QTimer::singleShot(20, &pause, &QEventLoop::quit);
        pause.exec();
    }
    if (m_lookup.running())
        m_lookup.stop();
    return QFileInfo(workFile()).size() > 0;
}
