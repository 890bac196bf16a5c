#pragma once

#include <QString>
#include <functional>
#include <optional>

// The two cuts of the start-up sequence on the IP-location service's pages.

// The caller's own address on "/ip2city.asp": between "您的IP地址是：[" and
// the first "]" of the text. nullopt when the marker is missing or no "]"
// follows it.
std::optional<QString> OwnAddressCut(const QString &pageText);

// The location line of the own address's location page: from 6 characters
// after "本站主数据：" up to the first CR LF at or after that point. The scan
// for the CR LF calls betweenCharacters once for every character it passes
// (the start-up window processes window events there). nullopt when the
// marker is missing or no CR LF follows it.
std::optional<QString> LocationLineCut(const QString &pageText, const std::function<void()> &betweenCharacters);
