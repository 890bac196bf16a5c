#include "FifoSwap.h"
#include "HashFile.h"
#include "NumberedError.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <openssl/err.h>
#include <sys/stat.h>
#include <unistd.h>

// Digests are checked against md5sum and sha1sum of the same file, so the
// test never carries a digest of its own.

namespace
{

constexpr qint64 Chunk = 32768;

QByteArray contents(qint64 size, quint32 seed)
{
    QByteArray bytes(static_cast<int>(size), '\0');
    QRandomGenerator generator(seed);
    for (char &byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

// What the coreutils tool says, upper-cased as HashFile renders it.
QString coreutilsDigest(const QString &tool, const QString &path)
{
    QProcess process;
    process.start(tool, {path});
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return QStringLiteral("%1 failed").arg(tool);
    return QString::fromLatin1(process.readAllStandardOutput()).section(' ', 0, 0).toUpper();
}

int openDescriptors()
{
    return int(QDir("/proc/self/fd").entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot).size());
}

// A file the file system refuses to open even for root: a sysfs attribute
// that can only be written.
QString writeOnlyAttribute()
{
    QDirIterator it("/sys/class", QDir::Files | QDir::System, QDirIterator::Subdirectories);
    for (int looked = 0; it.hasNext() && looked < 20000; ++looked) {
        const QString path = it.next();
        struct stat status {
        };
        if (::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode) &&
            (status.st_mode & 0777) == 0200 && !QFile(path).open(QIODevice::ReadOnly))
            return path;
    }
    return {};
}

} // namespace

class TestHashFile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void digestAndReports_data();
    void digestAndReports();
    void byteBelow0x10KeepsItsZero();
    void yieldsAfterEveryReport();
    void failures_data();
    void failures();
    void unreadableFile();
    void otherKindOfFileAtOpen_data();
    void otherKindOfFileAtOpen();
    void sizeChangesDuringDigest_data();
    void sizeChangesDuringDigest();
    void everyHandleReleased();
    void fileOfMoreThan2GiB();
    void digestFailureCarriesTheLibraryCode();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
};

void TestHashFile::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestHashFile::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestHashFile::digestAndReports_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QList<double>>("chunkReports");
    QTest::newRow("empty") << qint64(0) << QList<double>{};
    QTest::newRow("100 bytes") << qint64(100) << QList<double>{};
    QTest::newRow("one byte short of a chunk") << Chunk - 1 << QList<double>{};
    QTest::newRow("one chunk") << Chunk << QList<double>{1.0};
    QTest::newRow("three chunks") << 3 * Chunk << QList<double>{1.0 / 3, 2.0 / 3, 1.0};
    QTest::newRow("three chunks and a byte") << 3 * Chunk + 1 << QList<double>{1.0 / 3, 2.0 / 3, 1.0};
}

void TestHashFile::digestAndReports()
{
    QFETCH(qint64, size);
    QFETCH(QList<double>, chunkReports);
    const QString path = write(QStringLiteral("file-%1").arg(size), contents(size, quint32(size)));

    struct Case {
        quint32 algorithm;
        const char *tool;
        int digits;
    };
    for (const Case &c : {Case{AlgorithmMd5, "md5sum", 32}, Case{AlgorithmSha1, "sha1sum", 40}}) {
        QList<double> reports;
        const QString digest = HashFile(path, c.algorithm, [&](double fraction) { reports.append(fraction); });
        QCOMPARE(digest, coreutilsDigest(c.tool, path));
        QCOMPARE(digest.size(), c.digits);
        // One report per full chunk, then one per digest byte, each 1: the bar ends full.
        const QList<double> expected = chunkReports + QList<double>(c.digits / 2, 1.0);
        QCOMPARE(reports, expected);
    }
}

void TestHashFile::byteBelow0x10KeepsItsZero()
{
    // Both digests of this text hold a byte 0x0A.
    const QString path = write("zero-a", "digest byte 398");
    for (auto [algorithm, tool] : {std::pair{AlgorithmMd5, "md5sum"}, std::pair{AlgorithmSha1, "sha1sum"}}) {
        const QString digest = HashFile(path, algorithm, {});
        QCOMPARE(digest, coreutilsDigest(tool, path));
        bool found = false;
        for (int i = 0; i < digest.size(); i += 2)
            found = found || digest.mid(i, 2) == "0A";
        QVERIFY2(found, qPrintable(digest));
        QCOMPARE(digest, digest.toUpper());
    }
}

