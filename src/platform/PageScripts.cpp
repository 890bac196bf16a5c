#include "PageScripts.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

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

namespace PageScripts {

QString bodyMarkup()
{
    return call("", "return document.body ? document.body.innerHTML : null;", {});
}

QString elementMarkup(const QString &id)
{
    return call("id", "var e = document.getElementById(id); return e ? e.innerHTML : null;", {id});
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

} // namespace PageScripts
