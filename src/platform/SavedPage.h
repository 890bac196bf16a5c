#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A page saved by the browser as one MIME multipart file (MHTML): the page
// and every picture it shows, each part named by its address. The saved
// copy holds the bytes the page was given, so a picture from another site,
// which the page itself may not read, can be taken from it without asking
// that site again.
namespace SavedPage
{

// The bytes of the part saved for this address (its Content-Location),
// decoded from base64 or quoted-printable; std::nullopt when the file holds
// no such part or is not a multipart file.
std::optional<QByteArray> partFor(const QByteArray &saved, const QString &address);

} // namespace SavedPage
