#include "AuthenticodeCheck.h"
#include "CraftedSignature.h"
#include "FifoSwap.h"
#include "MiniPe.h"
#include "TrustResult.h"
#include "VerifyFileSignature.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <chrono>
#include <cstdio>
#include <functional>

#include <unistd.h>

// The signed images come from make-fixtures.sh (a CTest fixture step); the
// damaged ones are made here from them, so each row shows the one change
// that the check must notice.

namespace
{

const QString GreenText = QStringLiteral("该文件已经包含合法的数字签名，发布者已通过验证！");
const QString NoSignatureText = QStringLiteral("您选择的文件没有数字签名，发布者未通过验证！");
const QString CatchAllText =
    QStringLiteral("该文件有数字签名！发布者未通过验证，证书颁发机构未通过验证，请小心谨慎运行！");
constexpr Rgb Green{0, 128, 0};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Olive{128, 128, 0};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

// File offset of the certificate table of a PE32 image from MiniPe.
quint32 tableOffset(const QByteArray &image)
{
    return qFromLittleEndian<quint32>(image.constData() + 0x40 + 152);
}

// The image with its certificate table grown to size bytes: zeros after the
// signature, to the end of the file.
QByteArray withTableSize(QByteArray image, quint32 size)
{
    qToLittleEndian<quint32>(size, image.data() + 0x40 + 156);
    image.resize(qsizetype(tableOffset(image)) + size, '\0');
    return image;
}

} // namespace

using Damage = std::function<QByteArray(QByteArray)>;
Q_DECLARE_METATYPE(Damage)
// What happens to the file (by its path) in the middle of a check.
using Change = std::function<void(const QString &)>;
Q_DECLARE_METATYPE(Change)

class TestSignatureVerdict : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void verdictTable_data();
    void verdictTable();
    void check_data();
    void check();
    void changedDuringCheck_data();
    void changedDuringCheck();
    void otherKindOfFileAtOpen_data();
    void otherKindOfFileAtOpen();
    void systemStoreDoesNotTrustTheTestRoot();
    void agreesWithOsslsigncode_data();
    void agreesWithOsslsigncode();

private:
    QString image(const QString &name) const { return m_images.filePath(name); }
    QDir m_images;
    QTemporaryDir m_work;
};

void TestSignatureVerdict::initTestCase()
{
    const QString dir = qEnvironmentVariable("KORDELVANE_SIGNED_IMAGES");
    QVERIFY2(!dir.isEmpty() && QFile::exists(dir + "/signed.exe"),
             "run through ctest: the make_signed_images step makes the signed images");
    m_images = QDir(dir);
    QVERIFY(m_work.isValid());
}

void TestSignatureVerdict::verdictTable_data()
{
    QTest::addColumn<qint32>("result");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Rgb>("colour");
    QTest::newRow("0: valid") << TrustResult::Valid << GreenText << Green;
    QTest::newRow("no signature") << TrustResult::NoSignature << NoSignatureText << Red;
    QTest::newRow("explicit distrust") << TrustResult::ExplicitDistrust
                                       << QStringLiteral(
                                              "该文件包含数字签名，但可能已失效，通常是签名过期或签名已无效！")
                                       << Olive;
    QTest::newRow("security settings") << TrustResult::SecuritySettings
                                       << QStringLiteral("不能验证该文件数字签名状态，可能损坏，文件未通过验证") << Red;
    QTest::newRow("subject not trusted") << TrustResult::SubjectNotTrusted
                                         << QStringLiteral("该文件包含数字签名，但是无效！") << Red;
    QTest::newRow("bad digest: catch-all") << TrustResult::BadDigest << CatchAllText << Olive;
    QTest::newRow("expired: catch-all") << TrustResult::Expired << CatchAllText << Olive;
    QTest::newRow("1: catch-all") << qint32(1) << CatchAllText << Olive;
    QTest::newRow("-1: catch-all") << qint32(-1) << CatchAllText << Olive;
}

void TestSignatureVerdict::verdictTable()
{
    QFETCH(qint32, result);
    QFETCH(QString, text);
    QFETCH(Rgb, colour);
    const Verdict verdict = VerdictForResult(result);
    QCOMPARE(verdict.text, text);
    QVERIFY(verdict.colour == colour);
}

