#pragma once

#include <QString>

#include <functional>

struct LookupState;

// How the telephone-area page is read: the two rate-limit notices the service
// shows instead of an answer, and the location cut between its markers.
namespace FixedLineAnswer
{

// The service refuses too many queries with one of these.
inline const QString TooFrequentMarker = QStringLiteral("查询次数过于频繁，请稍后再试");
inline const QString TooManyMarker = QStringLiteral("查询次数过多，请稍后再试");
// The location stands behind this marker and one more character ...
inline const QString AreaMarker = QStringLiteral("该号段电话分部区域：");
// ... and ends eleven characters before the full-width asterisk (U+FF0A).
inline const QString EndMarker = QStringLiteral("＊");

// True when marker stands somewhere in text. Every position is compared in
// turn, and after each one that does not match, yieldTurn runs (the window
// handles its pending events there). When yieldTurn returns false the scan
// gives up and answers false: the caller is gone.
bool scanFor(const QString &marker, const QString &text, const std::function<bool()> &yieldTurn);

// The location: CutStart = position of AreaMarker + 11, CutEnd = position of
// EndMarker - 9, and the text from CutStart, CutEnd - CutStart - 1 characters
// long. A page without AreaMarker is cut from position 11 all the same.
// Writes CutStart and CutEnd. Throws OverflowError when a position with its
// offset passes 32767 (an asterisk up to 32776 still fits) and
// InvalidArgumentError for a negative length (no asterisk, or one
// too early).
QString locationCut(const QString &page, LookupState &state);

} // namespace FixedLineAnswer
