// The user manual as typeset into the program folder, read back from the PDF
// with pdftotext: the tips the Markdown source could swallow must be there
// whole, and the text must link nowhere.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace
{

QString manualPath()
{
    return qEnvironmentVariable("KORDELVANE_PROGRAM_DIR") + QStringLiteral("/使用说明书.pdf");
}

// Line breaks and blanks fall where the page is full; compared without them.
QString withoutBlanks(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s+")));
}

} // namespace

class TestManualText : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void tipIsWhole_data();
    void tipIsWhole();
    void linksNowhere();

private:
    QString m_text;
};

void TestManualText::initTestCase()
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), manualPath(),
                                                  QStringLiteral("-")});
    QVERIFY2(pdftotext.waitForStarted(), "pdftotext (poppler-utils) is not installed");
    QVERIFY(pdftotext.waitForFinished(60000));
    QCOMPARE(pdftotext.exitCode(), 0);
    m_text = withoutBlanks(QString::fromUtf8(pdftotext.readAllStandardOutput()));
    // The reading itself works: the title is there.
    QVERIFY(m_text.contains(QStringLiteral("使用说明书")));
}

void TestManualText::tipIsWhole_data()
{
    QTest::addColumn<QString>("tip");
    QTest::newRow("IP tool's hidden last part")
        << QStringLiteral("IP地址的最后一段在隐藏的情况下可以用一个“*”代替，例如 61.144.56.*。结果中“标准位置”");
    QTest::newRow("host lookup's example")
        << QStringLiteral("（不要带 http://，例如 www.example.com），点击“查询”。软件解析该主机的IP地址");
    QTest::newRow("whois example") << QStringLiteral("输入网站的域名（例如 example.com），点击“查询”");
    // The file panel's buttons as they read.
    QTest::newRow("file panel's buttons")
        << QStringLiteral("点击“查询”选择一个文件，软件会立即检查该文件是否带有有效的数字签名；"
                          "也可以点击“验证MD5”或“验证SHA1”计算文件的 MD5 值或 SHA1 值");
    QTest::newRow("URL-safety report button") << QStringLiteral("可以点击“举报该网站”按钮，直接打开举报窗口。");
    QTest::newRow("report window's button") << QStringLiteral("您的 Email 和验证码，点击“举报”，即可向网址安全机构举报该网站");
}

void TestManualText::tipIsWhole()
{
    QFETCH(QString, tip);
    QVERIFY2(m_text.contains(withoutBlanks(tip)), qPrintable(tip));
}

void TestManualText::linksNowhere()
{
    // A bare address taken for a link becomes a link annotation, and the
    // rest of its paragraph link text.
    QFile manual(manualPath());
    QVERIFY(manual.open(QIODevice::ReadOnly));
    const QByteArray pdf = manual.readAll();
    QVERIFY(!pdf.contains("/URI"));
    QVERIFY(!pdf.contains("/Link"));
}

QTEST_GUILESS_MAIN(TestManualText)
#include "tst_manualtext.moc"