void TestSignatureVerdict::check_data()
{
    QTest::addColumn<QString>("source"); // fixture image, "" for none
    QTest::addColumn<Damage>("damage");  // applied to its bytes; null: use the image as it is
    QTest::addColumn<qint32>("result");
    QTest::addColumn<QString>("text");

    const Damage asIs;
    QTest::newRow("signed, trusted") << "signed.exe" << asIs << TrustResult::Valid << GreenText;
    QTest::newRow("signed PE32+") << "signed64.exe" << asIs << TrustResult::Valid << GreenText;
    QTest::newRow("SHA-1 image digest") << "signed-sha1.exe" << asIs << TrustResult::Valid << GreenText;
    QTest::newRow("expired signer, valid timestamp")
        << "expired-timestamped.exe" << asIs << TrustResult::Valid << GreenText;
    QTest::newRow("timestamp by a since expired authority")
        << "expired-old-authority.exe" << asIs << TrustResult::Valid << GreenText;
    QTest::newRow("expired signer, legacy countersignature")
        << "expired-countersigned.exe" << asIs << TrustResult::Valid << GreenText;
    QTest::newRow("countersignature over other bytes")
        << "expired-countersigned-wrong.exe" << asIs << TrustResult::Expired << CatchAllText;
    QTest::newRow("nested: the primary decides") << "nested.exe" << asIs << TrustResult::Valid << GreenText;
    QTest::newRow("unsigned PE") << "unsigned.exe" << asIs << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("unsigned PE32+") << "unsigned64.exe" << asIs << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("untrusted root") << "untrusted.exe" << asIs << TrustResult::UntrustedRoot << CatchAllText;
    QTest::newRow("expired, no timestamp") << "expired.exe" << asIs << TrustResult::Expired << CatchAllText;
    QTest::newRow("lifetime signing ignores the timestamp")
        << "lifetime-timestamped.exe" << asIs << TrustResult::Expired << CatchAllText;
    QTest::newRow("server certificate") << "wrong-usage.exe" << asIs << TrustResult::WrongUsage << CatchAllText;

    QTest::newRow("tampered section") << "signed.exe" << Damage([](QByteArray b) {
        b[0x210] = char(b[0x210] ^ 0x01);
        return b;
    }) << TrustResult::BadDigest << CatchAllText;
    QTest::newRow("signature value changed") << "signed.exe" << Damage([](QByteArray b) {
        // The signer's signature value closes the PKCS#7 data of this image
        // (its outer SEQUENCE has a two-byte length; padding follows it).
        const int der = int(tableOffset(b)) + 8;
        const int derEnd = der + 4 + qFromBigEndian<quint16>(b.constData() + der + 2);
        b[derEnd - 1] = char(b[derEnd - 1] ^ 0x01);
        return b;
    }) << TrustResult::BadDigest << CatchAllText;
    QTest::newRow("signer digest unknown to the library") << "signed.exe" << Damage([](QByteArray b) {
        // SHA-256 (2.16.840.1.101.3.4.2.1) becomes the unassigned
        // 2.16.840.1.101.3.4.2.127 in the SignedData's digest list and the
        // signer's digest algorithm; the image digest inside the signed
        // content (the second occurrence) stays SHA-256.
        const QByteArray sha256("\x06\x09\x60\x86\x48\x01\x65\x03\x04\x02\x01", 11);
        int seen = 0;
        for (qsizetype at = b.indexOf(sha256, tableOffset(b)); at >= 0; at = b.indexOf(sha256, at + 1)) {
            if (++seen != 2)
                b[at + 10] = char(0x7F);
        }
        return seen >= 3 ? b : QByteArray();
    }) << TrustResult::BadDigest << CatchAllText;
    // The appended bytes are hashed like any overlay.
    QTest::newRow("bytes after the table")
        << "signed.exe" << Damage([](QByteArray b) { return b + QByteArray(4, '\0'); }) << TrustResult::BadDigest
        << CatchAllText;
    // The table is not hashed, so padding after the signature keeps it valid,
    // up to the largest table a signature may have.
    QTest::newRow("table padded to 16 MiB") << "signed.exe" << Damage([](QByteArray b) {
        return withTableSize(b, 16 << 20);
    }) << TrustResult::Valid << GreenText;
    QTest::newRow("table over 16 MiB") << "signed.exe" << Damage([](QByteArray b) {
        return withTableSize(b, (16 << 20) + 8);
    }) << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("table past the end of the file") << "signed.exe" << Damage([](QByteArray b) {
        const quint32 size = qFromLittleEndian<quint32>(b.constData() + 0x40 + 156);
        qToLittleEndian<quint32>(size + 8, b.data() + 0x40 + 156);
        return b;
    }) << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("PKCS#7 outer tag flipped") << "signed.exe" << Damage([](QByteArray b) {
        const int der = int(tableOffset(b)) + 8;
        b[der] = char(b[der] ^ 0xFF);
        return b;
    }) << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("table over the section data") << "signed.exe" << Damage([](QByteArray b) {
        // Point the security entry at the section data instead.
        qToLittleEndian<quint32>(0x200, b.data() + 0x40 + 152);
        return b;
    }) << TrustResult::NoSignature << NoSignatureText;
    // A file that is not a PE image has no signature at all: red, not the
    // olive text that says it has one.
    QTest::newRow("not MZ") << "signed.exe" << Damage([](QByteArray b) {
        b[0] = 'X';
        return b;
    }) << TrustResult::NoSignature
                            << NoSignatureText;
    QTest::newRow("no PE signature") << "unsigned.exe" << Damage([](QByteArray b) {
        b[0x40] = 'X';
        return b;
    }) << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("unknown optional header magic") << "signed.exe" << Damage([](QByteArray b) {
        b[0x40 + 24] = char(0x07);
        return b;
    }) << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("DOS header only") << "unsigned.exe" << Damage([](QByteArray b) { return b.left(64); })
                                     << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("empty file") << "unsigned.exe" << Damage([](QByteArray) { return QByteArray(); })
                                << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("text file") << "" << Damage([](QByteArray) { return QByteArray("hello\n"); })
                               << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("PDF") << "" << Damage([](QByteArray) {
        return QByteArray(
            "%PDF-1.4\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\ntrailer\n<< /Root 1 0 R >>\n%%EOF\n");
    }) << TrustResult::NoSignature
                         << NoSignatureText;
    QTest::newRow("JPEG") << "" << Damage([](QByteArray) {
        return QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xFF\xD9", 22) +
               QByteArray(64, '\0');
    }) << TrustResult::NoSignature
                          << NoSignatureText;
    QTest::newRow("ELF: this test program")
        << "" << Damage([](QByteArray) { return readAll(QCoreApplication::applicationFilePath()); })
        << TrustResult::NoSignature << NoSignatureText;

    // Crafted SignedData: the lists that the signature does not cover, grown
    // or repeated, and nesting where the file chooses it. Past the bounds of
    // an Authenticode signature's shape the signature is malformed; at them
    // it stays valid.
    using namespace CraftedSignature;
    auto crafted = [](QByteArray (*craft)(const QByteArray &, int), int count) {
        return Damage([craft, count](QByteArray b) {
            const QByteArray image = craft(b, count);
            if (image.isEmpty()) // an image the generator cannot take apart would test nothing
                qFatal("the crafted signature could not be made");
            return image;
        });
    };
    QTest::newRow("digest algorithms repeated 60,000 times")
        << "signed.exe" << crafted(repeatedDigestAlgorithms, 60000) << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("two digest algorithms")
        << "signed.exe" << crafted(repeatedDigestAlgorithms, 2) << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("two signers") << "signed.exe" << crafted(manySigners, 2) << TrustResult::NoSignature
                                 << NoSignatureText;
    QTest::newRow("3,000 signers") << "signed.exe" << crafted(manySigners, 3000) << TrustResult::NoSignature
                                   << NoSignatureText;
    QTest::newRow("64 certificates") << "signed.exe" << crafted(manyCertificates, 64) << TrustResult::Valid
                                     << GreenText;
    QTest::newRow("65 certificates") << "signed.exe" << crafted(manyCertificates, 65) << TrustResult::NoSignature
                                     << NoSignatureText;
    QTest::newRow("32 unsigned attributes")
        << "signed.exe" << crafted(manyAttributes, 32) << TrustResult::Valid << GreenText;
    QTest::newRow("33 unsigned attributes")
        << "signed.exe" << crafted(manyAttributes, 33) << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("16 nested signatures")
        << "signed.exe" << crafted(manyNestedSignatures, 16) << TrustResult::Valid << GreenText;
    QTest::newRow("17 nested signatures")
        << "signed.exe" << crafted(manyNestedSignatures, 17) << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("attribute of 200 KiB")
        << "signed.exe" << crafted(hugeAttribute, 200 << 10) << TrustResult::Valid << GreenText;
    QTest::newRow("attribute of 300 KiB")
        << "signed.exe" << crafted(hugeAttribute, 300 << 10) << TrustResult::NoSignature << NoSignatureText;
    QTest::newRow("attribute of 15 MiB") << "signed.exe" << crafted(hugeAttribute, 15 << 20) << TrustResult::NoSignature
                                         << NoSignatureText;
    QTest::newRow("nesting 40 deep") << "signed.exe" << crafted(deepNesting, 40) << TrustResult::Valid << GreenText;
    QTest::newRow("nesting 100 deep") << "signed.exe" << crafted(deepNesting, 100) << TrustResult::NoSignature
                                      << NoSignatureText;
    QTest::newRow("nesting 500,000 deep")
        << "signed.exe" << crafted(deepNesting, 500000) << TrustResult::NoSignature << NoSignatureText;
    // The timestamp token is a SignedData of its own: one past the bounds is
    // no timestamp, so the expired signer is expired.
    QTest::newRow("timestamp token with 10,000 digest algorithms")
        << "expired-timestamped.exe" << crafted(repeatedTimestampDigestAlgorithms, 10000) << TrustResult::Expired
        << CatchAllText;
    QTest::newRow("timestamp token with two digest algorithms")
        << "expired-timestamped.exe" << crafted(repeatedTimestampDigestAlgorithms, 2) << TrustResult::Expired
        << CatchAllText;
    QTest::newRow("missing path") << "" << asIs << TrustResult::NoSignature << NoSignatureText;
}

