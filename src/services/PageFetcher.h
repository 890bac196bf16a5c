#pragma once

#include "PageLimits.h"

#include <QString>

class FatalEnd;

// Fetches one web address with a synchronous GET and returns the page's
// rendered text. Every failure is fatal: the box is shown and the program ends.
//
//     PageFetcher fetcher(fatalEnd);
//     QString text = fetcher.fetchPageText(Endpoints::ipLocation(address));
//
// A new libcurl handle is made for every call; nothing is kept between calls.
// The body is decoded as GBK whatever the page declares and whatever the HTTP
// status. The address goes out as the caller built it, except where a browser
// too would change it: a blank becomes %20, a non-ASCII character its UTF-8
// escapes, and a "#" starts a fragment that is not sent.
class PageFetcher
{
public:
    explicit PageFetcher(FatalEnd &fatalEnd);
    virtual ~PageFetcher() = default;

    virtual QString fetchPageText(const QString &url);

    // A body longer than this is a failure like any other: no service page
    // comes near it, and no cut can use a position past 32767 anyway.
    static constexpr qsizetype MaxBodyBytes = kMaxPageBytes;

    static constexpr const char *FatalTitle = "发生严重错误";
    static constexpr const char *FatalText =
        "在数据访问过程中发生严重错误，可能是您没有联网、带宽资源不足。程序将自动退出！";

    // The address as it goes on the request line (see above).
    static QByteArray wireAddress(const QString &url);

private:
    FatalEnd &m_fatalEnd;
};
