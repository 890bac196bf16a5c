#pragma once

#include "AuthenticodeCheck.h"
#include "TrustAnchors.h"
#include "Verdict.h"

#include <QString>

// The verdict for one trust result code; every code not in the table gets
// the olive "has a signature, publisher not verified" text.
Verdict VerdictForResult(qint32 result);

// Checks the file's signature (AuthenticodeCheck.h) against the given roots
// and turns the result into a verdict. Never fails and shows nothing: a
// missing or unreadable path is a verdict too. The path is used as given.
// betweenChunks runs after every chunk the check reads (none in the program).
Verdict VerifyFileSignature(const QString &path, const TrustAnchors &anchors = TrustAnchors::system(),
                            const BetweenChunks &betweenChunks = {});
