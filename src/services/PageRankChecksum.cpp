#include "PageRankChecksum.h"

#include "GbkCodec.h"

quint32 ShiftLeft32(quint32 x, int n)
{
    return n <= 0 ? x : (n >= 32 ? 0u : x << n);
}

quint32 ShiftRight32(quint32 x, int n)
{
    return n <= 0 ? x : (n >= 32 ? 0u : x >> n);
}

quint32 ZeroFillShiftRight(quint32 x, int n)
{
    return ShiftRight32(x, n);
}

quint32 AddUnsigned32(quint32 x, quint32 y)
{
    return x + y; // unsigned arithmetic wraps
}

quint32 SubUnsigned32(quint32 x, quint32 y)
{
    return x - y;
}

int CharCodeAt(const QString &text, qsizetype i)
{
    // One UTF-16 unit at a time: half of a surrogate pair is no character
    // GBK can write, so each half counts as "?".
    const QByteArray bytes = Gbk::encode(QString(text.at(i)));
    if (bytes.size() == 1)
        return static_cast<unsigned char>(bytes.at(0));
    if (bytes.size() == 2) {
        const quint16 code = static_cast<quint16>((static_cast<unsigned char>(bytes.at(0)) << 8) |
                                                  static_cast<unsigned char>(bytes.at(1)));
        return static_cast<qint16>(code);
    }
    return '?';
}

void Lookup2Mix(quint32 &a, quint32 &b, quint32 &c)
{
    a = SubUnsigned32(SubUnsigned32(a, b), c);
    a ^= ZeroFillShiftRight(c, 13);
    b = SubUnsigned32(SubUnsigned32(b, c), a);
    b ^= ShiftLeft32(a, 8);
    c = SubUnsigned32(SubUnsigned32(c, a), b);
    c ^= ZeroFillShiftRight(b, 13);
    a = SubUnsigned32(SubUnsigned32(a, b), c);
    a ^= ZeroFillShiftRight(c, 12);
    b = SubUnsigned32(SubUnsigned32(b, c), a);
    b ^= ShiftLeft32(a, 16);
    c = SubUnsigned32(SubUnsigned32(c, a), b);
    c ^= ZeroFillShiftRight(b, 5);
    a = SubUnsigned32(SubUnsigned32(a, b), c);
    a ^= ZeroFillShiftRight(c, 3);
    b = SubUnsigned32(SubUnsigned32(b, c), a);
    b ^= ShiftLeft32(a, 10);
    c = SubUnsigned32(SubUnsigned32(c, a), b);
    c ^= ZeroFillShiftRight(b, 15);
}

quint32 Lookup2Hash(const QString &text)
{
    const qsizetype n = text.size();
    // Sign-extended to 32 bits: a negative code k stands for 2^32 + k.
    auto k = [&text](qsizetype i) { return static_cast<quint32>(static_cast<qint32>(CharCodeAt(text, i))); };
    auto word = [&k](qsizetype p) {
        return AddUnsigned32(AddUnsigned32(k(p), ShiftLeft32(k(p + 1), 8)),
                             AddUnsigned32(ShiftLeft32(k(p + 2), 16), ShiftLeft32(k(p + 3), 24)));
    };

    quint32 a = 0x9E3779B9u;
    quint32 b = 0x9E3779B9u;
    quint32 c = 0xE6359A60u;
    qsizetype p = 0;
    qsizetype r = n;
    while (r >= 12) {
        a = AddUnsigned32(a, word(p));
        b = AddUnsigned32(b, word(p + 4));
        c = AddUnsigned32(c, word(p + 8));
        Lookup2Mix(a, b, c);
        p += 12;
        r -= 12;
    }

    c = AddUnsigned32(c, static_cast<quint32>(n));
    // Each remaining count also takes every smaller one. The lowest byte of c
    // holds the length, so the ninth code of the tail goes in at shift 8.
    switch (r) {
    case 11: c = AddUnsigned32(c, ShiftLeft32(k(p + 10), 24)); [[fallthrough]];
    case 10: c = AddUnsigned32(c, ShiftLeft32(k(p + 9), 16)); [[fallthrough]];
    case 9: c = AddUnsigned32(c, ShiftLeft32(k(p + 8), 8)); [[fallthrough]];
    case 8: b = AddUnsigned32(b, ShiftLeft32(k(p + 7), 24)); [[fallthrough]];
    case 7: b = AddUnsigned32(b, ShiftLeft32(k(p + 6), 16)); [[fallthrough]];
    case 6: b = AddUnsigned32(b, ShiftLeft32(k(p + 5), 8)); [[fallthrough]];
    case 5: b = AddUnsigned32(b, k(p + 4)); [[fallthrough]];
    case 4: a = AddUnsigned32(a, ShiftLeft32(k(p + 3), 24)); [[fallthrough]];
    case 3: a = AddUnsigned32(a, ShiftLeft32(k(p + 2), 16)); [[fallthrough]];
    case 2: a = AddUnsigned32(a, ShiftLeft32(k(p + 1), 8)); [[fallthrough]];
    case 1: a = AddUnsigned32(a, k(p)); [[fallthrough]];
    default: break;
    }
    Lookup2Mix(a, b, c);
    return c;
}

QString PageRankChecksum(const QString &address)
{
    const quint32 hash = Lookup2Hash(QStringLiteral("info:") + address);
    return QStringLiteral("6") + QString::number(static_cast<qint32>(hash));
}
