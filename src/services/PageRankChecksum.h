#pragma once

#include <QString>
#include <QtGlobal>

// The "ch=" value the page-rank service wants with every query: "6" and the
// signed decimal of Bob Jenkins' lookup2 hash over "info:" + the address.
//
//     PageRankChecksum("abc")  ->  "6-1805545757"
//
// The hash runs over one character code per UTF-16 unit, in code page 936:
// a single-byte character gives its byte, a double-byte one its two-byte code
// read as signed 16-bit (so a Chinese character is negative), a character the
// code page lacks the code of "?". Codes enter the sums sign-extended to 32
// bits. All arithmetic wraps modulo 2^32.

// x << n modulo 2^32 (x for n = 0).
quint32 ShiftLeft32(quint32 x, int n);
// x >> n with zeros from the left (x for n = 0).
quint32 ShiftRight32(quint32 x, int n);
// The same logical right shift; the mixing step uses this one.
quint32 ZeroFillShiftRight(quint32 x, int n);
// x + y and x - y modulo 2^32.
quint32 AddUnsigned32(quint32 x, quint32 y);
quint32 SubUnsigned32(quint32 x, quint32 y);

// Code of the character at the 0-based position i, as a signed 16-bit value
// widened to int (0..255 for a single byte, negative for a double byte, 63
// for a character GBK cannot write).
int CharCodeAt(const QString &text, qsizetype i);

// The lookup2 mixing step, in place.
void Lookup2Mix(quint32 &a, quint32 &b, quint32 &c);

// lookup2 with the golden-ratio start and c = 0xE6359A60.
quint32 Lookup2Hash(const QString &text);

// "6" + the signed decimal of Lookup2Hash("info:" + address); the address is
// taken exactly as passed.
QString PageRankChecksum(const QString &address);
