// Installs the built program into a temporary prefix the way a user does
// (cmake --install build --prefix PREFIX), checks what lands where, has the
// desktop's own validators read the desktop entry and the AppStream data,
// and starts the program through its launcher: it must find its folder
// through the link, pass its installation checks and show its main window,
// whose first activation loads the barcode registry's form page through the
// stand-in.
#include "Endpoints.h"
#include "ProgramProcess.h"
#include "StandinFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

const QString DesktopId = QStringLiteral("cn.zavoz_soft.Orvalent");

// Runs a tool to its end; its output goes into the failure message.
int run(const QString &program, const QStringList &arguments, QString *output = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return -1;
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

class TestInstalledProgram : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        QString output;
        const int code = run(qEnvironmentVariable("KORDELVANE_CMAKE"),
                             {QStringLiteral("--install"), qEnvironmentVariable("KORDELVANE_BUILD_DIR"),
                              QStringLiteral("--prefix"), m_prefix.path()},
                             &output);
        QVERIFY2(code == 0, qPrintable(output));
    }

    void layout_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *file :
             {"lib/orvalent/Kordelvane", "lib/orvalent/Tessaview.exe", "lib/orvalent/使用说明书.pdf",
              "lib/orvalent/IMG/Main.jpg", "lib/orvalent/IMG/Title.jpg", "lib/orvalent/IMG/JB.jpg",
              "lib/orvalent/IMG/Sector5.jpg", "lib/orvalent/IMG/Set.jpg",
              "share/applications/cn.zavoz_soft.Orvalent.desktop",
              "share/metainfo/cn.zavoz_soft.Orvalent.metainfo.xml",
              "share/icons/hicolor/48x48/apps/cn.zavoz_soft.Orvalent.png",
              "share/icons/hicolor/128x128/apps/cn.zavoz_soft.Orvalent.png",
              "share/icons/hicolor/256x256/apps/cn.zavoz_soft.Orvalent.png"})
            QTest::newRow(file) << QString::fromUtf8(file);
    }
    void layout()
    {
        QFETCH(QString, file);
        const QFileInfo info(m_prefix.filePath(file));
        QVERIFY2(info.isFile(), qPrintable(info.filePath()));
        if (file.endsWith(QLatin1String(".png"))) {
            const int size = file.section(QLatin1Char('/'), 3, 3).section(QLatin1Char('x'), 0, 0).toInt();
            QCOMPARE(QImage(info.filePath()).size(), QSize(size, size));
        }
    }

    void launcherIsALinkToTheProgram()
    {
        const QFileInfo launcher(m_prefix.filePath(QStringLiteral("bin/kordelvane")));
        QVERIFY(launcher.isSymLink());
        QCOMPARE(launcher.canonicalFilePath(),
                 QFileInfo(m_prefix.filePath(QStringLiteral("lib/orvalent/Kordelvane"))).canonicalFilePath());
        // A build that has been started leaves its own first-run marker; the
        // installation must not carry it along.
        QVERIFY(!QFileInfo::exists(m_prefix.filePath(QStringLiteral("lib/orvalent/Reg.key"))));
    }

    void desktopEntryIsValid()
    {
        const QString entry = m_prefix.filePath(QStringLiteral("share/applications/") + DesktopId + ".desktop");
        QString output;
        QVERIFY2(run(QStringLiteral("desktop-file-validate"), {entry}, &output) == 0, qPrintable(output));
        QVERIFY2(!output.contains(QLatin1String("error")), qPrintable(output));
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains(QStringLiteral("\nExec=\"") + m_prefix.filePath(QStringLiteral("bin/kordelvane")) + "\"\n"));
        QVERIFY(text.contains(QStringLiteral("\nIcon=") + DesktopId + "\n"));
    }

    void metainfoIsValid()
    {
        QString output;
        const int code = run(QStringLiteral("appstreamcli"),
                             {QStringLiteral("validate"), QStringLiteral("--no-net"),
                              m_prefix.filePath(QStringLiteral("share/metainfo/") + DesktopId + ".metainfo.xml")},
                             &output);
        QVERIFY2(code == 0, qPrintable(output));
    }

    void launcherStartsTheMainWindow()
    {
        StandinFixture standin;
        // A user who has started the program before: no greeting to answer.
        QFile marker(m_prefix.filePath(QStringLiteral("lib/orvalent/Reg.key")));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.write("Zavoz Software\n");
        marker.close();

        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("http_proxy"), QString::fromLatin1(standin.server.proxyAddress()));
        environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"),
                           QStringLiteral("--proxy-server=127.0.0.1:%1 --disable-gpu").arg(standin.server.port()));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        // Started from elsewhere, so only the link leads to the program folder.
        program.setWorkingDirectory(QDir::tempPath());
        program.start(m_prefix.filePath(QStringLiteral("bin/kordelvane")), {});
        QVERIFY(program.waitForStarted());

        // The start-up sequence's own pages, then the page that only the
        // shown main window asks for.
        QTRY_VERIFY_WITH_TIMEOUT(seen(standin.server, Endpoints::IpLocationHost, "/ip2city.asp"), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(
            seen(standin.server, Endpoints::BarcodeHost, "/Service/tools_09/external-barcode.aspx"), 90000);
        QCOMPARE(program.state(), QProcess::Running);
        endProgram(program);
    }

private:
    QTemporaryDir m_prefix;
};

QTEST_GUILESS_MAIN(TestInstalledProgram)
#include "tst_installedprogram.moc"
