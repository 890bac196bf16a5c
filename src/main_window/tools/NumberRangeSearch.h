#pragma once

#include <QString>

// The web search for the numbers that share a fixed-line number's leading
// digits: area code 010 with number 88888888 searches 010 and the range
// 88880000...88890000.
struct NumberRangeSearch {
    enum class Outcome {
        Address,  // address holds the search to open
        NotWhole, // a number with a fraction: "区号和电话号码必须是数字！"
        Failure,  // not a number at all, or shorter than 4 characters: "出现未知错误！"
    };
    Outcome outcome = Outcome::Failure;
    QString address;

    // Both texts must be numbers (NumberText) equal to their whole parts.
    // The leading digits are the number without its last 4 characters, as
    // typed; the upper bound is their value plus 1 as a plain decimal (an
    // empty leading part counts as 0, leading zeros are not kept).
    static NumberRangeSearch from(const QString &areaCode, const QString &number);

    // The leading digits' value plus 1 as a plain decimal, exact at any length.
    static QString nextAbove(const QString &leading);
};
