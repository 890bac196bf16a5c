#include "SavedPage.h"

#include <QTest>

#include <optional>

// Taking one picture's bytes out of a page saved as MHTML, the way the
// browser writes it: CR LF lines, a quoted boundary, base64 pictures.
namespace
{

QByteArray saved(const QByteArray &parts)
{
    return "From: <Saved by Blink>\r\n"
           "Subject: report\r\n"
           "MIME-Version: 1.0\r\n"
           "Content-Type: multipart/related;\r\n"
           "\ttype=\"text/html\";\r\n"
           "\tboundary=\"----MultipartBoundary--abc----\"\r\n"
           "\r\n"
           "\r\n"
           "------MultipartBoundary--abc----\r\n"
           "Content-Type: text/html\r\n"
           "Content-Transfer-Encoding: quoted-printable\r\n"
           "Content-Location: http://www.site.cn/report/\r\n"
           "\r\n"
           "<html><body><img src=3D\"http://img.site.cn/c.png\"></body></html>\r\n"
           + parts + "------MultipartBoundary--abc------\r\n";
}

QByteArray part(const QByteArray &location, const QByteArray &encoding, const QByteArray &body)
{
    return "------MultipartBoundary--abc----\r\n"
           "Content-Type: image/png\r\n"
           "Content-Transfer-Encoding: " + encoding + "\r\n"
           "Content-Location: " + location + "\r\n"
           "\r\n" + body + "\r\n";
}

} // namespace

class TestSavedPage : public QObject
{
    Q_OBJECT
private slots:
    void partFor_data();
    void partFor();
};

void TestSavedPage::partFor_data()
{
    const QByteArray picture("\x89PNG\r\n\x1a\n=\x00\xff", 11);
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("address");
    QTest::addColumn<std::optional<QByteArray>>("expected");
    const QByteArray base64 = picture.toBase64();
    QTest::newRow("base64 over several lines")
        << saved(part("http://img.site.cn/c.png", "base64", base64.left(6) + "\r\n" + base64.mid(6)))
        << "http://img.site.cn/c.png" << std::optional<QByteArray>(picture);
    QTest::newRow("the second of two pictures")
        << saved(part("http://img.site.cn/a.png", "base64", "QUFB") + part("http://img.site.cn/c.png", "base64", base64))
        << "http://img.site.cn/c.png" << std::optional<QByteArray>(picture);
    QTest::newRow("quoted-printable with a soft break")
        << saved(part("http://img.site.cn/c.png", "quoted-printable", "ab=3D=\r\ncd"))
        << "http://img.site.cn/c.png" << std::optional<QByteArray>("ab=cd");
    QTest::newRow("no part for the address")
        << saved(part("http://img.site.cn/a.png", "base64", base64)) << "http://img.site.cn/c.png"
        << std::optional<QByteArray>();
    QTest::newRow("not a multipart file") << QByteArray("<html><body>page</body></html>")
                                          << "http://img.site.cn/c.png" << std::optional<QByteArray>();
}

void TestSavedPage::partFor()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, address);
    QFETCH(std::optional<QByteArray>, expected);
    QCOMPARE(SavedPage::partFor(file, address), expected);
}

QTEST_APPLESS_MAIN(TestSavedPage)
#include "tst_savedpage.moc"
