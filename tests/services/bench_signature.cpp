// The signature check of one 4 GiB image: its time and peak memory, next to
// a plain chunked read and the SHA1 digest (HashFile) of the same file. Not a
// test: run it by hand on a quiet machine, after `ctest -R make_signed_images`.
//   bench_signature [FOLDER]   (the file is made there, sparse, then removed)
//
// The image is the signed test image with its certificate table moved to the
// end of the file and zeros between, so the check hashes all 4 GiB (and then
// finds a bad digest). Each run is a child process of its own, so its peak
// resident memory (ru_maxrss) is its own.
#include "AuthenticodeCheck.h"
#include "HashFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace
{

constexpr qint64 FileSize = qint64(4) << 30;

// The signed image's head, zeros, and its certificate table at the very end.
bool makeImage(const QString &signedImage, const QString &path)
{
    QFile in(signedImage);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QByteArray image = in.readAll();
    const quint32 pe = qFromLittleEndian<quint32>(image.constData() + 0x3C);
    const bool pe32plus = qFromLittleEndian<quint16>(image.constData() + pe + 24) == 0x20B;
    const qint64 entry = pe + (pe32plus ? 168 : 152);
    const quint32 tableOffset = qFromLittleEndian<quint32>(image.constData() + entry);
    const quint32 tableSize = qFromLittleEndian<quint32>(image.constData() + entry + 4);
    const QByteArray table = image.mid(tableOffset, tableSize);
    const quint32 newOffset = quint32(FileSize - tableSize);
    qToLittleEndian<quint32>(newOffset, image.data() + entry);

    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(image.left(tableOffset)) != tableOffset ||
        !out.resize(FileSize - tableSize) || !out.seek(newOffset) || out.write(table) != table.size())
        return false;
    return out.size() == FileSize;
}

// One measured run inside this child process: prints "SECONDS PEAK_KIB RESULT".
int child(const QString &what, const QString &path, const QString &caFile)
{
    QElapsedTimer timer;
    timer.start();
    QString result;
    if (what == "check") {
        result = QStringLiteral("0x%1").arg(quint32(CheckAuthenticode(path, TrustAnchors::fromFile(caFile))), 8, 16,
                                            QLatin1Char('0'));
    } else if (what == "sha1") {
        result = HashFile(path, AlgorithmSha1, {}).left(12);
    } else {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        std::vector<char> buffer(32768);
        qint64 total = 0;
        for (ssize_t got; fd >= 0 && (got = ::read(fd, buffer.data(), buffer.size())) > 0;)
            total += got;
        if (fd >= 0)
            ::close(fd);
        result = QString::number(total);
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f %ld %s\n", seconds, usage.ru_maxrss, qPrintable(result));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args.at(1) == "--child")
        return child(args.at(2), args.at(3), args.at(4));

    const QString images = QStringLiteral(SIGNED_IMAGES);
    if (!QFile::exists(images + "/signed.exe")) {
        std::fprintf(stderr, "no signed images in %s: run `ctest -R make_signed_images` first\n", qPrintable(images));
        return 1;
    }
    QTemporaryDir dir(args.size() > 1 ? args.at(1) + "/bench-XXXXXX" : QString());
    const QString path = dir.filePath("four-gib.exe");
    if (!dir.isValid() || !makeImage(images + "/signed.exe", path)) {
        std::fprintf(stderr, "cannot make the 4 GiB image\n");
        return 1;
    }

    const QStringList runs{"read", "read", "sha1", "check"}; // the first read warms the page cache
    std::printf("4 GiB image (sparse), each run in a child process\n");
    std::printf("%-28s %9s %14s  %s\n", "run", "seconds", "peak RSS KiB", "result");
    for (int i = 0; i < runs.size(); ++i) {
        QProcess run;
        run.start(app.applicationFilePath(), {"--child", runs.at(i), path, images + "/ca.crt"});
        if (!run.waitForFinished(-1)) {
            std::fprintf(stderr, "child did not finish\n");
            return 1;
        }
        const QStringList fields = QString::fromLatin1(run.readAllStandardOutput()).simplified().split(' ');
        const char *name = runs.at(i) == "read"    ? (i == 0 ? "plain read (warming)" : "plain read, 32 KiB chunks")
                           : runs.at(i) == "sha1" ? "HashFile SHA1"
                                                  : "signature check";
        if (run.exitStatus() != QProcess::NormalExit || fields.size() != 3) {
            std::printf("%-28s ended by signal or failed (exit %d)\n", name, run.exitCode());
            continue;
        }
        std::printf("%-28s %9s %14s  %s\n", name, qPrintable(fields.at(0)), qPrintable(fields.at(1)),
                    qPrintable(fields.at(2)));
    }
    return 0;
}
