// Page bytes as the fetch gets them: decoded as GBK, then rendered. The
// nesting clamp also runs with a small limit, so that short inputs reach
// its cutting paths: what it gives back must be the input with parts left
// out, never anything added or moved (but for the blank written before the
// one attribute a tag keeps, so blanks are not compared). Raw text it writes
// as escaped text, and shown raw text (xmp, plaintext, noembed, noframes)
// inside a pre, div or span of its own, so the clamped side is compared
// without the tags such a rewrite adds, and each "&lt;" and "&amp;" of it
// may stand for its character or for itself as written (shown raw text that
// holds "&lt;" comes back as "&amp;lt;").
#include "GbkCodec.h"
#include "NestingClamp.h"
#include "RenderedText.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace
{

// Reads the input forward, in order, for the characters of the clamped side.
class InOrder
{
public:
    explicit InOrder(const QString &from) : m_from(from) {}

    // Takes "&lt;" or "&amp;" as its character or as written, whichever
    // comes first; anything else as the one character. False when the input
    // holds no more of it.
    bool take(QStringView token)
    {
        if (token.size() == 1)
            return advance(endOf(token, m_from.size()));
        const bool lt = token == u"&lt;";
        const qsizetype character = next(lt ? u'<' : u'&', lt ? m_nextLt : m_nextAmp);
        const qsizetype written = endOf(token, character < 0 ? m_from.size() : character + 1);
        return advance(written >= 0 ? written : (character < 0 ? -1 : character + 1));
    }

private:
    // Where the characters of PIECE end, read in order from the current
    // place, looking no further than LIMIT; -1 when they do not all come.
    qsizetype endOf(QStringView piece, qsizetype limit) const
    {
        qsizetype p = m_at;
        for (const QChar c : piece) {
            while (p < limit && m_from.at(p) != c)
                ++p;
            if (p >= limit)
                return -1;
            ++p;
        }
        return p;
    }
    // The next C from the current place, found once and reused while the
    // place goes forward, so a page of "&lt;" costs one pass.
    qsizetype next(QChar c, qsizetype &cached) const
    {
        if (cached == -2 || (cached >= 0 && cached < m_at))
            cached = m_from.indexOf(c, m_at);
        return cached;
    }
    bool advance(qsizetype to)
    {
        if (to < 0)
            return false;
        m_at = to;
        return true;
    }

    const QString &m_from;
    qsizetype m_at = 0;
    qsizetype m_nextLt = -2;
    qsizetype m_nextAmp = -2;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString markup = Gbk::decode(bytes);
    const QString text = RenderInnerText(markup);
    (void)text;

    const QString clamped = ClampNesting(markup, 8);
    QString kept = clamped;
    for (const char *added : {"<pre>\n", "</pre>", "<div>", "</div>", "<span>", "</span>"})
        kept.remove(QLatin1String(added));
    kept.remove(QLatin1Char(' '));
    InOrder input(markup);
    for (qsizetype i = 0; i < kept.size();) {
        const QStringView rest = QStringView(kept).mid(i);
        const qsizetype length = rest.startsWith(u"&lt;") ? 4 : rest.startsWith(u"&amp;") ? 5 : 1;
        if (!input.take(rest.left(length)))
            std::abort(); // not the input with parts left out
        i += length;
    }
    const QString clampedText = RenderInnerText(clamped);
    (void)clampedText;
    return 0;
}
