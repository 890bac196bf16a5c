#pragma once

#include "PageText.h"

#include <QString>

class PageFetcher;

// The IP-location service's answer for one address, shared by the IP tool,
// the host tool and the start-up window.
namespace IpLocation {

inline const QString StartMarker = QStringLiteral("本站主数据：");
inline const QString EndMarker =
    QStringLiteral("如果您发现查询结果不详细或不正确，请使用IP数据库自助添加功能进行修正");

// The answer page's rendered text for address, sent exactly as given ("*"
// included). A transport failure ends the program inside the fetch.
QString request(PageFetcher &fetcher, const QString &address);

// The location lines: from the start marker (kept) up to the four characters
// before the end marker (dropped). Sets cutEnd to the start marker's position
// and cutEnd2 to the end marker's position - 4, in that order.
// A missing marker or an end before the start raises InvalidArgumentError; a
// position or length outside 16 bits raises OverflowError.
QString cut(const QString &pageText, Pos16 &cutEnd, Pos16 &cutEnd2);

// "本站主数据：" becomes "标准位置：", then "参考数据" becomes "变化参考位置",
// everywhere in text.
QString rewrite(QString text);

} // namespace IpLocation
