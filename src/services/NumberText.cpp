#include "NumberText.h"

#include <cmath>

namespace NumberText {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

std::optional<double> parse(const QString &text, bool exponentAllowed)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    // Blanks between the sign and the digits are allowed, as the old
    // conversion allowed them.
    while (i < t.size() && t[i] == QLatin1Char(' '))
        ++i;
    qsizetype digits = 0;
    bool point = false;
    QString normalised = t.left(1) == QLatin1String("-") ? QStringLiteral("-") : QString();
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (isDigit(c)) {
            ++digits;
            normalised += c;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            normalised += c;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < t.size()) {
        // Only an exponent may follow the digits, and only where allowed.
        if (!exponentAllowed || (t[i] != QLatin1Char('e') && t[i] != QLatin1Char('E')))
            return std::nullopt;
        normalised += QLatin1Char('e');
        ++i;
        if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            normalised += t[i++];
        qsizetype exponentDigits = 0;
        for (; i < t.size() && isDigit(t[i]); ++i, ++exponentDigits)
            normalised += t[i];
        if (exponentDigits == 0 || i < t.size())
            return std::nullopt;
    }
    bool ok = false;
    const double value = normalised.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> read(const QString &text)
{
    return parse(text, false);
}

std::optional<double> readWithExponent(const QString &text)
{
    return parse(text, true);
}

} // namespace NumberText