void TestHashFile::yieldsAfterEveryReport()
{
    // Every report posts an event; the yield after it (the window's
    // processEvents) must deliver it before the next report comes.
    const QString path = write("yields", contents(4 * Chunk + 7, 4));
    int reports = 0;
    int delivered = 0;
    QList<int> deliveredAtReport;
    HashFile(path, AlgorithmSha1, [&](double) {
        deliveredAtReport.append(delivered);
        ++reports;
        QTimer::singleShot(0, this, [&] { ++delivered; });
    }, [] { QCoreApplication::processEvents(); });
    QCOMPARE(reports, 4 + 20);
    for (int i = 0; i < deliveredAtReport.size(); ++i)
        QCOMPARE(deliveredAtReport[i], i);
    QCOMPARE(delivered, reports);
}

void TestHashFile::failures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qint64>("number");
    QTest::newRow("missing file") << "missing" << qint64(53);
    QTest::newRow("folder") << "folder" << qint64(53);
    QTest::newRow("named pipe") << "fifo" << qint64(53);
    QTest::newRow("empty path") << "empty" << qint64(53);
}

void TestHashFile::failures()
{
    QFETCH(QString, kind);
    QFETCH(qint64, number);
    QString path;
    if (kind == "missing") {
        path = m_dir.filePath("no such file");
    } else if (kind == "folder") {
        path = m_dir.path();
    } else if (kind == "fifo") {
        path = m_dir.filePath("pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    int reports = 0;
    try {
        const QString digest = HashFile(path, AlgorithmMd5, [&](double) { ++reports; });
        QFAIL(qPrintable("no error but a digest: " + digest));
    } catch (const NumberedError &error) {
        QCOMPARE(error.number, number);
        QVERIFY(!error.description.isEmpty());
    }
    QCOMPARE(reports, 0);
}

void TestHashFile::unreadableFile()
{
    QString path;
    if (::geteuid() == 0) {
        // chmod 000 does not stop root; sysfs refuses a write-only attribute to everyone.
        path = writeOnlyAttribute();
        if (path.isEmpty())
            QSKIP("running as root and no write-only sysfs attribute to stand for an unreadable file");
    } else {
        path = write("unreadable", "secret");
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    }
    try {
        HashFile(path, AlgorithmSha1, {});
        QFAIL("an unreadable file gave a digest");
    } catch (const NumberedError &error) {
        QCOMPARE(error.number, qint64(70)); // permission denied
        QVERIFY2(error.description.contains(path), qPrintable(error.description));
    }
}

void TestHashFile::otherKindOfFileAtOpen_data()
{
    QTest::addColumn<QString>("swappedIn");
    // An open that waited for a writer would hang the window for good.
    QTest::newRow("FIFO") << "fifo";
    // Never blocks, but has no size and endless or no data: not a file either.
    QTest::newRow("character device") << "device";
}

// The path names a regular file when it is looked at; another kind of file
// has taken its name when it is opened.
void TestHashFile::otherKindOfFileAtOpen()
{
    QFETCH(QString, swappedIn);
    const QString path = write("swapped-" + swappedIn, contents(2 * Chunk + 3, 11));
    FifoSwap fifo(path);
    QVERIFY(fifo.isValid());
    const BeforeOpen swap = [&] { fifo.swapIn(swappedIn); };
    qint64 number = 0;
    QString digest;
    int reports = 0;
    const bool ended = fifo.finishesWithin(std::chrono::seconds(10), [&] {
        try {
            digest = HashFile(path, AlgorithmMd5, [&](double) { ++reports; }, {}, swap);
        } catch (const NumberedError &error) {
            number = error.number;
        }
    });
    QVERIFY2(ended, "the digest waited in the open");
    QVERIFY2(QFileInfo(path).exists() && !QFileInfo(path).isFile(), "nothing took the file's place");
    QCOMPARE(digest, QString());
    QCOMPARE(number, qint64(53));
    QCOMPARE(reports, 0);
}

void TestHashFile::sizeChangesDuringDigest_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("atReport"); // the change comes in this chunk report
    QTest::addColumn<qint64>("newSize");
    QTest::addColumn<int>("reports"); // made before the digest gives up
    // Growing after the last read leaves every read whole: only the size tells.
    QTest::newRow("grows after its last full chunk") << 2 * Chunk << 2 << 3 * Chunk << 2;
    QTest::newRow("grows by a byte midway") << 3 * Chunk + 5 << 1 << 3 * Chunk + 6 << 3;
    QTest::newRow("cut short midway") << 3 * Chunk + 5 << 1 << Chunk + 10 << 1;
    QTest::newRow("cut after its last read") << 2 * Chunk << 2 << Chunk << 2;
}

void TestHashFile::sizeChangesDuringDigest()
{
    QFETCH(qint64, size);
    QFETCH(int, atReport);
    QFETCH(qint64, newSize);
    QFETCH(int, reports);
    const QString path = write("changing", contents(size, 21));
    const QByteArray extra = contents(std::max<qint64>(newSize - size, 0), 22);
    int made = 0;
    try {
        const QString digest = HashFile(path, AlgorithmSha1, [&](double) {
            if (++made != atReport)
                return;
            QFile file(path);
            if (newSize > size)
                QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(extra) == extra.size());
            else
                QVERIFY(file.resize(newSize));
        });
        QFAIL(qPrintable("a digest of a file that changed size: " + digest));
    } catch (const NumberedError &error) {
        QCOMPARE(error.number, qint64(62));
        QVERIFY2(error.description.contains(path), qPrintable(error.description));
    }
    QCOMPARE(QFileInfo(path).size(), newSize);
    // No digest byte was reported: the bar never reads full for a digest not given.
    QCOMPARE(made, reports);
}

