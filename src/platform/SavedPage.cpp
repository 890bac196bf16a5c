#include "SavedPage.h"

#include <QList>
#include <QUrl>

namespace
{

// The header lines of one part (or of the whole file), names in lower case;
// a line that starts with a blank goes on the line before it.
QList<QPair<QByteArray, QByteArray>> headerLines(const QByteArray &head)
{
    QList<QPair<QByteArray, QByteArray>> lines;
    for (QByteArray line : head.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty() && (line.at(0) == ' ' || line.at(0) == '\t')) {
            if (!lines.isEmpty())
                lines.last().second += ' ' + line.trimmed();
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        lines.append({line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed()});
    }
    return lines;
}

QByteArray headerValue(const QList<QPair<QByteArray, QByteArray>> &lines, const QByteArray &name)
{
    for (const auto &[key, value] : lines)
        if (key == name)
            return value;
    return {};
}

// The head ends at the first empty line.
qsizetype headEnd(const QByteArray &text, qsizetype from, qsizetype *bodyStart)
{
    const qsizetype crlf = text.indexOf("\r\n\r\n", from);
    const qsizetype lf = text.indexOf("\n\n", from);
    if (crlf >= 0 && (lf < 0 || crlf < lf)) {
        *bodyStart = crlf + 4;
        return crlf;
    }
    if (lf >= 0) {
        *bodyStart = lf + 2;
        return lf;
    }
    return -1;
}

QByteArray boundaryOf(const QByteArray &contentType)
{
    const qsizetype at = contentType.toLower().indexOf("boundary=");
    if (at < 0)
        return {};
    QByteArray value = contentType.mid(at + 9);
    if (value.startsWith('"'))
        return value.mid(1, value.indexOf('"', 1) - 1);
    const qsizetype end = value.indexOf(';');
    return (end < 0 ? value : value.left(end)).trimmed();
}

QByteArray fromQuotedPrintable(const QByteArray &encoded)
{
    QByteArray decoded;
    decoded.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded.at(i);
        if (c != '=') {
            decoded.append(c);
            continue;
        }
        // A soft line break joins the lines; "=XX" is one byte.
        if (encoded.mid(i + 1, 2) == "\r\n") {
            i += 2;
        } else if (encoded.mid(i + 1, 1) == "\n") {
            i += 1;
        } else {
            bool ok = false;
            const int byte = encoded.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                decoded.append(char(byte));
                i += 2;
            } else {
                decoded.append(c);
            }
        }
    }
    return decoded;
}

} // namespace

namespace SavedPage
{

std::optional<QByteArray> partFor(const QByteArray &saved, const QString &address)
{
    qsizetype bodyStart = 0;
    const qsizetype fileHeadEnd = headEnd(saved, 0, &bodyStart);
    if (fileHeadEnd < 0)
        return std::nullopt;
    const QByteArray boundary = boundaryOf(headerValue(headerLines(saved.left(fileHeadEnd)), "content-type"));
    if (boundary.isEmpty())
        return std::nullopt;
    const QByteArray delimiter = "--" + boundary;
    const QUrl wanted(address);

    qsizetype at = saved.indexOf(delimiter, bodyStart);
    while (at >= 0) {
        const qsizetype partStart = at + delimiter.size();
        if (saved.mid(partStart, 2) == "--")
            break; // the closing delimiter
        const qsizetype next = saved.indexOf(delimiter, partStart);
        const QByteArray part = saved.mid(partStart, next < 0 ? -1 : next - partStart);
        at = next;

        qsizetype partBody = 0;
        const qsizetype partHeadEnd = headEnd(part, 0, &partBody);
        if (partHeadEnd < 0)
            continue;
        const auto lines = headerLines(part.left(partHeadEnd));
        const QUrl location(QString::fromUtf8(headerValue(lines, "content-location")));
        if (location.isEmpty() || location.adjusted(QUrl::NormalizePathSegments)
                                      != wanted.adjusted(QUrl::NormalizePathSegments))
            continue;
        QByteArray body = part.mid(partBody);
        // The line break before the next delimiter belongs to the delimiter.
        if (body.endsWith("\r\n"))
            body.chop(2);
        else if (body.endsWith('\n'))
            body.chop(1);
        const QByteArray encoding = headerValue(lines, "content-transfer-encoding").toLower();
        if (encoding == "base64")
            return QByteArray::fromBase64(body);
        if (encoding == "quoted-printable")
            return fromQuotedPrintable(body);
        return body;
    }
    return std::nullopt;
}

} // namespace SavedPage
