#include "NumberText.h"

namespace NumberText {

std::optional<double> read(const QString &text)
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
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            ++digits;
            normalised += c;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            normalised += c;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool ok = false;
    const double value = normalised.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace NumberText
