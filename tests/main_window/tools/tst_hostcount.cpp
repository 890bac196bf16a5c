#include "HostCountTool.h"
#include "NslookupProcess.h"
#include "ProgramVersion.h"
#include "ResultBox.h"
#include "ScriptedLookup.h"
#include "ToolPanelRig.h"
#include "Twips.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

namespace {

// The panel with a stand-in lookup program whose behaviour FAKE_NSLOOKUP sets,
// or, with no program named, a scripted lookup that runs until it is stopped.
struct CountRig {
    QTemporaryDir temp;
    ToolPanelRig rig{{.status = QStringLiteral("之前的状态"), .ownStandin = false}};
    NslookupProcess process;
    ScriptedLookup scripted;
    LookupProcess &lookup;
    QString folder = temp.path() + QStringLiteral("/cache/ORVN");
    HostCountTool tool;
    QLineEdit *txt = rig.find<QLineEdit>("txtSLURL");
    QPushButton *cmd = rig.find<QPushButton>("cmdGO");
    ResultBox *result = rig.find<ResultBox>("txtSLJG");

    explicit CountRig(const QByteArray &mode, std::chrono::milliseconds bound = 20s,
                      const QString &program = QStringLiteral(FAKE_NSLOOKUP))
        : process(program), lookup(program.isEmpty() ? static_cast<LookupProcess &>(scripted) : process),
          tool(rig.panel, rig.context, lookup, folder, bound)
    {
        qputenv("FAKE_NSLOOKUP", mode);
        rig.show();
    }
    ~CountRig() { qunsetenv("FAKE_NSLOOKUP"); }
    void query(const QString &domain)
    {
        txt->setText(domain);
        QTest::mouseClick(cmd, Qt::LeftButton);
    }
    bool idle() const { return cmd->isEnabled() && txt->isEnabled() && result->isEnabled(); }
};

QByteArray recorded(const char *name)
{
    return QByteArray("file:") + NSLOOKUP_OUTPUTS + '/' + name;
}

// The lines of a lookup answer as nslookup on Linux writes them (LF only): a
// CNAME to a 247-character name and then addresses A records of that name.
QList<QByteArray> cnameAnswer(int addresses)
{
    const QByteArray name = QByteArray(243, 'n') + ".cn.";
    QList<QByteArray> lines{"Server:\t\t127.0.0.53\n", "Address:\t127.0.0.53#53\n", "\n",
                            "Non-authoritative answer:\n", "www.a.com\tcanonical name = " + name + "\n"};
    for (int i = 0; i < addresses; ++i) {
        lines.append("Name:\t" + name + "\n");
        lines.append("Address: 10." + QByteArray::number(i / 256 % 256) + '.' + QByteArray::number(i % 256) + ".1\n");
    }
    return lines;
}

// What the box shows of lines: each without its blanks and TABs, ending in
// CR LF.
QString tidied(const QList<QByteArray> &lines)
{
    QString text;
    for (const QByteArray &line : lines)
        text += QString::fromUtf8(line).remove(QLatin1Char(' ')).remove(QLatin1Char('\t')).remove(QLatin1Char('\n'))
            + QStringLiteral("\r\n");
    return text;
}

} // namespace

class TestHostCount : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void outputIsTidied_data();
    void outputIsTidied();
    void domainChecks_data();
    void domainChecks();
    void typedTextIsOneArgumentAndRunsNothing();
    void largeOutputs_data();
    void largeOutputs();
    void lookupWithoutAnswerEndsWithinTheBound_data();
    void lookupWithoutAnswerEndsWithinTheBound();
};

void TestHostCount::controlsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<bool>("sizesToText");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label8") << "Label8" << Twips::rect(1920, 960, 5655, 1335) << false
                            << "    本功能可以查询您需要了解的网站主机数量，骗子网站一般只有一个主机地址，"
                               "如果一个网站有两个以上的主机，可信度就比较高了。（主机数量多少请看检查结果最后边有多少个IP地址）"
                               "若不能查询则说明系统nslookup组件存在问题，请联系系统管理员或重装系统修复组件。"
                               "本功能由系统nslookup组件提供。";
    QTest::newRow("Label7") << "Label7" << Twips::rect(2280, 2400, 720, 330) << true << "域名：";
    QTest::newRow("txtSLURL") << "txtSLURL" << Twips::rect(3000, 2400, 3015, 375) << false << "";
    QTest::newRow("cmdGO") << "cmdGO" << Twips::rect(6000, 2400, 975, 375) << false << "查询";
    QTest::newRow("Text6 holds one TAB") << "Text6" << Twips::rect(720, 2520, 180, 375) << false << "\t";
    QTest::newRow("txtSLJG") << "txtSLJG" << Twips::rect(2280, 2880, 4695, 2295) << false << "";
}

void TestHostCount::controlsAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(bool, sizesToText);
    QFETCH(QString, text);
    CountRig count("silent");
    QWidget *control = count.rig.panel->findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    if (sizesToText)
        QCOMPARE(control->pos(), place.topLeft());
    else
        QCOMPARE(control->geometry(), place);
    const QString shown = shownText(control);
    QCOMPARE(shown, text);
    QCOMPARE(control->isHidden(), name == QLatin1String("Text6"));
}

