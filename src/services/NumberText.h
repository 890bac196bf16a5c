#pragma once

#include <QString>
#include <optional>

// How the tools read a number typed by the user.
//
// read(): blanks around it, an optional sign, decimal digits with at most one
// decimal point (".5" and "5." count). Nothing else counts as a number: no
// exponent ("1e5"), no thousands separators ("1,234"), no hexadecimal prefix
// ("&H10", "0x10"), no full-width digits. An empty or blank text is not a
// number.
//
// readWithExponent(): the same, and the digits may be followed by an
// exponent: "E" or "e", an optional sign and at least one digit ("1e5",
// "2.5E-3"). A value too large for a double is not a number.
namespace NumberText {

// The value, or nothing when the text is not a number.
std::optional<double> read(const QString &text);
std::optional<double> readWithExponent(const QString &text);

// True when read() gives a value.
inline bool isNumeric(const QString &text)
{
    return read(text).has_value();
}

// True when readWithExponent() gives a value.
inline bool isNumericWithExponent(const QString &text)
{
    return readWithExponent(text).has_value();
}

} // namespace NumberText
