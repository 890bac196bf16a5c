#include "NumberRangeSearch.h"

#include "Endpoints.h"
#include "NumberText.h"

#include <cmath>

NumberRangeSearch NumberRangeSearch::from(const QString &areaCode, const QString &number)
{
    NumberRangeSearch search;
    // Both are read before either is judged: a fraction in the area code
    // does not hide a number that is no number at all.
    const auto area = NumberText::read(areaCode);
    const auto value = NumberText::read(number);
    if (!area || !value)
        return search;
    if (*area != std::trunc(*area) || *value != std::trunc(*value)) {
        search.outcome = Outcome::NotWhole;
        return search;
    }
    if (number.size() < 4)
        return search;

    const QString leading = number.left(number.size() - 4);
    // The leading part of a whole number is whole itself (its fraction digits
    // are zeros); a part that reads as no number (empty, a lone sign or
    // blank) counts as 0.
    const double next = NumberText::read(leading).value_or(0.0) + 1.0;
    search.outcome = Outcome::Address;
    search.address =
        Endpoints::numberRangeSearch(areaCode, leading + QStringLiteral("0000"),
                                     QString::number(static_cast<long long>(next)) + QStringLiteral("0000"));
    return search;
}
