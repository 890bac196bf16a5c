// A file's bytes through the signature check (the check reads a path, so the
// bytes go to one temporary file, rewritten for every input).
#include "AuthenticodeCheck.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("image.exe"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
        std::abort();
    file.close();
    CheckAuthenticode(path, TrustAnchors::system());
    return 0;
}
