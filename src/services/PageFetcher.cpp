#include "PageFetcher.h"

#include "FatalEnd.h"
#include "GbkCodec.h"
#include "RenderedText.h"

#include <curl/curl.h>
#include <memory>

namespace {

struct CurlEasyDeleter {
    void operator()(CURL *handle) const { curl_easy_cleanup(handle); }
};
struct CurlListDeleter {
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

size_t collectBody(char *data, size_t size, size_t count, void *userData)
{
    auto *body = static_cast<QByteArray *>(userData);
    const size_t length = size * count;
    // Past the cap the transfer stops: a short count is a write error.
    if (length > static_cast<size_t>(PageFetcher::MaxBodyBytes - body->size()))
        return 0;
    body->append(data, static_cast<qsizetype>(length));
    return length;
}

} // namespace

PageFetcher::PageFetcher(FatalEnd &fatalEnd) : m_fatalEnd(fatalEnd) {}

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

QString PageFetcher::fetchPageText(const QString &url)
{
    QByteArray body;
    bool ok = false;
    {
        std::unique_ptr<CURL, CurlEasyDeleter> handle(curl_easy_init());
        if (handle) {
            const QByteArray address = wireAddress(url);
            std::unique_ptr<curl_slist, CurlListDeleter> headers(
                curl_slist_append(nullptr, "CONTENT-TYPE: application/x-www-form-urlencoded"));
            CURL *h = handle.get();
            curl_easy_setopt(h, CURLOPT_URL, address.constData());
            curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
            curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
            // The path goes out as built: "//search" and "/./" are not tidied.
            curl_easy_setopt(h, CURLOPT_PATH_AS_IS, 1L);
            curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
            curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, collectBody);
            curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
            ok = headers && curl_easy_perform(h) == CURLE_OK;
        }
    }
    if (!ok)
        m_fatalEnd.showAndEnd(FatalTitle, FatalText);
    QString markup = Gbk::decode(body);
    body = QByteArray(); // the bytes are not needed while the page renders
    return RenderInnerText(markup);
}