void TestSignatureVerdict::check()
{
    QFETCH(QString, source);
    QFETCH(Damage, damage);
    QFETCH(qint32, result);
    QFETCH(QString, text);

    QString path;
    if (damage) {
        path = m_work.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
        const QByteArray bytes = damage(source.isEmpty() ? QByteArray() : readAll(image(source)));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(out.write(bytes), bytes.size());
        out.close();
    } else if (source.isEmpty()) {
        path = m_work.filePath("no such file.exe");
    } else {
        path = image(source);
    }

    const TrustAnchors anchors = TrustAnchors::fromFile(image("ca.crt"));
    QCOMPARE(CheckAuthenticode(path, anchors), result);
    const Verdict verdict = VerifyFileSignature(path, anchors);
    QCOMPARE(verdict.text, text);
    QVERIFY(verdict.colour == VerdictForResult(result).colour);
}

void TestSignatureVerdict::changedDuringCheck_data()
{
    QTest::addColumn<QByteArray>("overlay"); // appended to signed.exe before the check
    QTest::addColumn<int>("afterChunk");     // the change comes after this many chunks
    QTest::addColumn<Change>("change");
    QTest::addColumn<qint32>("result");

    auto resize = [](qint64 size) { return Change([size](const QString &path) { QFile::resize(path, size); }); };
    auto rewrite = [](const Damage &damage) {
        return Change([damage](const QString &path) {
            QFile file(path);
            if (!file.open(QIODevice::ReadWrite))
                qFatal("cannot open %s", qPrintable(path));
            const QByteArray bytes = damage(file.readAll());
            file.seek(0);
            file.write(bytes);
        });
    };
    // The first chunk of signed.exe ends at its checksum; the section data,
    // the signature and the rest of the file are read after it.
    const QByteArray none;
    QTest::newRow("cut short") << none << 1 << resize(0x100) << TrustResult::NoSignature;
    QTest::newRow("emptied") << none << 1 << resize(0) << TrustResult::NoSignature;
    QTest::newRow("cut at its table") << none << 1 << Change([](const QString &path) {
        QFile::resize(path, tableOffset(readAll(path)));
    }) << TrustResult::NoSignature;
    QTest::newRow("grown") << none << 1 << rewrite([](QByteArray b) { return b + "more"; }) << TrustResult::BadDigest;
    QTest::newRow("section byte changed") << none << 1 << rewrite([](QByteArray b) {
        b[0x210] = char(b[0x210] ^ 0x01);
        return b;
    }) << TrustResult::BadDigest;
    // 96 KiB after the table, read in three chunks after the headers' three:
    // cut in the middle of them.
    QTest::newRow("long overlay cut midway")
        << QByteArray(96 * 1024, 'x') << 4 << Change([](const QString &path) {
               QFile::resize(path, QFileInfo(path).size() - 48 * 1024);
           }) << TrustResult::NoSignature;
}

