#pragma once

#include "FileReader.h"
#include "TrustAnchors.h"

#include <QString>
#include <functional>

// Called after every chunk the image digest reads. The program passes none;
// tests change the file in the middle of a check through it.
using BetweenChunks = std::function<void()>;

// Does this PE file carry a valid Authenticode signature? Answers with the
// trust service's result code (TrustResult.h): 0 for a signature whose image
// digest matches and whose signer chains to a trusted root at the signing
// time (a valid RFC 3161 timestamp) or now (no timestamp).
//
// Never throws and never maps the file: it is read in bounded chunks, so a
// file that shrinks meanwhile ends the check, not the program. A missing or
// unreadable file, one that shrinks during the check, anything that is not
// a PE image, a certificate table over 16 MiB and a malformed signature are
// "no signature"; a file that grows or changes during the check, or has
// bytes appended after its signature, is a bad digest. A signature is
// malformed unless it has the shape of an Authenticode signature: one
// signer, one digest algorithm, and bounded certificates, attributes,
// nested signatures and nesting depth. Only the primary signature is
// verified; nested signatures are ignored. What is opened must be a regular
// file (the open never waits): a FIFO or device in the path's place is "no
// signature", as a missing file. beforeOpen runs just before the file is
// opened (none in the program).
qint32 CheckAuthenticode(const QString &path, const TrustAnchors &anchors, const BetweenChunks &betweenChunks = {},
                         const BeforeOpen &beforeOpen = {});
