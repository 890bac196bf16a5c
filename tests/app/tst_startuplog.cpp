// What the program writes to the terminal as it starts: a copy of the built
// program folder is started against the stand-in until its main window has
// loaded its first page, and its messages are read with their type and
// category.
#include "Endpoints.h"
#include "ProgramProcess.h"
#include "StandinFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

bool copyFolder(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(file);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(file, target))
            return false;
        QFile::setPermissions(target, QFile::permissions(file));
    }
    return true;
}

} // namespace

class TestStartupLog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void engineSettingsLeftOut_data();
    void engineSettingsLeftOut();

private:
    QTemporaryDir m_folder;
};

void TestStartupLog::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QVERIFY(copyFolder(qEnvironmentVariable("KORDELVANE_PROGRAM_DIR"), m_folder.path()));
    // A user who has started the program before: no greeting to answer.
    QFile marker(m_folder.filePath(QStringLiteral("Reg.key")));
    QVERIFY(marker.open(QIODevice::WriteOnly | QIODevice::Truncate));
    marker.write("Zavoz Software\n");
}

void TestStartupLog::engineSettingsLeftOut_data()
{
    QTest::addColumn<QString>("userRules");
    QTest::addColumn<bool>("engineInfoShown");
    QTest::newRow("the program's own rules") << QString() << false;
    // A user who asks for the engine's messages gets them.
    QTest::newRow("the user's rules") << QStringLiteral("qt.webenginecontext=true") << true;
}

void TestStartupLog::engineSettingsLeftOut()
{
    QFETCH(QString, userRules);
    QFETCH(bool, engineInfoShown);
    StandinFixture standin;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("http_proxy"), QString::fromLatin1(standin.server.proxyAddress()));
    environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"),
                       QStringLiteral("--proxy-server=127.0.0.1:%1 --disable-gpu").arg(standin.server.port()));
    environment.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{type} %{category}: %{message}"));
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    environment.remove(QStringLiteral("QT_LOGGING_CONF"));
    if (!userRules.isEmpty())
        environment.insert(QStringLiteral("QT_LOGGING_RULES"), userRules);
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(m_folder.filePath(QStringLiteral("Kordelvane")), {});
    QVERIFY(program.waitForStarted());
    // The main window's barcode view has loaded its page: the engine has
    // started and said all it says at start.
    QTRY_VERIFY_WITH_TIMEOUT(
        seen(standin.server, Endpoints::BarcodeHost, "/Service/tools_09/external-barcode.aspx"), 90000);
    QCOMPARE(program.state(), QProcess::Running);
    endProgram(program);
    const QString output = QString::fromLocal8Bit(program.readAll());
    int engineInfo = 0;
    for (const QString &line : output.split(u'\n')) {
        engineInfo += line.startsWith(QStringLiteral("info qt.webenginecontext:"))
            || line.startsWith(QStringLiteral("debug qt.webenginecontext:"));
    }
    QVERIFY2((engineInfo > 0) == engineInfoShown, qPrintable(output));
}

QTEST_GUILESS_MAIN(TestStartupLog)
#include "tst_startuplog.moc"
