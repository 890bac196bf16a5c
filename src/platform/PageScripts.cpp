#include "PageScripts.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace
{

// "(function (a, b) { ... }).apply(null, [\"a\", \"b\"])": the arguments as one
// JSON array. Every failure inside (an element without click(), say) becomes
// a null answer.
QString call(const char *parameters, const char *body, const QJsonArray &arguments)
{
    return QStringLiteral("(function (%1) { try { %2 } catch (e) { return null; } }).apply(null, %3);")
        .arg(QLatin1String(parameters), QLatin1String(body),
             QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact)));
}

} // namespace

namespace PageScripts
{

// The markup inside an element as the page's own parse would read it. The
// serialiser drops the line break that opens a pre, listing or textarea (a
// parse drops the first one), so a pre starting with an empty line would lose
// it when our renderer parses the markup again. The fix is made on a copy in
// a document of its own, which loads no image and runs no script.
const char *const MarkupOf =
    "function markupOf(e) {"
    "  if (!e) return null;"
    "  var copy = document.implementation.createHTMLDocument('').importNode(e, true);"
    "  var blocks = copy.querySelectorAll('pre, listing, textarea');"
    "  for (var i = 0; i < blocks.length; ++i) {"
    "    var first = blocks[i].firstChild;"
    "    if (first && first.nodeType === 3 && first.data.charAt(0) === '\\n') first.data = '\\n' + first.data;"
    "  }"
    "  return copy.innerHTML;"
    "}";

// A markup too long to read goes back as false, not as the whole string.
const char *const BoundedMarkup = " return (m === null || m.length <= maxLength) ? m : false;";

QString bodyMarkup(int maxLength)
{
    return call("maxLength",
                (QByteArray(MarkupOf) + " var m = markupOf(document.body);" + BoundedMarkup).constData(),
                {maxLength});
}

QString elementMarkup(const QString &id, int maxLength)
{
    return call("id, maxLength",
                (QByteArray(MarkupOf) + " var m = markupOf(document.getElementById(id));" + BoundedMarkup).constData(),
                {id, maxLength});
}

QString clickByIdOrName(const QString &idOrName)
{
    return call("key",
                "var all = document.getElementsByTagName('*');"
                " for (var i = 0; i < all.length; ++i) {"
                "   var e = all[i];"
                "   if (e.id === key || e.getAttribute('name') === key) { e.click(); return true; }"
                " }"
                " return false;",
                {idOrName});
}

QString hasIdOrName(const QString &idOrName)
{
    return call("key",
                "var all = document.getElementsByTagName('*');"
                " for (var i = 0; i < all.length; ++i)"
                "   if (all[i].id === key || all[i].getAttribute('name') === key) return true;"
                " return false;",
                {idOrName});
}

QString setValueByName(const QString &name, const QString &value)
{
    return call("name, value",
                "var e = document.getElementsByName(name)[0]; if (!e) return false; e.value = value; return true;",
                {name, value});
}

QString clickNthByName(const QString &name, int index)
{
    return call("name, index",
                "var e = document.getElementsByName(name)[index]; if (!e) return false; e.click(); return true;",
                {name, index});
}

QString clickNthByTagName(const QString &tagName, int index)
{
    return call("tag, index",
                "var e = document.getElementsByTagName(tag)[index]; if (!e) return false; e.click(); return true;",
                {tagName, index});
}

QString countByTagName(const QString &tagName)
{
    return call("tag", "return document.getElementsByTagName(tag).length;", {tagName});
}

QString firstImageDataUrl()
{
    return call("",
                "var all = document.getElementsByTagName('*');"
                " for (var i = 0; i < all.length; ++i) {"
                "   var e = all[i];"
                "   if (e.tagName !== 'IMG') continue;"
                "   if (!e.complete || !e.naturalWidth || !e.naturalHeight) return '';"
                "   var canvas = document.createElement('canvas');"
                "   canvas.width = e.naturalWidth; canvas.height = e.naturalHeight;"
                "   canvas.getContext('2d').drawImage(e, 0, 0);"
                "   try { return canvas.toDataURL('image/png'); } catch (x) { return { src: e.currentSrc || e.src }; }"
                " }"
                " return null;",
                {});
}

} // namespace PageScripts
