#pragma once

#include <QString>

// The page operations of the browser views, each one small script. The
// caller's values go in as JSON string and number literals handed to a
// function as its arguments, never spliced into the script's own text, so a
// name or value holding quotes or "</script>" stays data.
namespace PageScripts
{

// The body's markup, or null without a body; false when the markup is longer
// than maxLength characters.
QString bodyMarkup(int maxLength);
// The markup inside the element with this id, or null; false when longer
// than maxLength characters.
QString elementMarkup(const QString &id, int maxLength);
// true after clicking the first element whose id or name is idOrName.
QString clickByIdOrName(const QString &idOrName);
// true when an element's id or name is idOrName.
QString hasIdOrName(const QString &idOrName);
// true after setting the value of the first element named name.
QString setValueByName(const QString &name, const QString &value);
// true after clicking element index of getElementsByName(key) or
// getElementsByTagName(key).
QString clickNthByName(const QString &name, int index);
QString clickNthByTagName(const QString &tagName, int index);
// The number of elements with this tag name.
QString countByTagName(const QString &tagName);
// The first element whose tag name is exactly "IMG", drawn at its natural
// size into a canvas: a PNG data address; "" when the picture is not loaded
// (or broken); { src: its address } when the canvas refuses a picture from
// another site; null without such an element.
QString firstImageDataUrl();

} // namespace PageScripts