void TestHashFile::everyHandleReleased()
{
    const QString path = write("handles", contents(2 * Chunk + 5, 9));
    const int before = openDescriptors();
    for (int i = 0; i < 20; ++i) {
        HashFile(path, i % 2 ? AlgorithmMd5 : AlgorithmSha1, {});
        try {
            HashFile(m_dir.path(), AlgorithmMd5, {});
        } catch (const NumberedError &) {
        }
        try {
            // Fails inside the first chunk's report, with the file open.
            HashFile(path, AlgorithmMd5, [](double) { throw NumberedError(1, "stop"); });
        } catch (const NumberedError &) {
        }
    }
    QCOMPARE(openDescriptors(), before);
}

void TestHashFile::fileOfMoreThan2GiB()
{
    // A sparse file just past the signed 32-bit length.
    const QString path = m_dir.filePath("large");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize((qint64(1) << 31) + 1));
    }
    qint64 reports = 0;
    double last = 0;
    const QString digest = HashFile(path, AlgorithmSha1, [&](double fraction) {
        ++reports;
        last = fraction;
    });
    QCOMPARE(digest, coreutilsDigest("sha1sum", path));
    QCOMPARE(reports, (qint64(1) << 31) / Chunk + 20);
    QCOMPARE(last, 1.0);
    QFile::remove(path);
}

void TestHashFile::digestFailureCarriesTheLibraryCode()
{
    // A crypto library that loads only its base provider has no digests at all.
    const QString config = m_dir.filePath("no-digests.cnf");
    write("no-digests.cnf", "openssl_conf = init\n[init]\nproviders = providers\n"
                            "[providers]\nbase = base\n[base]\nactivate = 1\n");
    const QString path = write("child-input", "abc");
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("OPENSSL_CONF", config);
    child.setProcessEnvironment(environment);
    child.start(HASH_CHILD, {path});
    QVERIFY(child.waitForFinished(60000));
    const QString answer = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
    QVERIFY2(answer.startsWith("error "), qPrintable(answer));
    const unsigned long number = answer.section(' ', 1, 1).toULong();
    QCOMPARE(ERR_GET_LIB(number), ERR_LIB_EVP);
    QVERIFY2(answer.contains("unsupported"), qPrintable(answer));

    // The same child with the usual library gives the digest.
    QProcess normal;
    normal.start(HASH_CHILD, {path});
    QVERIFY(normal.waitForFinished(60000));
    QCOMPARE(QString::fromLocal8Bit(normal.readAllStandardOutput()).trimmed(),
             "digest " + coreutilsDigest("md5sum", path));
}

QTEST_GUILESS_MAIN(TestHashFile)
#include "tst_hashfile.moc"
