#pragma once

#include "FetchBounds.h"

#include <QString>

#include <chrono>
#include <functional>

class FatalEnd;

// Fetches one web address with a synchronous GET and returns the page's
// rendered text. Every failure is fatal: the box is shown and the program ends.
//
//     PageFetcher fetcher(fatalEnd);
//     QString text = fetcher.fetchPageText(Endpoints::ipLocation(address));
//
// A new libcurl handle is made for every call; nothing is kept between calls.
// The fetch waits on the caller's thread, within its bounds (FetchBounds): past
// any of them it fails like any other failure. While it waits it calls the
// waiting hook every WaitingInterval, and nothing else: the program's windows
// use it to paint themselves, so a slow service leaves them drawn, while no
// other handler of the program (a timer, a click) runs inside the fetch.
// The body is decoded as GBK whatever the page declares and whatever the HTTP
// status. The address goes out as the caller built it, except where a browser
// too would change it: a blank becomes %20, a non-ASCII character its UTF-8
// escapes, and a "#" starts a fragment that is not sent.
class PageFetcher
{
public:
    using WaitingHook = std::function<void()>;

    explicit PageFetcher(FatalEnd &fatalEnd, FetchBounds bounds = {}, WaitingHook whileWaiting = {});
    virtual ~PageFetcher() = default;

    virtual QString fetchPageText(const QString &url);

    // The shipped cap on the body (see FetchBounds).
    static constexpr qsizetype MaxBodyBytes = kMaxMarkupBytes;
    static constexpr std::chrono::milliseconds WaitingInterval{200};

    static constexpr const char *FatalTitle = "发生严重错误";
    static constexpr const char *FatalText =
        "在数据访问过程中发生严重错误，可能是您没有联网、带宽资源不足。程序将自动退出！";

    // The address as it goes on the request line (see above).
    static QByteArray wireAddress(const QString &url);

private:
    bool transfer(const QByteArray &address, QByteArray &body);

    FatalEnd &m_fatalEnd;
    FetchBounds m_bounds;
    WaitingHook m_whileWaiting;
};
