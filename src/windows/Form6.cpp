#include "Form6.h"

#include "Clock.h"
#include "Endpoints.h"
#include "Fonts.h"
#include "InstallationChecks.h"
#include "IpLocation.h"
#include "MainWindowHost.h"
#include "MessageBoxes.h"
#include "PageFetcher.h"
#include "ProgramEnd.h"
#include "ProgramIcon.h"
#include "ProgramVersion.h"
#include "ScreenPlace.h"
#include "ShellOpen.h"
#include "StartupCuts.h"
#include "Twips.h"
#include "VersionNotice.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QThread>

const QString Form6::ConnectingText = QStringLiteral("正在连接云数据中心并检查软件版本中......");
const QString Form6::CheckingFilesText = QStringLiteral("正在校验文件完整性......");
const QString Form6::FirstRunMarker = QStringLiteral("\\Reg.key");
const QString Form6::FirstRunMarkerLine = QStringLiteral("Zavoz Software");

namespace
{

void processPendingEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace

static void initStartupResources()
{
    // The splash lives in a static library: its resources must be pulled in.
    Q_INIT_RESOURCE(Form6);
}

Form6::Form6(PageFetcher &fetcher, MessageBoxes &boxes, ShellOpen &shell, const ProgramFolder &folder,
             MainWindowHost &mainWindow, Clock &clock, ProgramEnd &programEnd, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_fetcher(fetcher), m_boxes(boxes), m_shell(shell),
      m_folder(folder), m_mainWindow(mainWindow), m_clock(clock), m_programEnd(programEnd)
{
    initStartupResources();
    setObjectName(QStringLiteral("Form6"));
    // Closing the splash must never end the program: the main window is not
    // shown yet when it goes.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(Fonts::ui(9));
    setWindowIcon(ProgramIcon());
    setFixedSize(Twips::toPixels(7755), Twips::toPixels(4560));
    m_splash = QPixmap(QStringLiteral(":/startup/splash.jpg"));

    m_label1 = new QLabel(this);
    m_label1->setTextFormat(Qt::PlainText);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(Twips::rect(1680, 3600, 4530, 330));
    m_label1->setFont(Fonts::ui(12, true));
    m_label1->setAlignment(Qt::AlignCenter);
    m_label1->setStyleSheet(QStringLiteral("color: #FFFFFF; background: transparent;"));
    setStatus(ConnectingText);

    CentreOnScreen(this);
}

void Form6::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_splash);
}

void Form6::setStatus(const QString &text)
{
    // The label sizes itself to its text and stays centred on its design
    // place, so each status line stands in the middle of the splash.
    static const QRect design = Twips::rect(1680, 3600, 4530, 330);
    m_label1->setText(text);
    m_label1->adjustSize();
    m_label1->move(design.center().x() - m_label1->width() / 2, design.top());
}

void Form6::Form_Initialize()
{
    show();
    WaitSeconds(1);
    setStatus(ConnectingText);

    checkForNewerVersion();

    const QString locationLine = lookUpLocationLine();
    // The first write loads the main window, still hidden.
    m_mainWindow.writeLocation(locationLine);

    setStatus(CheckingFilesText);
    checkInstallation();
    greetFirstRun();

    setVisible(false);
    hide();
    close(); // unloads the window where the program set it to delete on close
    m_mainWindow.showMain();
}

void Form6::checkForNewerVersion()
{
    m_pageText = m_fetcher.fetchPageText(Endpoints::versionNotice());
    // A notice whose cut cannot be made (no "########" at or behind the
    // start) tells nothing: no message.
    const std::optional<QString> newest = NoticeNewestVersion(m_pageText);
    if (!newest || !IsNewerVersion(*newest, ProgramVersion))
        return;
    m_boxes.show(MessageBoxes::Icon::Information, QStringLiteral("版本信息"),
                 QStringLiteral("您使用的Orvalent版本是：") + ProgramVersion + QStringLiteral("，最新版本是：") +
                     *newest +
                     QStringLiteral("，为保证所有功能正常使用，请及时更新到最新版本，旧版可能会有部分功能无法使用，"
                                    "下载地址见官网或使用在线升级功能。") +
                     QLatin1Char('\r'),
                 this);
}

QString Form6::lookUpLocationLine()
{
    m_pageText = m_fetcher.fetchPageText(Endpoints::ownAddress());
    const std::optional<QString> ownAddress = OwnAddressCut(m_pageText);
    // Without an own address (no "]" at or behind the start) there is nothing
    // to locate: the location line stays empty rather than showing the
    // location of some other address.
    if (!ownAddress)
        return QString();
    m_ownAddress = *ownAddress;

    // The service answers the first request of a run unreliably; the second
    // answer is the one read.
    IpLocation::request(m_fetcher, m_ownAddress);
    m_pageText = IpLocation::request(m_fetcher, m_ownAddress);
    return LocationLineCut(m_pageText, processPendingEvents).value_or(QString());
}

void Form6::checkInstallation()
{
    const std::optional<QString> failure = FirstFailedInstallationCheck(m_folder);
    if (!failure)
        return;
    m_boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("程序损坏"), *failure, this);
    OpenDownloadPage();
    m_programEnd.endNow();
}

void Form6::greetFirstRun()
{
    const QString markerPath = m_folder.path(FirstRunMarker);
    if (IsPresentFile(markerPath))
        return;
    m_boxes.show(
        MessageBoxes::Icon::Information, QStringLiteral("Orvalent"),
        QStringLiteral("您好！欢迎使用Orvalent软件，本软件为绿色软件，可以自由拷贝传播！\r\n"
                       "由于您是第一次使用本软件或本软件的最新版本，建议您阅读目录下的产品说明书（产品说明书.pdf）"
                       "了解常见Orvan技巧与软件使用方法及一些注意事项，帮助您快速了解本软件。\r\n"
                       "最后，感谢您使用Orvalent软件，祝您使用愉快！"),
        this);
    // A folder without write access keeps no marker: the greeting comes again
    // next time, and this start goes on to the main window.
    QFile marker(markerPath);
    if (marker.open(QIODevice::WriteOnly | QIODevice::Truncate))
        marker.write(FirstRunMarkerLine.toUtf8() + '\n');
}

void Form6::WaitSeconds(int seconds)
{
    // Whole seconds on both sides: started at :05.620, a one-second pause ends
    // at :06, 380 ms later.
    const QDateTime target = m_clock.nowWholeSeconds().addSecs(seconds);
    while (target > m_clock.nowWholeSeconds()) {
        processPendingEvents();
        // A breath between turns so the wait does not spin a core; events
        // still come through within a millisecond.
        QThread::msleep(1);
    }
}

void Form6::OpenDownloadPage()
{
    m_shell.open(Endpoints::downloadPage());
}
