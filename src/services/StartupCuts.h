#pragma once

#include "YieldTurn.h"

#include <QString>
#include <optional>

// The two cuts of the start-up sequence on the IP-location service's pages.

// The caller's own address on "/ip2city.asp": from 9 characters after
// "您的IP地址是：[" (from position 9 when the marker is missing) up to the
// first "]" of the text. nullopt when that "]" is missing or stands before
// the start, which leaves nothing to cut.
std::optional<QString> OwnAddressCut(const QString &pageText);

// The location line of the own address's location page: from 6 characters
// after "本站主数据：" up to the first CR LF at or after that point; a page
// without the marker is cut from position 6. The scan for the CR LF calls
// betweenCharacters once for every character it passes (the start-up window
// processes window events there). nullopt when no CR LF follows the start.
std::optional<QString> LocationLineCut(const QString &pageText, const YieldTurn &betweenCharacters);
