#pragma once

#include "TrustAnchors.h"

#include <QString>

// Does this PE file carry a valid Authenticode signature? Answers with the
// trust service's result code (TrustResult.h): 0 for a signature whose image
// digest matches and whose signer chains to a trusted root at the signing
// time (a valid RFC 3161 timestamp) or now (no timestamp).
//
// Never throws: a missing or unreadable file is "no signature", anything that
// is not a PE image is "subject form unknown". Only the primary signature is
// looked at; nested signatures are ignored.
qint32 CheckAuthenticode(const QString &path, const TrustAnchors &anchors);
