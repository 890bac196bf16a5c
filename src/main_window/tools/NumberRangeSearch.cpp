#include "NumberRangeSearch.h"

#include "Endpoints.h"
#include "NumberText.h"

#include <cmath>

namespace {

// A run of decimal digits plus 1, digit by digit, so no length overflows.
QString incremented(QString digits)
{
    qsizetype i = digits.size() - 1;
    for (; i >= 0 && digits.at(i) == u'9'; --i)
        digits[i] = u'0';
    if (i < 0)
        digits.prepend(u'1');
    else
        digits[i] = QChar(digits.at(i).unicode() + 1);
    return digits;
}

// A run of decimal digits above 0, minus 1.
QString decremented(QString digits)
{
    qsizetype i = digits.size() - 1;
    for (; i >= 0 && digits.at(i) == u'0'; --i)
        digits[i] = u'9';
    digits[i] = QChar(digits.at(i).unicode() - 1);
    return digits;
}

QString withoutLeadingZeros(const QString &digits)
{
    qsizetype i = 0;
    while (i + 1 < digits.size() && digits.at(i) == u'0')
        ++i;
    return digits.mid(i);
}

} // namespace

QString NumberRangeSearch::nextAbove(const QString &leading)
{
    // A part that reads as no number (empty, a lone sign or blank) counts as 0.
    const auto value = NumberText::read(leading);
    if (!value)
        return QStringLiteral("1");
    // The text is a number: blanks, a sign, digits and at most one point.
    const QString t = leading.trimmed();
    const bool negative = t.startsWith(u'-');
    QString whole;
    QString fraction;
    bool point = false;
    for (const QChar c : t) {
        if (c == u'.')
            point = true;
        else if (c.isDigit())
            (point ? fraction : whole) += c;
    }
    if (fraction.count(u'0') != fraction.size()) {
        // A fraction, which the leading digits of a whole number do not have
        // to the last digit: the value's whole part after adding 1.
        return QString::number(std::trunc(*value + 1.0), 'f', 0);
    }
    whole = withoutLeadingZeros(whole.isEmpty() ? QStringLiteral("0") : whole);
    if (!negative || whole == u"0")
        return incremented(whole);
    const QString below = withoutLeadingZeros(decremented(whole));
    return below == u"0" ? below : QStringLiteral("-") + below;
}

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
    search.outcome = Outcome::Address;
    search.address = Endpoints::numberRangeSearch(areaCode, leading + QStringLiteral("0000"),
                                                  nextAbove(leading) + QStringLiteral("0000"));
    return search;
}
