// Runs each hostile input the program can be handed, at its cap and in its
// worst shape, next to an ordinary input of the same size (the anchor of its
// group), and prints the time the work took and the peak memory of a process
// that did nothing else. Every row runs in a child of its own (this program
// again, with --row), bounded at 20 s and 4 GiB of address space, so one
// row's peak is not hidden by another's and a crash or a hang is reported,
// not fatal. A row passes at 2 s and 256 MiB; the last column says which
// rows did not.
//
// Groups:
//   render      1 MiB pages through decode and the rendered text, as a fetch
//   result box  1 Mi characters shown in a result box, laid out and painted
//   whois       a 1 MiB page through the whois tool, fetched from a stand-in
//   host count  an 8,000-line name-server answer shown by the host count
//   signature   crafted signature structures through the signature check
//               (needs `ctest -R make_signed_images` first)
//
// Not a test: run it by hand on a quiet machine.
//   bench_hostile            every row
//   bench_hostile GROUP      the rows of one group
#include "CraftedSignature.h"
#include "BenchPages.h"
#include "Endpoints.h"
#include "GbkCodec.h"
#include "HostCountTool.h"
#include "NslookupProcess.h"
#include "RenderedText.h"
#include "ResultBox.h"
#include "ToolPanelRig.h"
#include "VerifyFileSignature.h"
#include "WhoisTool.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using namespace BenchPages;

constexpr qsizetype Cap = PageSize;
constexpr double SecondsAllowed = 2.0;
constexpr double MiBAllowed = 256.0;
// Far past the time allowed: a row still at work then is ended and reported.
constexpr unsigned AlarmSeconds = 20;

// 1 Mi characters of what a whois record looks like: short lines of words.
QString ordinaryText(qsizetype size = Cap)
{
    QString text;
    text.reserve(size + 80);
    for (int i = 0; text.size() < size; ++i)
        text += QStringLiteral("Registrant Contact Email: admin%1@example.cn 注册商：示例网络有限公司\r\n").arg(i);
    text.truncate(size);
    return text;
}

QString longLines(qsizetype size = Cap)
{
    // Lines of 64 Ki characters of ordinary words.
    QString line = QString::fromLatin1(repeated("domain status ", 65536));
    QString text;
    while (text.size() < size)
        text += line + QStringLiteral("\r\n");
    text.truncate(size);
    return text;
}

// What nslookup prints for a name with a CNAME to a 247-character name and
// about 4,000 addresses: two lines an address, 8,000 lines and more.
QByteArray nameServerAnswer(int addresses = 4080)
{
    QByteArray name = repeated("abcdefghij", 240) + ".cn";
    name = name.left(240) + ".example.cn";
    name.truncate(247);
    QByteArray out = "Server:\t\t127.0.0.53\nAddress:\t127.0.0.53#53\n\nNon-authoritative answer:\n";
    out += "www.example.cn\tcanonical name = " + name + ".\n";
    for (int i = 0; i < addresses; ++i) {
        out += "Name:\t" + name + "\n";
        out += "Address: 10." + QByteArray::number(i / 65536 % 256) + '.' + QByteArray::number(i / 256 % 256) + '.' +
               QByteArray::number(i % 256) + "\n";
    }
    return out + "\n";
}

// What a row's child reports: the seconds of its work and a note on what it
// gave (characters shown, a verdict code).
struct Outcome {
    double seconds = 0;
    QString note;
};

// Times one piece of work; the setup before it is not counted.
Outcome timed(const std::function<QString()> &work)
{
    QElapsedTimer timer;
    timer.start();
    QString note = work();
    return {timer.nsecsElapsed() / 1e9, note};
}

Outcome renderRow(const QByteArray &page, bool anchor)
{
    return timed([&] {
        const QString text = Gbk::decode(page);
        if (anchor)
            return QStringLiteral("%1 bytes decoded and copied").arg(text.toUtf8().size());
        return QStringLiteral("%1 characters").arg(RenderInnerText(text).size());
    });
}

// The box at the whois result's size, shown, the text set, laid out and
// painted (grab() paints the widget whole, as the screen would).
Outcome resultBoxRow(const QString &text)
{
    QWidget window;
    window.resize(800, 600);
    auto *box = new ResultBox(&window);
    box->setGeometry(96, 128, 385, 233);
    window.show();
    QCoreApplication::processEvents();
    return timed([&] {
        box->setText(text);
        QCoreApplication::processEvents();
        box->grab();
        return QStringLiteral("%1 characters shown").arg(box->text().size());
    });
}

