#include "UsageLine.h"

#include "PageText.h"

#include <cmath>

namespace UsageLine {

QString figureText(const QString &pageText)
{
    // 32-bit positions here: only a negative length or start stops the cut.
    const long long start = FindTextPos(QStringLiteral("#Start#"), pageText) + 7LL;
    const long long end = FindTextPos(QStringLiteral("#End#"), pageText);
    if (end - start < 0)
        return QString();
    return Mid(pageText, start, end - start);
}

double readFigure(const QString &figureText)
{
    QString kept;
    for (const QChar c : figureText) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            kept += c;
    }
    qsizetype i = 0;
    QString number;
    if (i < kept.size() && (kept[i] == QLatin1Char('+') || kept[i] == QLatin1Char('-')))
        number += kept[i++];
    bool point = false;
    bool digits = false;
    for (; i < kept.size(); ++i) {
        const QChar c = kept[i];
        if (c.isDigit() && c.unicode() < 128) {
            digits = true;
            number += c;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    return digits ? number.toDouble() : 0.0;
}

QString number(double r, double figure)
{
    const double n = std::floor(r * 1000 + 1) + figure;
    if (n == std::floor(n) && std::fabs(n) < 1e15)
        return QString::number(static_cast<long long>(n));
    return QString::number(n, 'g', 15);
}

QString text(const QString &number)
{
    return QStringLiteral("上周共有 ") + number + QStringLiteral(" 位网友使用过增值服务");
}

} // namespace UsageLine