// The file changes between two chunks of the check's reads; the check ends
// with a verdict (and the process lives: a mapped file that shrinks would
// have ended it with SIGBUS).
void TestSignatureVerdict::changedDuringCheck()
{
    QFETCH(QByteArray, overlay);
    QFETCH(int, afterChunk);
    QFETCH(Change, change);
    QFETCH(qint32, result);

    const QString path = m_work.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(readAll(image("signed.exe")) + overlay);
    out.close();

    int chunks = 0;
    const BetweenChunks betweenChunks = [&] {
        if (++chunks == afterChunk)
            change(path);
    };
    const TrustAnchors anchors = TrustAnchors::fromFile(image("ca.crt"));
    QCOMPARE(CheckAuthenticode(path, anchors, betweenChunks), result);
    QVERIFY2(chunks >= afterChunk, "the file was never changed");
}

void TestSignatureVerdict::otherKindOfFileAtOpen_data()
{
    QTest::addColumn<QString>("swappedIn");
    // An open that waited for a writer would hang the window for good.
    QTest::newRow("FIFO") << "fifo";
    // Never blocks, but holds no image: as missing as the FIFO.
    QTest::newRow("character device") << "device";
}

// A signed image when its path is looked at; another kind of file has taken
// its name when it is opened. The verdict is that of a path naming no file.
void TestSignatureVerdict::otherKindOfFileAtOpen()
{
    QFETCH(QString, swappedIn);
    const QString path = m_work.filePath("swapped-" + swappedIn + ".exe");
    QVERIFY(QFile::copy(image("signed.exe"), path));
    FifoSwap fifo(path);
    QVERIFY(fifo.isValid());
    const BeforeOpen swap = [&] { fifo.swapIn(swappedIn); };
    const TrustAnchors anchors = TrustAnchors::fromFile(image("ca.crt"));
    qint32 result = TrustResult::Valid;
    const bool ended =
        fifo.finishesWithin(std::chrono::seconds(10), [&] { result = CheckAuthenticode(path, anchors, {}, swap); });
    QVERIFY2(ended, "the check waited in the open");
    QVERIFY2(QFileInfo(path).exists() && !QFileInfo(path).isFile(), "nothing took the file's place");
    QCOMPARE(result, TrustResult::NoSignature);
    QCOMPARE(VerdictForResult(result).text, NoSignatureText);
}

