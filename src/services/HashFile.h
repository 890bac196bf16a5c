#pragma once

#include "FileReader.h"
#include "YieldTurn.h"

#include <QString>
#include <functional>

// Algorithm identifiers the digest buttons pass in.
constexpr quint32 AlgorithmMd5 = 0x8003;
constexpr quint32 AlgorithmSha1 = 0x8004;

// Called with the fraction done, 0 to 1.
using ProgressReport = std::function<void(double)>;

// The MD5 or SHA1 digest of a whole file as upper-case hex text (32 or 40
// digits, no separators).
//
// The file is read in 32768-byte chunks; after every full chunk the progress
// report gets chunks done / full chunks, and after each digest byte it gets 1.
// Every report is followed by one yieldTurn, in which other handlers may run
// (even another HashFile: all state is local).
// A file shorter than one chunk makes no chunk report. Lengths are 64-bit.
//
// Throws NumberedError: 53 when the path is not an ordinary file (a folder
// counts as missing, and so does a FIFO or device found in its place when it
// is opened: the open never waits), 70/75 when it cannot be opened, 57 when a
// read fails, 62 when its size changes while it is read (it grows or
// shrinks), the crypto library's error code when the digest fails. No
// partial digest is ever returned. beforeOpen runs just before the file is
// opened (none in the program).
QString HashFile(const QString &path, quint32 algorithm, const ProgressReport &progress,
                 const YieldTurn &yieldTurn = {}, const BeforeOpen &beforeOpen = {});
