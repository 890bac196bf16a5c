#pragma once

#include <QString>
#include <optional>

// The text between the first startMarker and the first endMarker of the whole
// text (both searched from the start with FindTextPos, 32-bit positions).
// nullopt when the start marker is missing, the end marker is missing, or the
// end marker stands before the end of the start marker: such a page is not
// the page the cut was written for, and a cut taken anyway would be garbage.
std::optional<QString> MarkedCut(const QString &text, const QString &startMarker, const QString &endMarker);
