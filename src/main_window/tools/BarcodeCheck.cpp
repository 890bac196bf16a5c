#include "BarcodeCheck.h"

namespace BarcodeCheck {

int characterValue(QChar character)
{
    const char16_t unit = character.unicode();
    return unit >= u'0' && unit <= u'9' ? unit - u'0' : 0;
}

int weightedSum(const QString &code)
{
    int sum = 0;
    for (int i = 0; i < 12 && i < code.size(); ++i)
        sum += characterValue(code.at(i)) * (i % 2 == 0 ? 1 : 3);
    return sum;
}

int expectedCheckDigit(const QString &code)
{
    return (10 - weightedSum(code) % 10) % 10;
}

bool hasValidCheckDigit(const QString &code)
{
    return code.size() == 13 && characterValue(code.at(12)) == expectedCheckDigit(code);
}

} // namespace BarcodeCheck
