// Runs one HashFile in a process of its own, so a test can start it with a
// crypto library configured without the digests:
//   hash_child PATH  ->  "digest HEX" or "error NUMBER DESCRIPTION"
#include "HashFile.h"
#include "NumberedError.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    try {
        const QString digest = HashFile(QString::fromLocal8Bit(argv[1]), AlgorithmMd5, {});
        std::printf("digest %s\n", qPrintable(digest));
    } catch (const NumberedError &error) {
        std::printf("error %lld %s\n", static_cast<long long>(error.number), qPrintable(error.description));
    }
    return 0;
}
