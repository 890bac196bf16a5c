#include "PageFetcher.h"

#include "FatalEnd.h"
#include "GbkCodec.h"
#include "RenderedText.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

struct CurlEasyDeleter {
    void operator()(CURL *handle) const { curl_easy_cleanup(handle); }
};
struct CurlMultiDeleter {
    void operator()(CURLM *multi) const { curl_multi_cleanup(multi); }
};
struct CurlListDeleter {
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

// An easy handle added to a multi handle, taken out again before either goes.
class MultiMembership
{
public:
    MultiMembership(CURLM *multi, CURL *easy) : m_multi(multi), m_easy(easy)
    {
        m_added = curl_multi_add_handle(multi, easy) == CURLM_OK;
    }
    ~MultiMembership()
    {
        if (m_added)
            curl_multi_remove_handle(m_multi, m_easy);
    }
    MultiMembership(const MultiMembership &) = delete;
    MultiMembership &operator=(const MultiMembership &) = delete;
    bool added() const { return m_added; }

private:
    CURLM *m_multi;
    CURL *m_easy;
    bool m_added = false;
};

// What the transfer has read so far, and when it last read anything.
struct Reading {
    QByteArray body;
    qsizetype cap = 0;
    Clock::time_point lastByte;
};

size_t collectBody(char *data, size_t size, size_t count, void *userData)
{
    auto *reading = static_cast<Reading *>(userData);
    const size_t length = size * count;
    reading->lastByte = Clock::now();
    // Past the cap the transfer stops: a short count is a write error.
    if (length > static_cast<size_t>(reading->cap - reading->body.size()))
        return 0;
    reading->body.append(data, static_cast<qsizetype>(length));
    return length;
}

size_t noteHeader(char *, size_t size, size_t count, void *userData)
{
    static_cast<Reading *>(userData)->lastByte = Clock::now();
    return size * count;
}

} // namespace

PageFetcher::PageFetcher(FatalEnd &fatalEnd, FetchBounds bounds, WaitingHook whileWaiting)
    : m_fatalEnd(fatalEnd), m_bounds(bounds), m_whileWaiting(std::move(whileWaiting))
{
}

QByteArray PageFetcher::wireAddress(const QString &url)
{
    QString address = url;
    const qsizetype hash = address.indexOf(QLatin1Char('#'));
    if (hash >= 0)
        address.truncate(hash);
    static const char hex[] = "0123456789ABCDEF";
    QByteArray wire;
    const QByteArray utf8 = address.toUtf8();
    for (const char ch : utf8) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte <= 0x20 || byte >= 0x7F) {
            wire.append('%');
            wire.append(hex[byte >> 4]);
            wire.append(hex[byte & 0x0F]);
        } else {
            wire.append(ch);
        }
    }
    return wire;
}

// Drives one GET to its end on this thread. libcurl's multi interface waits
// on the socket in short slices, so the stall clock is checked and the waiting
// hook called between them; libcurl itself keeps the connect and total bounds.
bool PageFetcher::transfer(const QByteArray &address, QByteArray &body)
{
    std::unique_ptr<CURL, CurlEasyDeleter> handle(curl_easy_init());
    std::unique_ptr<CURLM, CurlMultiDeleter> multi(curl_multi_init());
    std::unique_ptr<curl_slist, CurlListDeleter> headers(
        curl_slist_append(nullptr, "CONTENT-TYPE: application/x-www-form-urlencoded"));
    if (!handle || !multi || !headers)
        return false;
    Reading reading;
    reading.cap = m_bounds.maxBodyBytes;
    CURL *h = handle.get();
    curl_easy_setopt(h, CURLOPT_URL, address.constData());
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    // The path goes out as built: "//search" and "/./" are not tidied.
    curl_easy_setopt(h, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_bounds.connect.count()));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(m_bounds.total.count()));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, collectBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &reading);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, noteHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &reading);

    const MultiMembership membership(multi.get(), h);
    if (!membership.added())
        return false;
    // The stall clock starts once the connection is made: until then the
    // connect bound is the one that counts.
    bool connected = false;
    Clock::time_point nextWaitingCall = Clock::now() + WaitingInterval;
    int running = 1;
    while (true) {
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK)
            return false;
        if (running == 0)
            break;
        const Clock::time_point now = Clock::now();
        if (!connected) {
            curl_off_t connectedAt = 0;
            if (curl_easy_getinfo(h, CURLINFO_CONNECT_TIME_T, &connectedAt) == CURLE_OK && connectedAt > 0) {
                connected = true;
                reading.lastByte = now;
            }
        } else if (now - reading.lastByte >= m_bounds.stall) {
            return false;
        }
        if (m_whileWaiting && now >= nextWaitingCall) {
            m_whileWaiting();
            nextWaitingCall = Clock::now() + WaitingInterval;
        }
        const auto slice = std::chrono::duration_cast<std::chrono::milliseconds>(nextWaitingCall - Clock::now());
        const int sliceMs = static_cast<int>(std::clamp<qint64>(slice.count(), 1, WaitingInterval.count()));
        if (curl_multi_poll(multi.get(), nullptr, 0, sliceMs, nullptr) != CURLM_OK)
            return false;
    }
    int queued = 0;
    bool ok = false;
    while (const CURLMsg *message = curl_multi_info_read(multi.get(), &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == h)
            ok = message->data.result == CURLE_OK;
    }
    if (ok)
        body = std::move(reading.body);
    return ok;
}

QString PageFetcher::fetchPageText(const QString &url)
{
    QByteArray body;
    if (!transfer(wireAddress(url), body))
        m_fatalEnd.showAndEnd(FatalTitle, FatalText);
    QString markup = Gbk::decode(body);
    body = QByteArray(); // the bytes are not needed while the page renders
    return RenderInnerText(markup);
}
