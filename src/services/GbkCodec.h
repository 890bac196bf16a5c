#pragma once

#include <QByteArray>
#include <QString>

// Code page 936 (GBK), the code page the outside pages and the page-rank
// character codes are read in, whatever charset a page declares.
namespace Gbk {

// Bytes to text. A byte sequence GBK cannot read becomes U+FFFD and decoding
// goes on with the next byte: a broken page never fails the fetch.
QString decode(const QByteArray &bytes);

// Text to bytes. A character GBK cannot represent becomes "?".
QByteArray encode(const QString &text);

} // namespace Gbk
