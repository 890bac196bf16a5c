#pragma once

#include <QByteArray>
#include <QString>

// Code page 936 (GBK), the code page the outside pages and the page-rank
// character codes are read in, whatever charset a page declares.
//
// A byte below 0x80 is itself, 0x80 is the euro sign, 0xFF stands alone.
// A lead byte 0x81-0xFE followed by a trail byte 0x40-0x7E or 0x80-0xFE is
// always one character of two bytes, whether or not the pair is assigned:
// the user-defined areas read as private-use characters, in the order code
// page 936 gives them,
//     AAA1-AFFE -> U+E000-U+E233   (rows AA-AF, trail bytes A1-FE)
//     F8A1-FEFE -> U+E234-U+E4C5   (rows F8-FE, trail bytes A1-FE)
//     A140-A7A0 -> U+E4C6-U+E765   (rows A1-A7, trail bytes 40-7E, 80-A0)
// and any other unassigned pair as one U+FFFD. So a pair the tables lack
// never pulls the next byte into a false pair, and a marker behind it keeps
// its place.
namespace Gbk {

// Bytes to text. A byte that cannot begin a character (0xFF, or a lead byte
// without a trail byte behind it) becomes one U+FFFD, and decoding goes on
// with the next byte: a broken page never fails the fetch.
QString decode(const QByteArray &bytes);

// Text to bytes, the private-use characters above back to their pairs. A
// character code page 936 cannot represent becomes "?" (a surrogate pair,
// one character, one "?").
QByteArray encode(const QString &text);

} // namespace Gbk
