#include "HashFile.h"

#include "FileReader.h"
#include "NumberedError.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <memory>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <vector>

namespace
{

constexpr qint64 ChunkSize = 32768;

struct DigestContextFree {
    void operator()(EVP_MD_CTX *context) const { EVP_MD_CTX_free(context); }
};
struct DigestFree {
    void operator()(EVP_MD *md) const { EVP_MD_free(md); }
};

[[noreturn]] void failWithLibraryError(const char *step)
{
    const unsigned long code = ERR_get_error();
    char text[256] = {};
    if (code != 0)
        ERR_error_string_n(code, text, sizeof text);
    ERR_clear_error();
    throw NumberedError(
        static_cast<qint64>(code),
        QStringLiteral("%1: %2").arg(QString::fromLatin1(step),
                                     code != 0 ? QString::fromLatin1(text) : QStringLiteral("digest failure")));
}

[[noreturn]] void failNotFound(const QString &path)
{
    throw NumberedError(FileErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(path));
}

[[noreturn]] void failWithOpenError(int error, const QString &path)
{
    const qint64 number =
        (error == EACCES || error == EPERM) ? FileErrorNumber::PermissionDenied : FileErrorNumber::PathFileAccess;
    throw NumberedError(number, QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(error))));
}

const char *digestName(quint32 algorithm)
{
    switch (algorithm) {
    case AlgorithmMd5: return "MD5";
    case AlgorithmSha1: return "SHA1";
    default: return nullptr;
    }
}

// Reads exactly size bytes; a failing read or an early end is an error.
void readExactly(FileReader &file, unsigned char *buffer, qint64 size, const QString &path)
{
    switch (file.readExactly(buffer, size)) {
    case FileReader::Status::Done: return;
    case FileReader::Status::Failed:
        throw NumberedError(FileErrorNumber::DeviceIo,
                            QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(file.error()))));
    case FileReader::Status::Ended:
        throw NumberedError(FileErrorNumber::SizeChanged,
                            QStringLiteral("%1: the file got shorter while it was read").arg(path));
    }
}

void report(const ProgressReport &progress, const YieldTurn &yieldTurn, double fraction)
{
    if (progress)
        progress(fraction);
    if (yieldTurn)
        yieldTurn();
}

// Feeds the file to the digest: the full chunks through one reused buffer,
// then the remainder through a buffer of its own size. The file is open only
// while it is read.
void hashContents(const QString &path, EVP_MD_CTX *context, const ProgressReport &progress, const YieldTurn &yieldTurn,
                  const BeforeOpen &beforeOpen)
{
    FileReader file(path, beforeOpen);
    if (file.namesNoFile())
        failNotFound(path);
    if (!file.isOpen())
        failWithOpenError(file.error(), path);
    const qint64 length = file.size();
    const qint64 fullChunks = length / ChunkSize;
    const qint64 remainder = length - fullChunks * ChunkSize;

    std::vector<unsigned char> buffer(ChunkSize);
    for (qint64 i = 1; i <= fullChunks; ++i) {
        readExactly(file, buffer.data(), ChunkSize, path);
        const bool hashed = EVP_DigestUpdate(context, buffer.data(), ChunkSize) == 1;
        // The report and the yield belong to the chunk even when hashing it failed.
        report(progress, yieldTurn, static_cast<double>(i) / static_cast<double>(fullChunks));
        if (!hashed)
            failWithLibraryError("EVP_DigestUpdate");
    }
    if (remainder > 0) {
        std::vector<unsigned char> last(static_cast<size_t>(remainder));
        readExactly(file, last.data(), remainder, path);
        if (EVP_DigestUpdate(context, last.data(), static_cast<size_t>(remainder)) != 1)
            failWithLibraryError("EVP_DigestUpdate");
    }
    // Every byte of the length at open is hashed; a file that has grown (or
    // shrunk past the last read) since then is not the file that was hashed.
    if (file.currentSize() != length)
        throw NumberedError(FileErrorNumber::SizeChanged,
                            QStringLiteral("%1: the file changed size while it was read").arg(path));
}

} // namespace

QString HashFile(const QString &path, quint32 algorithm, const ProgressReport &progress, const YieldTurn &yieldTurn,
                 const BeforeOpen &beforeOpen)
{
    // Only an ordinary file counts: a folder, a pipe or a device is "not found".
    // This look comes before any crypto work; the opened file is checked again.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        failNotFound(path);

    const char *name = digestName(algorithm);
    if (!name)
        throw NumberedError(0x80090008LL, QStringLiteral("Invalid algorithm specified: 0x%1").arg(algorithm, 0, 16));

    ERR_clear_error();
    std::unique_ptr<EVP_MD, DigestFree> md(EVP_MD_fetch(nullptr, name, nullptr));
    if (!md)
        failWithLibraryError("EVP_MD_fetch");
    std::unique_ptr<EVP_MD_CTX, DigestContextFree> context(EVP_MD_CTX_new());
    if (!context)
        failWithLibraryError("EVP_MD_CTX_new");
    if (EVP_DigestInit_ex(context.get(), md.get(), nullptr) != 1)
        failWithLibraryError("EVP_DigestInit_ex");

    hashContents(path, context.get(), progress, yieldTurn, beforeOpen);

    const int size = EVP_MD_get_size(md.get());
    if (size <= 0)
        failWithLibraryError("EVP_MD_get_size");
    std::vector<unsigned char> digest(static_cast<size_t>(size));
    unsigned int written = 0;
    if (EVP_DigestFinal_ex(context.get(), digest.data(), &written) != 1)
        failWithLibraryError("EVP_DigestFinal_ex");

    static const char Digits[] = "0123456789ABCDEF";
    QString text;
    text.reserve(static_cast<int>(written) * 2);
    for (unsigned int i = 0; i < written; ++i) {
        text += QLatin1Char(Digits[digest[i] >> 4]);
        text += QLatin1Char(Digits[digest[i] & 0x0F]);
        report(progress, yieldTurn, 1.0);
    }
    return text;
}
