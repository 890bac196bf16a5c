#pragma once

#include <QString>

#include <array>

// The replacements that turn a whois record's English field labels into
// Chinese ones and strip the service's page chrome. A row whose replacement
// is empty removes its find text. Order matters: a longer label goes before
// the shorter one inside it ("Sponsoring Registrar" before "Registrar"), and
// later rows see whatever earlier rows left in English.
struct WhoisLabelRow {
    const char16_t *find;
    const char16_t *replacement;
};

inline constexpr int WhoisLabelRowCount = 160;

// Row n of the table is WhoisLabelTable[n - 1].
extern const std::array<WhoisLabelRow, WhoisLabelRowCount> WhoisLabelTable;

// The whois service's own site name, as its pages write it; removed after
// row 149 and before row 150.
extern const WhoisLabelRow WhoisSiteNameRow;

// Every row in turn, each to the whole text the previous row left: every
// occurrence, left to right, case-sensitive, not overlapping, and text a row
// puts in is not searched again by that row.
QString ApplyWhoisLabelTable(QString text);
