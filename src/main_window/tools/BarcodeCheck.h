#pragma once

#include <QChar>
#include <QString>

// The EAN-13 check digit, worked out on the spot: characters 1, 3, ..., 11
// count once and characters 2, 4, ..., 12 three times; the check digit makes
// the sum up to the next multiple of 10.
namespace BarcodeCheck {

// What one character of a code counts for: a digit 0 to 9 its value, any
// other character (a letter, a sign, a blank, a full-width digit) 0.
int characterValue(QChar character);

// The weighted sum of the first twelve characters; characters missing from a
// shorter code count 0.
int weightedSum(const QString &code);

// (10 - sum mod 10) mod 10: 0 when the sum is a multiple of 10.
int expectedCheckDigit(const QString &code);

// True when the 13th character counts for the expected check digit. A code
// that is not 13 characters long is never valid.
bool hasValidCheckDigit(const QString &code);

} // namespace BarcodeCheck