// A tool's query from the click to its result painted in its box.
Outcome clickedAndShown(QPushButton *button, ResultBox *result)
{
    QCoreApplication::processEvents();
    return timed([&] {
        button->click();
        QCoreApplication::processEvents();
        result->grab();
        return QStringLiteral("%1 characters shown").arg(result->text().size());
    });
}

Outcome whoisRow(const QByteArray &page)
{
    ToolPanelRig rig;
    rig.server().setRoute(Endpoints::WhoisHost, "/whois/bench.cn", StandinServer::raw(page));
    WhoisTool tool(rig.panel, rig.context);
    rig.show();
    auto *input = rig.find<QLineEdit>("txtYuMing");
    auto *button = rig.find<QPushButton>("cmdYuMingChaXun");
    input->setText(QStringLiteral("bench.cn"));
    return clickedAndShown(button, rig.find<ResultBox>("txtYuMingJG"));
}

Outcome hostCountRow(const QByteArray &answer, bool anchor)
{
    QTemporaryDir temp;
    const QString answerFile = temp.filePath(QStringLiteral("answer.txt"));
    QFile file(answerFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(answer) != answer.size())
        return {0, QStringLiteral("could not write the answer")};
    file.close();
    if (anchor) {
        // The floor: read the same bytes and show them in one go.
        return resultBoxRow(QString::fromUtf8(answer));
    }
    qputenv("FAKE_NSLOOKUP", "file:" + answerFile.toLocal8Bit());
    ToolPanelRig rig({.ownStandin = false});
    NslookupProcess process(QStringLiteral(FAKE_NSLOOKUP));
    HostCountTool tool(rig.panel, rig.context, process, temp.filePath(QStringLiteral("ORVN")));
    rig.show();
    rig.find<QLineEdit>("txtSLURL")->setText(QStringLiteral("www.example.cn"));
    return clickedAndShown(rig.find<QPushButton>("cmdGO"), rig.find<ResultBox>("txtSLJG"));
}

Outcome signatureRow(const std::function<QByteArray(const QByteArray &)> &craft)
{
    QFile signedImage(QStringLiteral(SIGNED_IMAGES "/signed.exe"));
    if (!signedImage.open(QIODevice::ReadOnly))
        return {0, QStringLiteral("no signed image: run `ctest -R make_signed_images` first")};
    const QByteArray image = craft(signedImage.readAll());
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("crafted.exe"));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(image) != image.size())
        return {0, QStringLiteral("could not write the image")};
    out.close();
    const TrustAnchors anchors = TrustAnchors::fromFile(QStringLiteral(SIGNED_IMAGES "/ca.crt"));
    return timed([&] {
        const Verdict verdict = VerifyFileSignature(path, anchors);
        return QStringLiteral("%1 KiB, verdict \"%2\"").arg(image.size() / 1024).arg(verdict.text.left(12));
    });
}

struct Row {
    const char *group;
    const char *name;
    std::function<Outcome()> run;
};

