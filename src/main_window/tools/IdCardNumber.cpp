#include "IdCardNumber.h"

#include "NumberText.h"
#include "PageText.h"

#include <cmath>

namespace IdCardNumber
{

Form checkForm(const QString &typed)
{
    const std::optional<double> value = NumberText::read(typed.left(17));
    if (!value)
        throw NotANumber();
    if (typed.size() != 18 || *value != std::floor(*value))
        return Form::Refused;
    return Form::Accepted;
}

int digitValue(QChar c)
{
    if (c < QLatin1Char('0') || c > QLatin1Char('9'))
        throw NotANumber();
    return c.unicode() - '0';
}

QChar expectedCheckCharacter(const QString &number)
{
    int sum = 0;
    for (int i = 0; i < 17; ++i)
        sum += digitValue(number.at(i)) * Weights[i];
    return QLatin1Char(CheckCharacters[sum % 11]);
}

Verdict verdict(const QString &number)
{
    const QChar expected = expectedCheckCharacter(number);
    const QChar last = number.at(17);
    const QChar x = QLatin1Char('X');
    if (last == x && expected == x)
        return Verdict::Passed;
    if (last != x && expected == x)
        return Verdict::Failed;
    if (last == x)
        return Verdict::Failed;
    if (digitValue(last) != digitValue(expected))
        return Verdict::Failed;
    if (number.mid(6, 4).toInt() < 1900)
        return Verdict::Failed;
    return Verdict::Passed;
}

QString sexText(const QString &number)
{
    return digitValue(number.at(16)) % 2 == 1 ? QStringLiteral("性别：男") : QStringLiteral("性别：女");
}

QString birthDateText(const QString &number)
{
    return QStringLiteral("出生日期：") + number.mid(6, 4) + QStringLiteral("年") + number.mid(10, 2) +
           QStringLiteral("月") + number.mid(12, 2) + QStringLiteral("日");
}

QString issuingPlace(const QString &page, LookupState &state)
{
    // The sums are taken in 32 bits and then held to 16: a marker beyond
    // 32767 overflows here.
    const int place = FindTextPos(PlaceMarker, page);
    state.CutStart = place + 6;
    state.CutEnd = FindTextPos(PlaceEndMarker, page);
    if (state.CutEnd == 0)
        state.CutEnd = FindTextPos(PlaceEndMarker2, page) - 7;
    return Cut(page, state.CutStart, state.CutEnd);
}

} // namespace IdCardNumber
