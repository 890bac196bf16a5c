#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <utility>

// Hostile re-wrappings of a signed PE image's PKCS#7 SignedData, for the
// verdict table, the fuzz corpus and the benchmark. Each function takes the
// bytes of an image signed by the fixture script (one signer, DER, the
// certificate table at the end of the file) and returns the image with its
// signature rebuilt in one crafted shape; the image digest still matches and
// every part a signer covers is left as it was, so only the shape is wrong.
// An image these functions cannot take apart comes back empty.
namespace CraftedSignature
{
namespace Der
{

// One DER element inside a byte string: where its tag starts, how long its
// tag and length bytes are, and how long its content is.
struct Element {
    qsizetype start = 0;
    qsizetype header = 0;
    qsizetype length = 0;
    bool ok = false;
    qsizetype contentStart() const { return start + header; }
    qsizetype end() const { return start + header + length; }
};

// Single-byte tags and definite lengths: the only forms the fixture images use.
inline Element read(const QByteArray &der, qsizetype at, qsizetype limit)
{
    Element e;
    e.start = at;
    if (at + 2 > limit)
        return e;
    const auto byte = [&](qsizetype i) { return quint8(der.at(i)); };
    qsizetype p = at + 1;
    quint8 first = byte(p++);
    qsizetype length = 0;
    if (first < 0x80) {
        length = first;
    } else {
        const int count = first & 0x7F;
        if (count == 0 || count > 4 || p + count > limit)
            return e;
        for (int i = 0; i < count; ++i)
            length = (length << 8) | byte(p++);
    }
    e.header = p - at;
    e.length = length;
    e.ok = e.end() <= limit;
    return e;
}

inline QByteArray length(qsizetype n)
{
    if (n < 0x80)
        return QByteArray(1, char(n));
    QByteArray bytes;
    for (; n > 0; n >>= 8)
        bytes.prepend(char(n & 0xFF));
    return char(0x80 | bytes.size()) + bytes;
}

inline QByteArray element(quint8 tag, const QByteArray &content)
{
    return char(tag) + length(content.size()) + content;
}

// The whole elements (tag, length and content) inside a constructed one.
inline QList<QByteArray> children(const QByteArray &der, const Element &parent, bool *ok)
{
    QList<QByteArray> found;
    for (qsizetype at = parent.contentStart(); at < parent.end();) {
        const Element child = read(der, at, parent.end());
        if (!child.ok) {
            *ok = false;
            return {};
        }
        found.append(der.mid(at, child.end() - at));
        at = child.end();
    }
    return found;
}

inline QList<QByteArray> children(const QByteArray &der, bool *ok)
{
    const Element whole = read(der, 0, der.size());
    if (!whole.ok) {
        *ok = false;
        return {};
    }
    return children(der, whole, ok);
}

inline QByteArray joined(const QList<QByteArray> &parts)
{
    QByteArray all;
    for (const QByteArray &part : parts)
        all += part;
    return all;
}

inline QByteArray repeated(const QByteArray &part, int count)
{
    QByteArray all;
    all.reserve(part.size() * qsizetype(count));
    for (int i = 0; i < count; ++i)
        all += part;
    return all;
}

} // namespace Der

// The signed image taken apart: the bytes around its certificate table and
// the elements of its SignedData (version, digestAlgorithms, contentInfo,
// [0] certificates, optional [1] crls, signerInfos).
struct SignedImage {
    QByteArray head; // up to the certificate table
    QByteArray tail; // after it (nothing for the fixture images)
    qsizetype securityEntry = 0;
    QByteArray contentType; // the OID element of the outer ContentInfo
    QList<QByteArray> signedData;
    bool ok = false;
};

inline SignedImage split(const QByteArray &image)
{
    SignedImage parts;
    if (image.size() < 64 || !image.startsWith("MZ"))
        return parts;
    const quint32 pe = qFromLittleEndian<quint32>(image.constData() + 0x3C);
    if (qsizetype(pe) + 176 > image.size())
        return parts;
    const bool pe32plus = qFromLittleEndian<quint16>(image.constData() + pe + 24) == 0x20B;
    parts.securityEntry = pe + (pe32plus ? 168 : 152);
    const quint32 offset = qFromLittleEndian<quint32>(image.constData() + parts.securityEntry);
    const quint32 size = qFromLittleEndian<quint32>(image.constData() + parts.securityEntry + 4);
    if (offset == 0 || qsizetype(offset) + size > image.size() || size < 8)
        return parts;
    parts.head = image.left(offset);
    parts.tail = image.mid(qsizetype(offset) + size);
    const QByteArray der = image.mid(qsizetype(offset) + 8, size - 8);
    bool ok = true;
    const QList<QByteArray> outer = Der::children(der, &ok); // contentType, [0]
    if (!ok || outer.size() != 2)
        return parts;
    parts.contentType = outer[0];
    const QList<QByteArray> explicitTag = Der::children(outer[1], &ok);
    if (!ok || explicitTag.size() != 1)
        return parts;
    parts.signedData = Der::children(explicitTag[0], &ok);
    parts.ok = ok && parts.signedData.size() >= 4;
    return parts;
}

// The image with the SignedData rebuilt from parts: a new WIN_CERTIFICATE
// (revision 2.0, PKCS#7, padded to eight bytes) where the old table was.
inline QByteArray join(const SignedImage &parts)
{
    if (!parts.ok)
        return {};
    const QByteArray signedData = Der::element(0x30, Der::joined(parts.signedData));
    const QByteArray der = Der::element(0x30, parts.contentType + Der::element(0xA0, signedData));
    QByteArray entry(8, '\0');
    entry += der;
    entry.append((8 - entry.size() % 8) % 8, '\0');
    qToLittleEndian<quint32>(quint32(entry.size()), entry.data());
    qToLittleEndian<quint16>(0x0200, entry.data() + 4);
    qToLittleEndian<quint16>(0x0002, entry.data() + 6);
    QByteArray image = parts.head + entry + parts.tail;
    qToLittleEndian<quint32>(quint32(entry.size()), image.data() + parts.securityEntry + 4);
    return image;
}

// Where the SignedData holds the element with this tag: 0x31 the digest
// algorithms (its second element), 0xA0 the certificates. -1 for none.
inline int indexOf(const SignedImage &parts, quint8 tag)
{
    if (tag == 0x31 && parts.signedData.size() > 1 && quint8(parts.signedData[1].at(0)) == 0x31)
        return 1;
    for (int i = 2; i < parts.signedData.size() - 1; ++i) {
        if (quint8(parts.signedData[i].at(0)) == tag)
            return i;
    }
    return -1;
}

// The set at index rebuilt from its children by change.
template <typename Change> QByteArray rebuilt(SignedImage parts, int index, Change change)
{
    if (!parts.ok || index < 0)
        return {};
    bool ok = true;
    QList<QByteArray> items = Der::children(parts.signedData[index], &ok);
    if (!ok || items.isEmpty())
        return {};
    const quint8 tag = quint8(parts.signedData[index].at(0));
    parts.signedData[index] = Der::element(tag, Der::joined(change(std::move(items))));
    return join(parts);
}

// The image with attributes (whole Attribute SEQUENCEs) added to the first
// signer's unauthenticated attributes, which its signature does not cover.
inline QByteArray withUnsignedAttributes(const QByteArray &image, const QByteArray &attributes)
{
    SignedImage parts = split(image);
    const int signers = parts.signedData.size() - 1;
    return rebuilt(parts, parts.ok ? signers : -1, [&](QList<QByteArray> infos) {
        bool ok = true;
        QList<QByteArray> fields = Der::children(infos[0], &ok);
        if (!ok || fields.isEmpty())
            return infos;
        if (quint8(fields.last().at(0)) == 0xA1) {
            const Der::Element set = Der::read(fields.last(), 0, fields.last().size());
            fields.last() = Der::element(0xA1, fields.last().mid(set.contentStart(), set.length) + attributes);
        } else {
            fields.append(Der::element(0xA1, attributes));
        }
        infos[0] = Der::element(0x30, Der::joined(fields));
        return infos;
    });
}

// 1.3.6.1.4.1.311.2.4.1, the nested-signature attribute: the check ignores
// its content, so it is where bulk can hide.
inline QByteArray nestedSignatureOid()
{
    return QByteArray("\x06\x0A\x2B\x06\x01\x04\x01\x82\x37\x02\x04\x01", 12);
}

inline QByteArray attribute(const QByteArray &oid, const QByteArray &values)
{
    return Der::element(0x30, oid + Der::element(0x31, values));
}

// The SignedData's digestAlgorithms set holding its algorithm count times.
inline QByteArray repeatedDigestAlgorithms(const QByteArray &image, int count)
{
    const SignedImage parts = split(image);
    return rebuilt(parts, indexOf(parts, 0x31),
                   [count](QList<QByteArray> algorithms) { return QList{Der::repeated(algorithms[0], count)}; });
}

// count identical signer infos (each one verifies on its own).
inline QByteArray manySigners(const QByteArray &image, int count)
{
    const SignedImage parts = split(image);
    return rebuilt(parts, parts.ok ? int(parts.signedData.size()) - 1 : -1,
                   [count](QList<QByteArray> infos) { return QList{Der::repeated(infos[0], count)}; });
}

// count certificates: the signature's own, then copies of its first one.
inline QByteArray manyCertificates(const QByteArray &image, int count)
{
    const SignedImage parts = split(image);
    return rebuilt(parts, indexOf(parts, 0xA0), [count](QList<QByteArray> certificates) {
        const QByteArray first = certificates[0];
        while (certificates.size() < count)
            certificates.append(first);
        return certificates;
    });
}

// A nested-signature attribute whose value is depth SEQUENCEs, one inside
// the other.
inline QByteArray deepNesting(const QByteArray &image, int depth)
{
    // Built from the inside out as headers alone (every SEQUENCE holds only
    // the next one), so the cost stays linear in the depth.
    QList<QByteArray> headers;
    qsizetype inner = 0;
    for (int i = 0; i < depth; ++i) {
        headers.append(char(0x30) + Der::length(inner));
        inner += headers.last().size();
    }
    QByteArray value;
    value.reserve(inner);
    for (qsizetype i = headers.size() - 1; i >= 0; --i)
        value += headers[i];
    return withUnsignedAttributes(image, attribute(nestedSignatureOid(), value));
}

// A nested-signature attribute holding one OCTET STRING of size bytes.
inline QByteArray hugeAttribute(const QByteArray &image, int size)
{
    return withUnsignedAttributes(image, attribute(nestedSignatureOid(), Der::element(0x04, QByteArray(size, '\x5A'))));
}

// count small unauthenticated attributes, each with one empty SEQUENCE.
inline QByteArray manyAttributes(const QByteArray &image, int count)
{
    return withUnsignedAttributes(image,
                                  Der::repeated(attribute(nestedSignatureOid(), QByteArray("\x30\x00", 2)), count));
}

// One nested-signature attribute holding count copies of the image's own
// signature as nested signatures.
inline QByteArray manyNestedSignatures(const QByteArray &image, int count)
{
    const SignedImage parts = split(image);
    if (!parts.ok)
        return {};
    const QByteArray self =
        Der::element(0x30, parts.contentType + Der::element(0xA0, Der::element(0x30, Der::joined(parts.signedData))));
    return withUnsignedAttributes(image, attribute(nestedSignatureOid(), Der::repeated(self, count)));
}

// The RFC 3161 timestamp token in the first signer's unsigned attributes
// (a SignedData of its own) with its digestAlgorithms set holding its
// algorithm count times. Empty for an image without a token.
inline QByteArray repeatedTimestampDigestAlgorithms(const QByteArray &image, int count)
{
    const QByteArray timestampOid("\x06\x0A\x2B\x06\x01\x04\x01\x82\x37\x03\x03\x01", 12);
    const SignedImage parts = split(image);
    bool found = false;
    const QByteArray crafted =
        rebuilt(parts, parts.ok ? int(parts.signedData.size()) - 1 : -1, [&](QList<QByteArray> infos) {
            bool ok = true;
            QList<QByteArray> fields = Der::children(infos[0], &ok);
            if (!ok || fields.isEmpty() || quint8(fields.last().at(0)) != 0xA1)
                return infos;
            QList<QByteArray> attributes = Der::children(fields.last(), &ok);
            for (QByteArray &attribute : attributes) {
                QList<QByteArray> typeAndValues = Der::children(attribute, &ok);
                if (!ok || typeAndValues.size() != 2 || typeAndValues[0] != timestampOid)
                    continue;
                QList<QByteArray> values = Der::children(typeAndValues[1], &ok);
                const QList<QByteArray> token =
                    ok && !values.isEmpty() ? Der::children(values[0], &ok) : QList<QByteArray>();
                const QList<QByteArray> explicitTag =
                    ok && token.size() == 2 ? Der::children(token[1], &ok) : QList<QByteArray>();
                QList<QByteArray> signedData =
                    ok && explicitTag.size() == 1 ? Der::children(explicitTag[0], &ok) : QList<QByteArray>();
                QList<QByteArray> algorithms =
                    ok && signedData.size() > 1 ? Der::children(signedData[1], &ok) : QList<QByteArray>();
                if (!ok || algorithms.isEmpty())
                    return infos;
                signedData[1] = Der::element(0x31, Der::repeated(algorithms[0], count));
                values[0] =
                    Der::element(0x30, token[0] + Der::element(0xA0, Der::element(0x30, Der::joined(signedData))));
                typeAndValues[1] = Der::element(0x31, Der::joined(values));
                attribute = Der::element(0x30, Der::joined(typeAndValues));
                found = true;
                break;
            }
            fields.last() = Der::element(0xA1, Der::joined(attributes));
            infos[0] = Der::element(0x30, Der::joined(fields));
            return infos;
        });
    return found ? crafted : QByteArray();
}

} // namespace CraftedSignature