void TestSignatureVerdict::systemStoreDoesNotTrustTheTestRoot()
{
    // Signed with a root the system has never seen; only the roots handed in
    // make it valid.
    QCOMPARE(CheckAuthenticode(image("signed.exe"), TrustAnchors::system()), TrustResult::UntrustedRoot);
    QCOMPARE(VerifyFileSignature(image("signed.exe")).text, CatchAllText);
    QCOMPARE(CheckAuthenticode(m_work.path(), TrustAnchors::system()), TrustResult::NoSignature);
}

void TestSignatureVerdict::agreesWithOsslsigncode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("signed") << "signed.exe" << true;
    QTest::newRow("signed PE32+") << "signed64.exe" << true;
    QTest::newRow("expired") << "expired.exe" << false;
    QTest::newRow("untrusted") << "untrusted.exe" << false;
    QTest::newRow("expired, RFC 3161 timestamp") << "expired-timestamped.exe" << true;
    QTest::newRow("expired, legacy countersignature") << "expired-countersigned.exe" << true;
    QTest::newRow("countersignature over other bytes") << "expired-countersigned-wrong.exe" << false;
}

void TestSignatureVerdict::agreesWithOsslsigncode()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);
    const QString tool = QStandardPaths::findExecutable("osslsigncode");
    if (tool.isEmpty())
        QSKIP("osslsigncode is not installed");
    QProcess verify;
    verify.start(tool, {"verify", "-CAfile", image("ca.crt"), "-TSA-CAfile", image("ca.crt"), "-in", image(name)});
    QVERIFY(verify.waitForFinished(60000));
    const bool theirs = verify.exitStatus() == QProcess::NormalExit && verify.exitCode() == 0;
    const bool ours = CheckAuthenticode(image(name), TrustAnchors::fromFile(image("ca.crt"))) == TrustResult::Valid;
    QCOMPARE(theirs, valid);
    QCOMPARE(ours, theirs);
}

QTEST_GUILESS_MAIN(TestSignatureVerdict)
#include "tst_signatureverdict.moc"
