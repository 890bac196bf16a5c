// Hashes one 1 GiB file through HashFile and through sha1sum and prints the
// times and their ratio. Not a test: run it by hand on a quiet machine.
//   bench_hashfile [FOLDER]   (the file is made there, then removed)
#include "HashFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + "/bench-XXXXXX" : QString());
    if (!dir.isValid())
        return 1;
    const QString path = dir.filePath("one-gib.bin");
    {
        // Random bytes, written for real (a sparse file would read faster than any disk).
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray block(1 << 20, '\0');
        QRandomGenerator generator(5);
        for (int i = 0; i < 1024; ++i) {
            generator.fillRange(reinterpret_cast<quint32 *>(block.data()), block.size() / 4);
            if (file.write(block) != block.size())
                return 1;
        }
    }
    // One untimed pass so both runs read from the page cache.
    QProcess warm;
    warm.start("sha1sum", {path});
    warm.waitForFinished(-1);

    QElapsedTimer timer;
    timer.start();
    long long reports = 0;
    const QString ours = HashFile(path, AlgorithmSha1, [&](double) { ++reports; });
    const double oursSeconds = timer.nsecsElapsed() / 1e9;

    timer.restart();
    QProcess theirs;
    theirs.start("sha1sum", {path});
    theirs.waitForFinished(-1);
    const double theirSeconds = timer.nsecsElapsed() / 1e9;
    const QString theirDigest = QString::fromLatin1(theirs.readAllStandardOutput()).section(' ', 0, 0).toUpper();

    std::printf("HashFile SHA1: %.3f s (%lld progress reports)\n", oursSeconds, reports);
    std::printf("sha1sum:       %.3f s\n", theirSeconds);
    std::printf("ratio HashFile / sha1sum: %.2f\n", oursSeconds / theirSeconds);
    std::printf("digests %s\n", ours == theirDigest ? "agree" : "DIFFER");
    return ours == theirDigest ? 0 : 1;
}