void TestHostCount::outputIsTidied_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Addresses: with indented lines")
        << recorded("windows.txt")
        << "Server:dns.example.net\r\nAddress:192.168.1.1\r\n\r\nName:www.a.com\r\n"
           "Addresses:\r\n10.0.0.1\r\n10.0.0.2\r\n10.0.0.3\r\nAliases:a.com\r\n\r\n";
    QTest::newRow("Address: lines, LF only")
        << recorded("linux.txt")
        << "Server:127.0.0.53\r\nAddress:127.0.0.53#53\r\n\r\nNon-authoritativeanswer:\r\n"
           "Name:www.a.com\r\nAddress:10.0.0.1\r\nName:www.a.com\r\nAddress:10.0.0.2\r\n\r\n";
    QTest::newRow("AddreSSes: becomes the host label")
        << recorded("capital-ss.txt") << "Name:b.com\r\n服务器主机信息：\r\n10.0.0.1\r\n10.0.0.2\r\n";
    QTest::newRow("not found, no final line break")
        << recorded("not-found.txt") << "**servercan'tfindnothing.invalid:NXDOMAIN\r\n";
}

void TestHostCount::outputIsTidied()
{
    QFETCH(QByteArray, output);
    QFETCH(QString, expected);
    CountRig count(output);
    QVERIFY(!QFileInfo::exists(count.folder));
    count.query(QStringLiteral("www.a.com"));

    QCOMPARE(count.result->text(), expected);
    QCOMPARE(count.rig.status->text(), ProductTitle());
    QVERIFY(count.idle());
    QVERIFY(count.rig.boxes.boxes.isEmpty());
    // The work file lives only during the query; the folder stays.
    QVERIFY(QFileInfo(count.folder).isDir());
    QVERIFY(!QFileInfo::exists(count.tool.workFile()));
}

void TestHostCount::domainChecks_data()
{
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("boxText"); // empty: the lookup runs
    QTest::newRow("http://a.b") << "http://a.b" << HostCountTool::SchemeText;
    QTest::newRow("ftp.a.b") << "ftp.a.b" << HostCountTool::SchemeText;
    QTest::newRow("HTTP://A.B goes on: case-sensitive") << "HTTP://A.B" << QString();
    QTest::newRow("empty domain goes on") << "" << QString();
    QTest::newRow("-type=any is no option") << "-type=any" << HostCountTool::OptionText;
    QTest::newRow("a blank before the dash: an argument") << " -x" << QString();
    // The lookup writes in the system's encoding, UTF-8.
    QTest::newRow("Chinese domain comes back whole") << QStringLiteral("例子.中国") << QString();
}

void TestHostCount::domainChecks()
{
    QFETCH(QString, domain);
    QFETCH(QString, boxText);
    CountRig count("args");
    count.query(domain);
    QVERIFY(count.idle());
    if (!boxText.isEmpty()) {
        QCOMPARE(count.rig.boxes.boxes.size(), 1);
        QCOMPARE(count.rig.boxes.boxes[0].icon, MessageBoxes::Icon::Critical);
        QCOMPARE(count.rig.boxes.boxes[0].title, QStringLiteral("错误"));
        QCOMPARE(count.rig.boxes.boxes[0].text, boxText);
        QCOMPARE(count.result->text(), QString());
        QCOMPARE(count.rig.status->text(), QStringLiteral("之前的状态"));
        QVERIFY(!QFileInfo::exists(count.folder));
        return;
    }
    QVERIFY(count.rig.boxes.boxes.isEmpty());
    QCOMPARE(count.result->text(),
             QStringLiteral("argc=1\r\narg1=[") + QString(domain).remove(QLatin1Char(' ')) + QStringLiteral("]\r\n"));
}

void TestHostCount::typedTextIsOneArgumentAndRunsNothing()
{
    CountRig count("args");
    const QString marker = count.temp.path() + QStringLiteral("/ran");
    const QString typed = QStringLiteral("a.com & touch ") + marker + QStringLiteral("; touch ") + marker
        + QStringLiteral(" | touch $(echo ") + marker + QStringLiteral(") > ") + marker;
    count.query(typed);
    QCOMPARE(count.result->text(), QStringLiteral("argc=1\r\narg1=[") + QString(typed).remove(QLatin1Char(' '))
                                       + QStringLiteral("]\r\n"));
    QVERIFY(!QFileInfo::exists(marker));
}

