#pragma once

#include <QString>

// The paid-services box's usage line: the figure the maker publishes between
// "#Start#" and "#End#" plus a pseudo-random whole number from 1 to 1000.
namespace UsageLine {

// The figure text of the usage page. A page whose cut cannot be made (no
// "#End#", or "#End#" before the end of "#Start#") gives "".
QString figureText(const QString &pageText);

// The leading decimal number of the text; blanks, tabs, CR and LF anywhere
// are passed over; a text without a leading number reads 0.
double readFigure(const QString &figureText);

// floor(r * 1000 + 1) + figure, in the general number format.
QString number(double r, double figure);

// "上周共有 " + number + " 位网友使用过增值服务"
QString text(const QString &number);

} // namespace UsageLine
