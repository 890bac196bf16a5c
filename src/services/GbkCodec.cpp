#include "GbkCodec.h"

#include <cerrno>
#include <iconv.h>
#include <memory>
#include <stdexcept>

namespace {

// iconv_t released on every path.
struct IconvHandle {
    iconv_t cd;
    IconvHandle(const char *to, const char *from) : cd(iconv_open(to, from))
    {
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv_open failed");
    }
    ~IconvHandle() { iconv_close(cd); }
    IconvHandle(const IconvHandle &) = delete;
    IconvHandle &operator=(const IconvHandle &) = delete;
};

} // namespace

namespace Gbk {

// Runs iconv over the bytes and hands each decoded piece to SINK; a byte that
// cannot be read stands as a replacement character.
template <typename Sink> void decodeInto(const QByteArray &bytes, Sink &&sink)
{
    IconvHandle conv("UTF-16LE", "GBK");
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char buffer[4096];
    static const QChar replacement(0xFFFD);
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(conv.cd, &in, &inLeft, &outPtr, &outLeft);
        sink(reinterpret_cast<const QChar *>(buffer), static_cast<qsizetype>((sizeof buffer - outLeft) / 2));
        if (rc != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ, or EINVAL for a lead byte cut off at the end: one byte is
        // unreadable, so it stands as a replacement character.
        sink(&replacement, 1);
        ++in;
        --inLeft;
        iconv(conv.cd, nullptr, nullptr, nullptr, nullptr);
    }
}

QString decode(const QByteArray &bytes)
{
    // Counted first, so the text is allocated once at its own size: a page
    // of Chinese text takes half as many characters as it has bytes.
    qsizetype length = 0;
    decodeInto(bytes, [&](const QChar *, qsizetype n) { length += n; });
    QString out;
    out.reserve(length);
    decodeInto(bytes, [&](const QChar *chars, qsizetype n) { out.append(chars, n); });
    return out;
}

QByteArray encode(const QString &text)
{
    IconvHandle conv("GBK", "UTF-16LE");
    QByteArray out;
    // Character by character, so that one that GBK lacks becomes "?" alone;
    // a surrogate pair stays together.
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            len = 2;
        char *in = reinterpret_cast<char *>(const_cast<QChar *>(text.constData() + i));
        size_t inLeft = static_cast<size_t>(len) * 2;
        char buffer[8];
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(conv.cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            out.append('?');
            iconv(conv.cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            out.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
        }
        i += len - 1;
    }
    return out;
}

} // namespace Gbk
