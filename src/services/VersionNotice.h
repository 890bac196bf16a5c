#pragma once

#include <QString>
#include <optional>

// The maker's version notice: the newest version stands between
// "The Newest Vision：" (full-width colon) and the first "########".
//
//     The Newest Vision：5.6########
//     ###Update Text###
//     ...
//     #End#

// The notice's markers. The update text stands on lines of its own: it
// begins after the line break behind its marker and ends before the one in
// front of "#End#".
namespace NoticeMarkers {
inline const QString NewestVersion = QStringLiteral("The Newest Vision：");
inline const QString NewestVersionEnd = QStringLiteral("########");
inline const QString UpdateText = QStringLiteral("###Update Text###");
inline const QString UpdateTextEnd = QStringLiteral("#End#");
// The CR LF behind the update text's marker and in front of its end marker.
inline constexpr int LineBreakLength = 2;
} // namespace NoticeMarkers

// The newest version text, untrimmed: from 18 characters after
// "The Newest Vision：" (from position 18 when that marker is missing) up to
// the first "########". nullopt when no "########" stands at or behind that
// start (the cut cannot be made).
std::optional<QString> NoticeNewestVersion(const QString &pageText);

// The update window's two cuts: the plain page cut in 16-bit positions,
// with fixed offsets and no look at what stands there. The newest version
// runs from behind its start marker to "########"; the update text from two
// characters behind "###Update Text###" to two characters before "#End#", so
// only CR LF line breaks are cut off cleanly. A missing marker gives position
// 0 and a cut from wherever the offset lands; a negative length or a start
// below 1 throws InvalidArgumentError, a position with its offset outside
// -32768..32767 OverflowError (PageText.h): "#End#" may stand at 32769.
QString NoticeNewestVersionCut(const QString &pageText);
QString NoticeUpdateText(const QString &pageText);

// True when newest sorts after current in an ordinal comparison of UTF-16
// code units: the first differing unit decides, and a proper prefix is the
// smaller text. Versions are never read as numbers: "5.10" is older than
// "5.5", and "5.5 " (trailing blank) is newer.
bool IsNewerVersion(const QString &newest, const QString &current);
