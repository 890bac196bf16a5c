#pragma once

#include <QString>
#include <optional>

// The text from just behind the first startMarker up to the first endMarker
// of the whole text (both searched from the start with FindTextPos, 32-bit
// positions): start = position of startMarker + its length, end = position of
// endMarker, value = the end - start characters from start. A missing start
// marker counts as position 0, so the value then begins at the marker's
// length. nullopt only when that arithmetic gives a negative length (no end
// marker, or the end marker before the start): such a cut cannot be made.
std::optional<QString> MarkedCut(const QString &text, const QString &startMarker, const QString &endMarker);
