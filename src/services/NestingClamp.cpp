#include "NestingClamp.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <initializer_list>

#include <vector>

// The pass follows the tokenizer closely (comments, bogus comments, quoted
// attribute values, raw-text elements), because the one thing it must never
// do is take text for a tag: it only ever leaves out what it read as a start
// tag, the attributes of a tag, or a tag the text ends in. Where it follows
// the tree builder it errs on the deep side (a misnested formatting element
// stays counted, formatting elements closed by a block come back as the
// parser brings them back), so a page that the parser nests deeply is always
// seen as deep here; the ordinary pages the program reads stay far below the
// limit either way.
namespace
{

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r';
}

bool isAsciiAlpha(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// NAME equals LOWER (ASCII lower case) with ASCII letters compared
// regardless of case, as the parser compares attribute names.
bool isAsciiName(QStringView name, QLatin1String lower)
{
    if (name.size() != lower.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        const QChar folded = (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c;
        if (folded != QLatin1Char(lower.at(i)))
            return false;
    }
    return true;
}

using Names = QSet<QString>;

const Names &specialNames()
{
    static const Names names{
        "address", "applet",   "area",     "article",  "aside",   "base",    "basefont", "bgsound",    "blockquote",
        "body",    "br",       "button",   "caption",  "center",  "col",     "colgroup", "dd",         "details",
        "dir",     "div",      "dl",       "dt",       "embed",   "fieldset", "figcaption", "figure",   "footer",
        "form",    "frame",    "frameset", "h1",       "h2",      "h3",      "h4",       "h5",         "h6",
        "head",    "header",   "hgroup",   "hr",       "html",    "iframe",  "img",      "input",      "keygen",
        "li",      "link",     "listing",  "main",     "marquee", "menu",    "meta",     "nav",        "noembed",
        "noframes", "noscript", "object",  "ol",       "p",       "param",   "plaintext", "pre",       "script",
        "section", "select",   "source",   "style",    "summary", "table",   "tbody",    "td",         "template",
        "textarea", "tfoot",   "th",       "thead",    "title",   "tr",      "track",    "ul",         "wbr",
        "xmp"};
    return names;
}

const Names &scopeNames()
{
    static const Names names{"applet", "caption", "html", "table", "td", "th", "marquee", "object", "template"};
    return names;
}

// Elements that put a marker into the list of active formatting elements:
// formatting elements opened inside them do not come back outside them.
const Names &markerNames()
{
    static const Names names{"td", "th", "caption", "applet", "object", "marquee", "template"};
    return names;
}

const Names &formattingNames()
{
    static const Names names{"a",     "b",      "big",    "code", "em", "font", "i",
                             "nobr",  "s",      "small",  "strike", "strong", "tt", "u"};
    return names;
}

const Names &voidNames()
{
    static const Names names{"area",  "base", "basefont", "bgsound", "br",    "col",   "embed",  "frame",   "hr",
                             "image", "img",  "input",    "keygen",  "link",  "meta",  "param",  "source",  "track",
                             "wbr",   "menuitem"};
    return names;
}

// Start tags that close an open p first.
const Names &closesParagraph()
{
    static const Names names{"address", "article", "aside",  "blockquote", "center", "details", "dialog", "dir",
                             "div",     "dl",      "fieldset", "figcaption", "figure", "footer", "header", "hgroup",
                             "main",    "menu",    "nav",    "ol",         "p",      "section", "summary", "ul",
                             "h1",      "h2",      "h3",     "h4",         "h5",     "h6",      "pre",     "listing",
                             "form",    "plaintext", "xmp",  "hr"};
    return names;
}

// Elements whose content the tokenizer reads as text up to their own end tag.
const Names &rawTextNames()
{
    static const Names names{"title", "textarea", "style", "xmp", "iframe", "noembed", "noframes", "script"};
    return names;
}

// What the pass needs to know of a tag name, looked up once per tag.
enum Flag : quint16 {
    Special = 1 << 0,
    Scope = 1 << 1,
    Marker = 1 << 2,
    Formatting = 1 << 3,
    Void = 1 << 4,
    ClosesP = 1 << 5,
    RawText = 1 << 6,
    Heading = 1 << 7,
    Hidden = 1 << 8,
};

struct NameInfo {
    int id = 0;
    quint16 flags = 0;
};

// Every name any of the sets above holds gets an id and its flags; other
// names get ids of their own per pass, so their end tags still find them.
const QHash<QString, NameInfo> &knownNames()
{
    static const QHash<QString, NameInfo> table = [] {
        QHash<QString, NameInfo> t;
        auto mark = [&](const Names &names, quint16 flag) {
            for (const QString &name : names) {
                NameInfo &info = t[name];
                if (info.id == 0)
                    info.id = static_cast<int>(t.size());
                info.flags |= flag;
            }
        };
        mark(specialNames(), Special);
        mark(scopeNames(), Scope);
        mark(markerNames(), Marker);
        mark(formattingNames(), Formatting);
        mark(voidNames(), Void);
        mark(closesParagraph(), ClosesP);
        mark(rawTextNames(), RawText);
        mark({"h1", "h2", "h3", "h4", "h5", "h6"}, Heading);
        // Elements whose content never reaches the rendered text.
        mark({"noscript", "template", "object", "applet", "audio", "video", "canvas", "map"}, Hidden);
        mark({"option", "optgroup", "svg", "math", "span"}, 0);
        return t;
    }();
    return table;
}

int idOf(const char *name)
{
    return knownNames().value(QLatin1String(name)).id;
}

struct Tag {
    QString name; // ASCII lower case
    NameInfo info;
    qsizetype nameEnd = 0; // just past the name as written
    qsizetype end = 0;     // just past the closing '>'
    // The one attribute the rendered text can depend on, as written (from
    // its name to the end of its value): an input's type (a hidden input in
    // a table stays in the table, any other is moved before it, with the
    // formatting elements the parser brings back) and an isindex's prompt
    // (the parser writes it out as text). -1 when there is none.
    qsizetype keptFrom = -1;
    qsizetype keptTo = -1;
    bool selfClosing = false;
    bool complete = false; // false when the text ends inside the tag
};

struct Open {
    int id = 0;
    quint16 flags = 0;
    QString key;              // formatting elements: the tag as written
};

class Clamp
{
public:
    Clamp(const QString &markup, int maxDepth) : m_s(markup), m_max(static_cast<size_t>(std::max(maxDepth, 0))) {}
    QString run();

private:
    Tag readTag(qsizetype nameStart);
    // Writes a tag the parser will read as it stands: its name as written
    // and no attribute but the one kept (none on an end tag). Returns where
    // the tag ends.
    qsizetype keepTag(qsizetype lt, const Tag &tag, bool endTag);
    void appendReduced(QString &out, const Tag &tag, bool endTag) const;
    qsizetype skipTo(QChar c, qsizetype from) const;
    qsizetype skipMarkupDeclaration(qsizetype lt) const;
    // Where the raw text after a start tag ends ("</name"), and where its
    // end tag ends; both the end of the text when there is none.
    struct RawTextEnd {
        qsizetype content;
        qsizetype element;
        bool endTag; // false when there is none, or the text ends inside it
    };
    RawTextEnd rawTextEnd(const QString &name, qsizetype from);
    qsizetype rawTextElement(qsizetype lt, const Tag &tag);
    // Writes content with every "<" as "&lt;" (and "&" as "&amp;" where the
    // content will be read as text with character references).
    void appendEscaped(QStringView content, bool ampersands);
    qsizetype startTag(qsizetype lt, const Tag &tag);
    void endTag(const Tag &tag);

    static bool isSpecial(const Open &open) { return open.flags & Special; }
    static bool isScope(const Open &open) { return open.flags & Scope; }
    bool isOpen(int id) const { return id < static_cast<int>(m_open.size()) && m_open[static_cast<size_t>(id)] > 0; }
    // Index of the nearest open HTML element with one of IDS, looking no
    // further than an element with one of STOP (or a scope boundary when
    // stopAtScope); -1 when there is none.
    long find(std::initializer_list<int> ids, bool stopAtScope, std::initializer_list<int> stop = {}) const;
    void popTo(long index);
    void popBack();
    void remove(long index);
    // Returns where reading goes on.
    qsizetype push(qsizetype lt, const Tag &tag);
    qsizetype skipHiddenElement(const QString &name, qsizetype from) const;
    // Leaves out the markup from lt up to resume; returns resume.
    qsizetype leaveOut(qsizetype lt, qsizetype resume);
    int identicalSinceMarker(const QString &key) const;

    const QString &m_s;
    const size_t m_max;
    static constexpr int MaxFormattingSinceMarker = 8;
    std::vector<Open> m_stack;
    std::vector<int> m_open; // how many of each id are open
    QHash<QString, int> m_otherNames;
    QString m_out;
    qsizetype m_copied = 0;
    bool m_dropped = false;
    // The formatting elements let through since the last marker (a cell, a
    // caption, an object...): the parser keeps each in its list until its
    // own end tag, and copies the whole list back in before every run of
    // text, wherever the list's elements were closed. The count before each
    // open marker waits in m_formattingBeforeMarker.
    int m_formatting = 0;
    std::vector<int> m_formattingBeforeMarker;
    // Where the next "-->" and "--!>" stand, found once and reused while
    // reading goes forward, so many comments cost one pass over the text.
    mutable qsizetype m_nextClose = -2;
    mutable qsizetype m_nextBangClose = -2;

    const int P = idOf("p"), Li = idOf("li"), Dd = idOf("dd"), Dt = idOf("dt"), Option = idOf("option"),
              Optgroup = idOf("optgroup"), Td = idOf("td"), Th = idOf("th"), Tr = idOf("tr"), Tbody = idOf("tbody"),
              Thead = idOf("thead"), Tfoot = idOf("tfoot"), Caption = idOf("caption"), Colgroup = idOf("colgroup"),
              Table = idOf("table"), Template = idOf("template"), Html = idOf("html"), Body = idOf("body"),
              Head = idOf("head"), Frameset = idOf("frameset"), Button = idOf("button"), Select = idOf("select"),
              A = idOf("a"), Nobr = idOf("nobr"), Form = idOf("form"), Svg = idOf("svg"), Math = idOf("math"),
              Address = idOf("address"), Div = idOf("div"), Ol = idOf("ol"), Ul = idOf("ul"), Br = idOf("br"),
              Plaintext = idOf("plaintext");
};

qsizetype Clamp::skipTo(QChar c, qsizetype from) const
{
    const qsizetype at = m_s.indexOf(c, from);
    return at < 0 ? m_s.size() : at + 1;
}

qsizetype Clamp::skipMarkupDeclaration(qsizetype lt) const
{
    const QStringView rest = QStringView(m_s).mid(lt);
    if (rest.startsWith(u"<!--")) {
        if (rest.mid(4).startsWith(u'>'))
            return lt + 5;
        if (rest.mid(4).startsWith(u"->"))
            return lt + 6;
        const auto next = [this](qsizetype &cached, QLatin1String what, qsizetype from) {
            if (cached == -2 || (cached >= 0 && cached < from))
                cached = m_s.indexOf(what, from);
            return cached; // -1 stays -1: none further on either
        };
        const qsizetype close = next(m_nextClose, QLatin1String("-->"), lt + 4);
        const qsizetype bang = next(m_nextBangClose, QLatin1String("--!>"), lt + 4);
        if (close < 0 && bang < 0)
            return m_s.size();
        if (bang >= 0 && (close < 0 || bang < close))
            return bang + 4;
        return close + 3;
    }
    return skipTo(u'>', lt + 2);
}

Tag Clamp::readTag(qsizetype p)
{
    const qsizetype n = m_s.size();
    Tag tag;
    const qsizetype nameStart = p;
    while (p < n && !isSpace(m_s.at(p)) && m_s.at(p) != u'/' && m_s.at(p) != u'>')
        ++p;
    tag.name.resize(p - nameStart);
    for (qsizetype i = nameStart; i < p; ++i) {
        const QChar c = m_s.at(i);
        tag.name[i - nameStart] = (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c;
    }
    const auto known = knownNames().constFind(tag.name);
    if (known != knownNames().constEnd()) {
        tag.info = *known;
    } else {
        int &id = m_otherNames[tag.name];
        if (id == 0)
            id = static_cast<int>(knownNames().size() + m_otherNames.size());
        tag.info.id = id;
    }
    tag.nameEnd = p;
    // The parser keeps the first of attributes with the same name.
    const QLatin1String keptName = tag.name == QLatin1String("input")     ? QLatin1String("type")
                                   : tag.name == QLatin1String("isindex") ? QLatin1String("prompt")
                                                                          : QLatin1String();
    while (true) {
        while (p < n && isSpace(m_s.at(p)))
            ++p;
        if (p >= n)
            return tag;
        if (m_s.at(p) == u'>') {
            tag.end = p + 1;
            tag.complete = true;
            return tag;
        }
        if (m_s.at(p) == u'/') {
            ++p;
            if (p < n && m_s.at(p) == u'>') {
                tag.selfClosing = true;
                tag.end = p + 1;
                tag.complete = true;
                return tag;
            }
            continue;
        }
        // An attribute name; its first character may be "=".
        const qsizetype attributeStart = p;
        ++p;
        while (p < n && !isSpace(m_s.at(p)) && m_s.at(p) != u'/' && m_s.at(p) != u'>' && m_s.at(p) != u'=')
            ++p;
        const bool kept = tag.keptFrom < 0 && !keptName.isEmpty() &&
                          isAsciiName(QStringView(m_s).mid(attributeStart, p - attributeStart), keptName);
        if (kept)
            tag.keptFrom = attributeStart;
        qsizetype attributeEnd = p;
        while (p < n && isSpace(m_s.at(p)))
            ++p;
        if (p < n && m_s.at(p) == u'=') {
            ++p;
            while (p < n && isSpace(m_s.at(p)))
                ++p;
            if (p < n && (m_s.at(p) == u'"' || m_s.at(p) == u'\'')) {
                const qsizetype close = m_s.indexOf(m_s.at(p), p + 1);
                if (close < 0)
                    return tag;
                p = close + 1;
            } else {
                while (p < n && !isSpace(m_s.at(p)) && m_s.at(p) != u'>')
                    ++p;
            }
            attributeEnd = p;
        }
        if (kept)
            tag.keptTo = attributeEnd;
    }
}

void Clamp::appendReduced(QString &out, const Tag &tag, bool endTag) const
{
    const qsizetype nameStart = tag.nameEnd - tag.name.size();
    out += endTag ? QLatin1String("</") : QLatin1String("<");
    out += QStringView(m_s).mid(nameStart, tag.nameEnd - nameStart);
    if (!endTag && tag.keptFrom >= 0) {
        out += QLatin1Char(' ');
        out += QStringView(m_s).mid(tag.keptFrom, tag.keptTo - tag.keptFrom);
    }
    out += QLatin1Char('>');
}

qsizetype Clamp::keepTag(qsizetype lt, const Tag &tag, bool endTag)
{
    // The parser compares every attribute of a tag with all the ones before
    // it, and merges those of every html and body tag into one element: a
    // page of one tag with a hundred thousand attributes would cost minutes.
    // The rendered text reads no attribute, so only the one that changes
    // where the parser puts things goes on; the self-closing slash goes too,
    // as the parser only heeds it on foreign elements, and those never get
    // there.
    const bool kept = !endTag && tag.keptFrom >= 0;
    const bool asWritten = kept ? tag.keptFrom == tag.nameEnd + 1 && m_s.at(tag.nameEnd) == u' ' &&
                                      tag.end == tag.keptTo + 1
                                : tag.end == tag.nameEnd + 1;
    if (!asWritten) {
        m_out += QStringView(m_s).mid(m_copied, lt - m_copied);
        appendReduced(m_out, tag, endTag);
        m_copied = tag.end;
        m_dropped = true;
    }
    return tag.end;
}

Clamp::RawTextEnd Clamp::rawTextEnd(const QString &name, qsizetype from)
{
    // Text up to "</name" followed by white space, "/" or ">"; the end tag
    // then reads attributes like any other (a quoted ">" does not end it).
    const qsizetype n = m_s.size();
    qsizetype p = from;
    while (true) {
        const qsizetype lt = m_s.indexOf(QLatin1String("</"), p);
        if (lt < 0)
            return {n, n, false};
        const qsizetype after = lt + 2 + name.size();
        if (after < n && QStringView(m_s).mid(lt + 2, name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
            (isSpace(m_s.at(after)) || m_s.at(after) == u'/' || m_s.at(after) == u'>')) {
            const Tag end = readTag(lt + 2);
            return {lt, end.complete ? end.end : n, end.complete};
        }
        p = lt + 2;
    }
}

void Clamp::appendEscaped(QStringView content, bool ampersands)
{
    for (const QChar c : content) {
        if (c == u'<')
            m_out += QLatin1String("&lt;");
        else if (ampersands && c == u'&')
            m_out += QLatin1String("&amp;");
        else
            m_out += c;
    }
}

qsizetype Clamp::rawTextElement(qsizetype lt, const Tag &tag)
{
    // The parser reads such an element's content as text only where it
    // builds the element at all; inside a select, for one, it drops the
    // start tag and reads the content as markup, which this pass would
    // never have looked at. So no "<" of the content reaches the parser as
    // "<": where the content is never shown (script, style, a title, a text
    // area, a frame) it goes as "&lt;"; where it is shown as written (xmp,
    // plaintext, noembed, noframes) the element becomes one that shows the
    // same characters from character references.
    const auto [contentEnd, elementEnd, endTag] =
        tag.info.id == Plaintext ? RawTextEnd{m_s.size(), m_s.size(), false} : rawTextEnd(tag.name, tag.end);
    const QStringView content = QStringView(m_s).mid(tag.end, contentEnd - tag.end);
    const bool markup = content.contains(u'<');
    // Both tags go without attributes; an end tag cut off by the end of the
    // text is one the parser drops, so it goes.
    QString startWritten;
    appendReduced(startWritten, tag, false);
    QString endWritten;
    if (endTag)
        endWritten = QLatin1String("</") + QStringView(m_s).mid(contentEnd + 2, tag.name.size()).toString() +
                     QLatin1Char('>');
    if (!markup && QStringView(m_s).mid(lt, tag.end - lt) == startWritten &&
        QStringView(m_s).mid(contentEnd, elementEnd - contentEnd) == endWritten)
        return elementEnd;
    const bool shownAsWritten = tag.info.id == Plaintext || tag.name == QLatin1String("xmp") ||
                                tag.name == QLatin1String("noembed") || tag.name == QLatin1String("noframes");
    m_out += QStringView(m_s).mid(m_copied, lt - m_copied);
    if (!markup) {
        m_out += startWritten;
        m_out += content;
        m_out += endWritten;
    } else if (shownAsWritten) {
        // pre and div render as xmp/plaintext and noframes do; a line break
        // right after <pre> is dropped by the parser, so one goes in first.
        const bool preformatted = tag.info.id == Plaintext || tag.name == QLatin1String("xmp");
        const QLatin1String open = preformatted                        ? QLatin1String("<pre>\n")
                                   : tag.name == QLatin1String("noframes") ? QLatin1String("<div>")
                                                                         : QLatin1String("<span>");
        const QLatin1String close = preformatted                        ? QLatin1String("</pre>")
                                    : tag.name == QLatin1String("noframes") ? QLatin1String("</div>")
                                                                          : QLatin1String("</span>");
        m_out += open;
        appendEscaped(content, true);
        m_out += close;
    } else {
        m_out += startWritten;
        appendEscaped(content, false);
        m_out += endWritten;
    }
    m_copied = elementEnd;
    m_dropped = true;
    return elementEnd;
}

long Clamp::find(std::initializer_list<int> ids, bool stopAtScope, std::initializer_list<int> stop) const
{
    bool any = false;
    for (int id : ids)
        any = any || isOpen(id);
    if (!any)
        return -1;
    for (long k = static_cast<long>(m_stack.size()) - 1; k >= 0; --k) {
        const Open &open = m_stack[static_cast<size_t>(k)];
        if (std::find(ids.begin(), ids.end(), open.id) != ids.end())
            return k;
        if ((stopAtScope && isScope(open)) ||
            (std::find(stop.begin(), stop.end(), open.id) != stop.end()))
            return -1;
    }
    return -1;
}

int Clamp::identicalSinceMarker(const QString &key) const
{
    int count = 0;
    for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
        if ((it->flags & Marker))
            break;
        if (it->key == key)
            ++count;
    }
    return count;
}

void Clamp::popBack()
{
    const Open &open = m_stack.back();
    if ((open.flags & Marker) && !m_formattingBeforeMarker.empty()) {
        m_formatting = m_formattingBeforeMarker.back();
        m_formattingBeforeMarker.pop_back();
    }
    --m_open[static_cast<size_t>(open.id)];
    m_stack.pop_back();
}

void Clamp::remove(long index)
{
    --m_open[static_cast<size_t>(m_stack[static_cast<size_t>(index)].id)];
    m_stack.erase(m_stack.begin() + index);
}

void Clamp::popTo(long index)
{
    // Formatting elements closed on the way come back when the parser next
    // inserts something, unless a marker (a cell) ends them for good.
    const Open &target = m_stack[static_cast<size_t>(index)];
    const bool marker = (target.flags & Marker);
    std::vector<Open> closed;
    while (static_cast<long>(m_stack.size()) > index + 1) {
        if (!marker && !m_stack.back().key.isEmpty())
            closed.push_back(m_stack.back());
        popBack();
    }
    popBack();
    for (auto it = closed.rbegin(); it != closed.rend(); ++it) {
        if (m_stack.size() < m_max && identicalSinceMarker(it->key) < 3) {
            ++m_open[static_cast<size_t>(it->id)];
            m_stack.push_back(std::move(*it));
        }
    }
}

qsizetype Clamp::push(qsizetype lt, const Tag &tag)
{
    if (m_stack.size() >= m_max) {
        // Too deep: the tag goes, what follows it stays; but the content of
        // an element that hides it goes with the tag, as it never showed.
        return leaveOut(lt, ((tag.info.flags & Hidden)) ? skipHiddenElement(tag.name, tag.end) : tag.end);
    }
    Open open{tag.info.id, tag.info.flags, {}};
    if ((tag.info.flags & Formatting)) {
        // Past a few the tag goes: a formatting element shows no text of its
        // own, and the parser would copy every one of them back in before
        // each run of text (a page of thousands of them costs millions of
        // elements).
        if (m_formatting >= MaxFormattingSinceMarker)
            return leaveOut(lt, tag.end);
        ++m_formatting;
        // Without their attributes the parser keeps no more than three alike
        // in its list, and copies them cheaply.
        open.key = QLatin1Char('<') + tag.name + QLatin1Char('>');
    }
    if ((tag.info.flags & Marker)) {
        m_formattingBeforeMarker.push_back(m_formatting);
        m_formatting = 0;
    }
    if (static_cast<size_t>(open.id) >= m_open.size())
        m_open.resize(static_cast<size_t>(open.id) + 1, 0);
    ++m_open[static_cast<size_t>(open.id)];
    m_stack.push_back(std::move(open));
    return keepTag(lt, tag, false);
}

qsizetype Clamp::leaveOut(qsizetype lt, qsizetype resume)
{
    m_out += QStringView(m_s).mid(m_copied, lt - m_copied);
    m_copied = resume;
    m_dropped = true;
    return resume;
}

qsizetype Clamp::skipHiddenElement(const QString &name, qsizetype from) const
{
    // Up to the end tag that matches, counting the same element nested in
    // it; comments are passed over whole. No end tag: to the end of the text.
    const qsizetype n = m_s.size();
    int depth = 1;
    qsizetype p = from;
    while (true) {
        const qsizetype lt = m_s.indexOf(u'<', p);
        if (lt < 0 || lt + 1 >= n)
            return n;
        if (QStringView(m_s).mid(lt).startsWith(u"<!--")) {
            p = skipMarkupDeclaration(lt);
            continue;
        }
        const bool end = m_s.at(lt + 1) == u'/';
        const qsizetype nameStart = lt + (end ? 2 : 1);
        const qsizetype after = nameStart + name.size();
        if (after < n && QStringView(m_s).mid(nameStart, name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
            (isSpace(m_s.at(after)) || m_s.at(after) == u'/' || m_s.at(after) == u'>')) {
            const qsizetype close = m_s.indexOf(u'>', after);
            if (close < 0)
                return n;
            depth += end ? -1 : 1;
            if (depth == 0)
                return close + 1;
            p = close + 1;
            continue;
        }
        p = lt + 1;
    }
}

qsizetype Clamp::startTag(qsizetype lt, const Tag &tag)
{
    const int id = tag.info.id;
    const quint16 flags = tag.info.flags;
    // SVG and MathML go as their tags: inside them the parser builds
    // foreign elements by rules of their own, and on several mixes of those
    // with tables, selects and CDATA sections it fails an assertion and would
    // abort the program. Their text stays, as the text of plain elements.
    if (id == Svg || id == Math)
        return leaveOut(lt, tag.end);
    if (id == Html || id == Body || id == Head || id == Frameset)
        return keepTag(lt, tag, false);
    if (flags & ClosesP) {
        if (const long p = find({P}, true, {Button}); p >= 0)
            popTo(p);
    }
    if (id == Li || id == Dd || id == Dt) {
        if (isOpen(Li) || isOpen(Dd) || isOpen(Dt)) {
            for (long k = static_cast<long>(m_stack.size()) - 1; k >= 0; --k) {
                const Open &open = m_stack[static_cast<size_t>(k)];
                if ((id == Li ? open.id == Li : (open.id == Dd || open.id == Dt))) {
                    popTo(k);
                    break;
                }
                if (isSpecial(open) && open.id != Address && open.id != Div && open.id != P)
                    break;
            }
        }
    } else if (id == Option || id == Optgroup) {
        if (!m_stack.empty() && m_stack.back().id == Option)
            popBack();
    } else if (id == Tr) {
        // A new row ends the open cell and then the open row.
        if (const long cell = find({Td, Th}, false, {Table, Template, Html}); cell >= 0)
            popTo(cell);
        if (const long row = find({Tr}, false, {Table, Template, Html}); row >= 0)
            popTo(row);
    } else if (id == Td || id == Th) {
        if (const long cell = find({Td, Th}, false, {Table, Template, Html}); cell >= 0)
            popTo(cell);
    } else if (id == Tbody || id == Thead || id == Tfoot || id == Caption || id == Colgroup) {
        if (const long k = find({Td, Th, Tr, Tbody, Thead, Tfoot, Caption, Colgroup}, false, {Table, Template, Html});
            k >= 0)
            popTo(k);
    } else if (id == A || id == Nobr) {
        // A second one ends the first (through the adoption agency); only the
        // first is taken away here, whatever stood inside it stays counted.
        if (const long k = find({id}, false, {Td, Th, Caption, Template, Table}); k >= 0)
            remove(k);
    } else if (id == Button || id == Select) {
        if (const long k = find({id}, true); k >= 0)
            popTo(k);
    } else if (flags & Heading) {
        if (!m_stack.empty() && (m_stack.back().flags & Heading))
            popBack();
    } else if (id == Table) {
        if (const long k = find({Table}, false, {Td, Th, Caption, Template}); k >= 0)
            popTo(k);
    } else if (id == Form) {
        if (isOpen(Form))
            return keepTag(lt, tag, false); // a form inside a form is left out by the parser
    }
    if (flags & Void)
        return keepTag(lt, tag, false);
    // Raw-text elements never nest: kept at any depth.
    if ((flags & RawText) || id == Plaintext)
        return rawTextElement(lt, tag);
    return push(lt, tag);
}

void Clamp::endTag(const Tag &tag)
{
    const int id = tag.info.id;
    if (!isOpen(id) || id == Html || id == Body || id == Br)
        return;
    if (tag.info.flags & Formatting) {
        const long k = find({id}, true);
        if (k < 0)
            return;
        m_formatting = std::max(0, m_formatting - 1);
        if (k + 1 == static_cast<long>(m_stack.size()))
            popBack();
        else
            remove(k); // misnested: what stood inside stays counted
        return;
    }
    const bool special = tag.info.flags & Special;
    for (long k = static_cast<long>(m_stack.size()) - 1; k >= 0; --k) {
        const Open &open = m_stack[static_cast<size_t>(k)];
        if (open.id == id) {
            popTo(k);
            return;
        }
        if (special ? (isScope(open) || (id == Li && (open.id == Ol || open.id == Ul)) || (id == P && open.id == Button))
                    : isSpecial(open))
            return;
    }
}

QString Clamp::run()
{
    const qsizetype n = m_s.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype lt = m_s.indexOf(u'<', i);
        if (lt < 0 || lt + 1 >= n)
            break;
        const QChar c = m_s.at(lt + 1);
        if (c == u'!') {
            i = skipMarkupDeclaration(lt);
        } else if (c == u'?') {
            i = skipTo(u'>', lt + 2);
        } else if (c == u'/') {
            if (lt + 2 < n && isAsciiAlpha(m_s.at(lt + 2))) {
                const Tag tag = readTag(lt + 2);
                if (!tag.complete) {
                    leaveOut(lt, n);
                    break;
                }
                endTag(tag);
                i = keepTag(lt, tag, true);
            } else if (lt + 2 < n && m_s.at(lt + 2) == u'>') {
                i = lt + 3;
            } else {
                i = skipTo(u'>', lt + 2);
            }
        } else if (isAsciiAlpha(c)) {
            const Tag tag = readTag(lt + 1);
            if (!tag.complete) {
                // The parser drops a tag the text ends in, whatever it
                // holds: so does this pass, before the parser reads its
                // attributes.
                leaveOut(lt, n);
                break;
            }
            i = startTag(lt, tag);
        } else {
            i = lt + 1;
        }
    }
    if (!m_dropped)
        return m_s;
    m_out += QStringView(m_s).mid(m_copied);
    return m_out;
}

} // namespace

QString ClampNesting(const QString &markup, int maxDepth)
{
    return Clamp(markup, maxDepth).run();
}