// Outputs around the 1 MiB the tool reads and shows: below it the whole
// answer; past it the whole lines that fit in 1 MiB of box text (each line
// ending in CR LF), nothing after them.
void TestHostCount::largeOutputs_data()
{
    constexpr qsizetype MiB = 1 << 20;
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QString>("expected");

    const QList<QByteArray> below = cnameAnswer(1500);
    QTest::newRow("3,000 lines, below the bound") << below.join() << tidied(below);

    // 8,193 LF lines, 1.1 MB: in the box each line takes its bytes and a CR.
    const QList<QByteArray> past = cnameAnswer(4094);
    QList<QByteArray> fitting;
    qsizetype shown = 0;
    for (const QByteArray &line : past) {
        if (shown + line.size() + 1 > MiB)
            break;
        shown += line.size() + 1;
        fitting.append(line);
    }
    QVERIFY(past.join().size() > MiB && fitting.size() < past.size() && shown > MiB - 300);
    QTest::newRow("8,193 lines past the bound: the lines that fit") << past.join() << tidied(fitting);

    // CR LF lines of exactly 1 MiB: read whole, and the box text is 1 MiB.
    QByteArray exact;
    QString exactShown;
    for (int i = 0; exact.size() < MiB - 200; ++i) {
        exact += "Address:10.0.0." + QByteArray::number(i % 256) + "\r\n";
        exactShown += "Address:10.0.0." + QString::number(i % 256) + "\r\n";
    }
    const QByteArray last = "Name:" + QByteArray(MiB - exact.size() - 7, 'x') + "\r\n";
    exact += last;
    exactShown += QString::fromLatin1(last);
    QTest::newRow("exactly 1 MiB of CR LF lines is read whole") << exact << exactShown;

    // Short LF lines well within what is read: the box text stops at 1 MiB.
    QTest::newRow("700,000 empty LF lines: 524,288 shown")
        << QByteArray(700000, '\n') << QStringLiteral("\r\n").repeated(MiB / 2);

    // No line break within what is read: one line, cut to fit the box text.
    QTest::newRow("one line longer than the bound")
        << QByteArray(MiB + 10, 'y') << QString(MiB - 2, QLatin1Char('y')) + QStringLiteral("\r\n");
}

void TestHostCount::largeOutputs()
{
    QFETCH(QByteArray, output);
    QFETCH(QString, expected);
    QTemporaryDir recorded;
    QFile answer(recorded.filePath(QStringLiteral("answer.txt")));
    QVERIFY(answer.open(QIODevice::WriteOnly));
    QCOMPARE(answer.write(output), output.size());
    answer.close();

    CountRig count("file:" + answer.fileName().toLocal8Bit());
    count.query(QStringLiteral("www.a.com"));
    QCOMPARE(count.result->text().size(), expected.size());
    QCOMPARE(count.result->text(), expected);
    QVERIFY(count.idle());
    QVERIFY(!QFileInfo::exists(count.tool.workFile()));
}

void TestHostCount::lookupWithoutAnswerEndsWithinTheBound_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("boundMs");
    // Long enough that the look inside the wait, 100 ms in, comes before the
    // bound even on a loaded machine.
    QTest::newRow("never writes, never ends: the bound") << QByteArray("hang") << QString() << 2000;
    QTest::newRow("ends without writing") << QByteArray("silent") << QStringLiteral(FAKE_NSLOOKUP) << 60000;
    QTest::newRow("program missing") << QByteArray("silent") << QStringLiteral("/nonexistent/nslookup") << 60000;
}

void TestHostCount::lookupWithoutAnswerEndsWithinTheBound()
{
    QFETCH(QByteArray, mode);
    QFETCH(QString, program);
    QFETCH(int, boundMs);
    CountRig count(mode, std::chrono::milliseconds(boundMs), program);
    // A work file left from an earlier run is no answer to this query.
    QVERIFY(QDir().mkpath(count.folder));
    QFile stale(count.tool.workFile());
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("Addresses: 10.9.9.9\n");
    stale.close();
    // While the tool waits the window stays live: this runs inside the wait.
    QStringList duringWait;
    QTimer::singleShot(100, [&] {
        duringWait << count.result->text() << count.rig.status->text()
                   << QString::number(count.cmd->isEnabled() || count.txt->isEnabled() || count.result->isEnabled());
    });
    QElapsedTimer clock;
    clock.start();
    count.query(QStringLiteral("www.a.com"));
    const qint64 took = clock.elapsed();

    QCOMPARE(count.result->text(), HostCountTool::NoAnswerText);
    QCOMPARE(count.rig.status->text(), ProductTitle());
    QVERIFY(count.idle());
    QVERIFY(!count.lookup.running());
    QVERIFY(!QFileInfo::exists(count.tool.workFile()));
    if (mode == "hang") {
        // The lookup that outran the bound was ended by the tool, once. The
        // upper margin is wide on purpose: a loaded machine runs the bound's
        // timer late.
        QCOMPARE(count.scripted.startedWith, QStringLiteral("www.a.com"));
        QCOMPARE(count.scripted.stops, 1);
        QVERIFY2(took >= boundMs, qPrintable(QString::number(took)));
        QVERIFY2(took < boundMs * 3 + 10000, qPrintable(QString::number(took)));
        QCOMPARE(duringWait, (QStringList{HostCountTool::WaitingText, HostCountTool::WaitingText, "0"}));
    } else {
        // Ended by the program's own end, not by waiting out the bound.
        QVERIFY2(took < boundMs, qPrintable(QString::number(took)));
    }
}

QTEST_MAIN(TestHostCount)
#include "tst_hostcount.moc"
