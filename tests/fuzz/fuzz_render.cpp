// Page bytes as the fetch gets them: decoded as GBK, then rendered. The
// nesting clamp also runs with a small limit, so that short inputs reach
// its cutting paths: what it gives back must be the input with parts left
// out, never anything added or moved (but for the blank written before the
// one attribute a tag keeps, so blanks are not compared). Raw text it writes
// as escaped text, and shown raw text (xmp, plaintext, noembed, noframes)
// inside a pre, div or span of its own, so both sides are compared with
// "&lt;" and "&amp;" read as characters and the clamped side without the
// tags such a rewrite adds.
#include "GbkCodec.h"
#include "NestingClamp.h"
#include "RenderedText.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString markup = Gbk::decode(bytes);
    const QString text = RenderInnerText(markup);
    (void)text;

    const QString clamped = ClampNesting(markup, 8);
    auto unescaped = [](QString s) {
        return s.replace(QLatin1String("&lt;"), QLatin1String("<")).replace(QLatin1String("&amp;"), QLatin1String("&"));
    };
    const QString from = unescaped(markup);
    qsizetype at = 0;
    QString kept = clamped;
    for (const char *added : {"<pre>\n", "</pre>", "<div>", "</div>", "<span>", "</span>"})
        kept.remove(QLatin1String(added));
    kept.remove(QLatin1Char(' '));
    for (const QChar c : unescaped(kept)) {
        while (at < from.size() && from.at(at) != c)
            ++at;
        if (at == from.size())
            std::abort(); // not a subsequence of the input
        ++at;
    }
    const QString clampedText = RenderInnerText(clamped);
    (void)clampedText;
    return 0;
}
