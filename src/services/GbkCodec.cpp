#include "GbkCodec.h"

#include <array>
#include <iconv.h>
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

    // Converts the two bytes IN whole, from the converter's initial state,
    // into OUT; the bytes written, or -1 when they are not one convertible unit.
    int convertPair(const char (&in)[2], char (&out)[8])
    {
        char pair[2] = {in[0], in[1]};
        char *inPtr = pair;
        char *outPtr = out;
        size_t inLeft = sizeof pair;
        size_t outLeft = sizeof out;
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (rc == static_cast<size_t>(-1) || inLeft != 0)
            return -1;
        return int(sizeof out - outLeft);
    }
};

constexpr char16_t Replacement = 0xFFFD;
constexpr int LeadCount = 0xFE - 0x81 + 1;
constexpr int TrailSpan = 0xFE - 0x40 + 1; // 0x7F is in the span but no trail byte

bool isLead(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}

bool isTrail(unsigned char b)
{
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// The private-use character of a pair in a user-defined area, 0 outside them.
char16_t userDefined(unsigned char lead, unsigned char trail)
{
    if (!isLead(lead) || !isTrail(trail))
        return 0;
    if (lead >= 0xAA && lead <= 0xAF && trail >= 0xA1)
        return char16_t(0xE000 + (lead - 0xAA) * 94 + (trail - 0xA1));
    if (lead >= 0xF8 && trail >= 0xA1)
        return char16_t(0xE234 + (lead - 0xF8) * 94 + (trail - 0xA1));
    if (lead >= 0xA1 && lead <= 0xA7 && trail <= 0xA0) {
        // 96 cells a row: trail bytes 40-7E, then 80-A0.
        const int cell = trail < 0x7F ? trail - 0x40 : trail - 0x41;
        return char16_t(0xE4C6 + (lead - 0xA1) * 96 + cell);
    }
    return 0;
}

// Both directions of the code page, made once from the system's GBK
// converter and the user-defined areas: decoding is then a table look-up
// that cannot lose its step, and encoding the exact way back.
struct Tables {
    // Lead 81-FE by trail 40-FE; the 0x7F column is never read.
    std::array<char16_t, LeadCount * TrailSpan> pairs{};
    // Unicode BMP code unit to code: 0 none, below 0x100 one byte, else lead * 256 + trail.
    std::array<quint16, 0x10000> codes{};

    Tables()
    {
        IconvHandle toUnicode("UTF-16LE", "GBK");
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                char16_t ch = userDefined(lead, trail);
                if (!ch) {
                    const char in[2] = {char(lead), char(trail)};
                    char out[8];
                    if (toUnicode.convertPair(in, out) == 2)
                        ch = char16_t(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8);
                    else
                        ch = Replacement; // valid in shape, unassigned: still one character
                }
                pairs[(lead - 0x81) * TrailSpan + (trail - 0x40)] = ch;
            }
        }

        // Encoding asks the converter for every character, so that the
        // characters it maps onto a code another one decodes from keep
        // their code too.
        IconvHandle fromUnicode("GBK", "UTF-16LE");
        for (char32_t u = 0x80; u <= 0xFFFF; ++u) {
            if (u >= 0xD800 && u <= 0xDFFF)
                continue;
            const char in[2] = {char(u & 0xFF), char(u >> 8)};
            char out[8];
            const int written = fromUnicode.convertPair(in, out);
            if (written == 1)
                codes[u] = static_cast<unsigned char>(out[0]);
            else if (written == 2)
                codes[u] = quint16(static_cast<unsigned char>(out[0]) << 8 | static_cast<unsigned char>(out[1]));
        }
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (const char16_t ch = userDefined(lead, trail))
                    codes[ch] = quint16(lead << 8 | trail);
            }
        }
        // U+FFFD stands for what could not be read; it has no code to go back to.
        codes[Replacement] = 0;
    }
};

const Tables &tables()
{
    static const Tables made;
    return made;
}

// Walks the bytes and hands each character to SINK.
template <typename Sink> void decodeInto(const QByteArray &bytes, const Tables &t, Sink &&sink)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            sink(char16_t(b));
            ++i;
        } else if (b == 0x80) {
            sink(char16_t(0x20AC));
            ++i;
        } else if (isLead(b) && i + 1 < n && isTrail(p[i + 1])) {
            sink(t.pairs[(b - 0x81) * TrailSpan + (p[i + 1] - 0x40)]);
            i += 2;
        } else {
            // 0xFF, or a lead byte with no trail byte behind it: this byte
            // alone is unreadable, the next one is read for itself.
            sink(Replacement);
            ++i;
        }
    }
}

} // namespace

namespace Gbk {

QString decode(const QByteArray &bytes)
{
    const Tables &t = tables();
    // Counted first, so the text is allocated once at its own size: a page
    // of Chinese text takes half as many characters as it has bytes.
    qsizetype length = 0;
    decodeInto(bytes, t, [&](char16_t) { ++length; });
    QString out(length, Qt::Uninitialized);
    char16_t *to = reinterpret_cast<char16_t *>(out.data());
    decodeInto(bytes, t, [&](char16_t ch) { *to++ = ch; });
    return out;
}

QByteArray encode(const QString &text)
{
    const Tables &t = tables();
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < 0x80) {
            out.append(char(u));
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            // Nothing beyond the BMP is in the code page.
            out.append('?');
            ++i;
            continue;
        }
        const quint16 code = t.codes[u];
        if (code == 0)
            out.append('?');
        else if (code < 0x100)
            out.append(char(code));
        else
            out.append(char(code >> 8)).append(char(code & 0xFF));
    }
    return out;
}

} // namespace Gbk
