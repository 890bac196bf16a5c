#!/usr/bin/env python3
"""Reference page-rank checksums for tst_pagerankchecksum, written apart from
the C++ code: lookup2 over one GBK code per UTF-16 unit, a double-byte code
read as signed 16-bit, a character GBK lacks (or half a surrogate pair) as
"?".  Python's GBK table differs from the platform's for U+20AC, so that
character is left to the CharCodeAt test.

    python3 lookup2_reference.py abc "www.中文网址.cn"
"""
import sys

M = 0xFFFFFFFF


def codes(text):
    raw = text.encode("utf-16-le", "surrogatepass")
    out = []
    for i in range(0, len(raw), 2):
        unit = chr(raw[i] | (raw[i + 1] << 8))
        try:
            b = unit.encode("gbk")
        except UnicodeEncodeError:
            b = b"?"
        k = b[0] if len(b) == 1 else (b[0] << 8) | b[1]
        if len(b) == 2 and k >= 0x8000:
            k -= 0x10000
        out.append(k & M)
    return out


def mix(a, b, c):
    a = (a - b - c) & M; a ^= c >> 13
    b = (b - c - a) & M; b ^= (a << 8) & M
    c = (c - a - b) & M; c ^= b >> 13
    a = (a - b - c) & M; a ^= c >> 12
    b = (b - c - a) & M; b ^= (a << 16) & M
    c = (c - a - b) & M; c ^= b >> 5
    a = (a - b - c) & M; a ^= c >> 3
    b = (b - c - a) & M; b ^= (a << 10) & M
    c = (c - a - b) & M; c ^= b >> 15
    return a, b, c


def lookup2(text):
    k = codes(text)
    n = len(k)
    a = b = 0x9E3779B9
    c = 0xE6359A60
    p = 0

    def w(i, shift):
        return (k[i] << shift) & M

    while n - p >= 12:
        a = (a + w(p, 0) + w(p + 1, 8) + w(p + 2, 16) + w(p + 3, 24)) & M
        b = (b + w(p + 4, 0) + w(p + 5, 8) + w(p + 6, 16) + w(p + 7, 24)) & M
        c = (c + w(p + 8, 0) + w(p + 9, 8) + w(p + 10, 16) + w(p + 11, 24)) & M
        a, b, c = mix(a, b, c)
        p += 12
    r = n - p
    c = (c + n) & M
    # (register, index in the tail, shift), largest first.
    tail = [("c", 10, 24), ("c", 9, 16), ("c", 8, 8), ("b", 7, 24), ("b", 6, 16),
            ("b", 5, 8), ("b", 4, 0), ("a", 3, 24), ("a", 2, 16), ("a", 1, 8), ("a", 0, 0)]
    for reg, i, shift in tail:
        if i < r:
            v = w(p + i, shift)
            if reg == "a":
                a = (a + v) & M
            elif reg == "b":
                b = (b + v) & M
            else:
                c = (c + v) & M
    a, b, c = mix(a, b, c)
    return c - (1 << 32) if c & 0x80000000 else c


if __name__ == "__main__":
    for address in sys.argv[1:]:
        print("%r\t%d units hashed\t6%d" % (address, len(codes("info:" + address)), lookup2("info:" + address)))