QList<Row> rows()
{
    using Crafted = std::function<QByteArray(const QByteArray &)>;
    const auto asIs = [](const QByteArray &image) { return image; };
    return {
        {"render", "table page (anchor)", [] { return renderRow(tablePage(), true); }},
        {"render", "table page", [] { return renderRow(tablePage(), false); }},
        {"render", "<div a0 a1 ...>", [] { return renderRow(manyAttributes("<div", ">x</div>"), false); }},
        {"render", "</div a0 a1 ...>", [] { return renderRow(manyAttributes("<div>x</div", ">y"), false); }},
        {"render", "<html aN> repeated", [] { return renderRow(numbered("<html a", ">"), false); }},
        {"render", "<body aN> repeated", [] { return renderRow(numbered("<body a", ">"), false); }},
        {"render", "one attribute, 1 MiB", [] { return renderRow("<div a=\"" + repeated("v") + "\">x", false); }},
        {"result box", "whois lines (anchor)", [] { return resultBoxRow(ordinaryText()); }},
        {"result box", "one long word", [] { return resultBoxRow(QString(Cap, QLatin1Char('a'))); }},
        {"result box", "64 Ki-character lines", [] { return resultBoxRow(longLines()); }},
        {"result box", "many short lines", [] { return resultBoxRow(QString::fromLatin1(repeated("a\r\n"))); }},
        {"result box", "line breaks only", [] { return resultBoxRow(QString::fromLatin1(repeated("\r\n"))); }},
        {"result box", "Chinese, no breaks", [] { return resultBoxRow(QString(Cap, QChar(0x4E2D))); }},
        {"whois", "record page (anchor)", [] { return whoisRow(ordinaryText().toUtf8().replace("\r\n", "<br>").left(Cap)); }},
        {"whois", "one long word", [] { return whoisRow(repeated("a")); }},
        {"whois", "<pre> of line breaks", [] { return whoisRow("<pre>" + repeated("\n", Cap - 5)); }},
        {"whois", "<br> repeated", [] { return whoisRow(repeated("<br>")); }},
        {"host count", "same text, one set (anchor)", [] { return hostCountRow(nameServerAnswer(), true); }},
        {"host count", "8,000-line answer", [] { return hostCountRow(nameServerAnswer(), false); }},
        {"signature", "signed image (anchor)", [=] { return signatureRow(asIs); }},
        {"signature", "digestAlgorithms x 60,000",
         [] { return signatureRow([](const QByteArray &i) { return CraftedSignature::repeatedDigestAlgorithms(i, 60000); }); }},
        {"signature", "signers x 20,000",
         [] { return signatureRow([](const QByteArray &i) { return CraftedSignature::manySigners(i, 20000); }); }},
        {"signature", "certificates x 20,000",
         [] { return signatureRow([](const QByteArray &i) { return CraftedSignature::manyCertificates(i, 20000); }); }},
        {"signature", "ASN.1 nesting 100,000 deep",
         [] { return signatureRow([](const QByteArray &i) { return CraftedSignature::deepNesting(i, 100000); }); }},
        {"signature", "one 8 MiB attribute",
         [] { return signatureRow([](const QByteArray &i) { return CraftedSignature::hugeAttribute(i, 8 << 20); }); }},
    };
}

// The child: one row, its figures on standard output as "seconds\tnote".
int runRow(int argc, char **argv, int index)
{
    rlimit space{4ull << 30, 4ull << 30};
    ::setrlimit(RLIMIT_AS, &space);
    ::alarm(AlarmSeconds);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QList<Row> all = rows();
    const Outcome outcome = all.at(index).run();
    std::printf("%.3f\t%.1f\t%s\n", outcome.seconds, vmHwmMiB(), qPrintable(outcome.note));
    std::fflush(stdout);
    // Leave at once: tearing down the tools and the stand-in is not measured.
    ::_exit(0);
}

void runChild(const char *self, int index, const Row &row)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    const QByteArray number = QByteArray::number(index);
    char rowFlag[] = "--row";
    char *childArgv[] = {const_cast<char *>(self), rowFlag, const_cast<char *>(number.constData()), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self, &actions, nullptr, childArgv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    QByteArray line;
    char buffer[512];
    ssize_t n = 0;
    while (spawned == 0 && (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        line.append(buffer, n);
    ::close(pipeFds[0]);
    if (spawned != 0) {
        std::printf("%-11s %-30s could not start\n", row.group, row.name);
        return;
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const double peak = usage.ru_maxrss / 1024.0;
    const QList<QByteArray> fields = line.trimmed().split('\t');
    if (WIFSIGNALED(status) || fields.size() < 3) {
        const QByteArray how = !WIFSIGNALED(status)          ? QByteArray("ended without figures")
                               : WTERMSIG(status) == SIGALRM ? "still at work at " + QByteArray::number(AlarmSeconds) + " s"
                                                             : QByteArray(strsignal(WTERMSIG(status)));
        std::printf("%-11s %-30s %s (peak %.0f MiB)   OVER\n", row.group, row.name, how.constData(), peak);
        std::fflush(stdout);
        return;
    }
    const double seconds = fields.at(0).toDouble();
    const bool within = seconds <= SecondsAllowed && peak <= MiBAllowed;
    std::printf("%-11s %-30s %7.3f s  peak %6.1f MiB  %-40s %s\n", row.group, row.name, seconds, peak,
                fields.at(2).constData(), within ? "ok" : "OVER");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--row") == 0)
        return runRow(argc, argv, std::atoi(argv[2]));
    // Qt's note on a missing runtime folder would stand between the rows.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid()) {
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    const QList<Row> all = rows();
    std::printf("%-11s %-30s %9s  %15s  %-40s\n", "group", "input", "time", "peak memory", "outcome");
    for (int i = 0; i < all.size(); ++i) {
        if (argc == 2 && std::strcmp(argv[1], all.at(i).group) != 0)
            continue;
        runChild("/proc/self/exe", i, all.at(i));
    }
    return 0;
}
