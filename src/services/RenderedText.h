#pragma once

#include <QString>

// The text an old desktop browser's HTML document object gives as its body's
// inner text when the markup is put into the body: CR LF line breaks at block
// boundaries and <br>, one blank after each table cell, white space collapsed
// as the browser did. Every page marker of the program was written against
// this text, so the page fetch and the embedded browsers both use it.
QString RenderInnerText(const QString &bodyMarkup);
