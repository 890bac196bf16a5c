#include "PageRankChecksum.h"

#include <QTest>

// Expected checksums come from tests/services/lookup2_reference.py, a separate
// Python implementation of lookup2 over GBK codes (run it with the address to
// reproduce a row), except the first three, which are the service's own
// published examples.
class TestPageRankChecksum : public QObject
{
    Q_OBJECT
private slots:
    void checksum_data();
    void checksum();
    void characterCodes_data();
    void characterCodes();
    void wordArithmetic_data();
    void wordArithmetic();
};

void TestPageRankChecksum::checksum_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("expected");
    // Hashed text = "info:" + address, so the tail length is (5 + length) % 12.
    QTest::newRow("abc: negative hash") << "abc"
                                        << "6-1805545757";
    QTest::newRow("abcdefghijkl: one round, tail 5") << "abcdefghijkl"
                                                     << "61104228321";
    QTest::newRow("empty: info: alone") << ""
                                        << "6882688726";
    QTest::newRow("12 hashed: one round, empty tail") << "abcdefg"
                                                      << "61175743173";
    QTest::newRow("24 hashed: two rounds, empty tail") << "www.abcdefghijklmno"
                                                       << "62031307353";
    QTest::newRow("tail 1") << "www.abcd"
                            << "6-1286707150";
    QTest::newRow("tail 2") << "www.abcde"
                            << "661673590";
    QTest::newRow("tail 3") << "www.abcdef"
                            << "6228215621";
    QTest::newRow("tail 4") << "www.abcdefg"
                            << "61141569739";
    QTest::newRow("tail 5") << "www.abcdefgh"
                            << "61986635239";
    QTest::newRow("tail 6") << "www.abcdefghi"
                            << "6786283307";
    QTest::newRow("tail 7") << "www.abcdefghij"
                            << "61663117904";
    QTest::newRow("tail 8") << "www.abcdefghijk"
                            << "6-1600934135";
    QTest::newRow("tail 9: ninth code at shift 8") << "www.abcdefghijkl"
                                                   << "6-1972690442";
    QTest::newRow("tail 10") << "www.abcdefghijklm"
                             << "6634695170";
    QTest::newRow("tail 11") << "www.abcdefghijklmn"
                             << "6-421571858";
    QTest::newRow("case kept") << "WWW.Baidu.com"
                               << "6836735441";
    QTest::newRow("lower case") << "www.baidu.com"
                                << "693378947";
    QTest::newRow("one Chinese character") << QStringLiteral("中") << "6-1866345061";
    QTest::newRow("Chinese in a tail") << QStringLiteral("www.中文网址.cn") << "6413906245";
    QTest::newRow("Chinese, full round only") << QStringLiteral("中文网址中文网") << "6520155943";
    QTest::newRow("Chinese across a round") << QStringLiteral("www.中国.中国中国中国中国中国") << "617651747";
    QTest::newRow("full-width comma") << QStringLiteral("百度一下，你就知道") << "61321260569";
    QTest::newRow("Hangul is not in GBK: ?") << QStringLiteral("www.한국.kr") << "6-438378394";
    QTest::newRow("surrogate pair: two ?") << QStringLiteral("a\U0001F600b") << "6-1064038497";
}

void TestPageRankChecksum::checksum()
{
    QFETCH(QString, address);
    QFETCH(QString, expected);
    QCOMPARE(PageRankChecksum(address), expected);
}

void TestPageRankChecksum::characterCodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("code");
    QTest::newRow("ASCII letter") << "xa" << 1 << 97;
    QTest::newRow("Chinese: D6D0 as signed 16-bit") << QStringLiteral("中") << 0 << -10544;
    QTest::newRow("full-width letter: A3F7")
        << QStringLiteral("ｗ") << 0 << static_cast<int>(static_cast<qint16>(0xA3F7));
    QTest::newRow("euro: single byte 0x80") << QStringLiteral("€") << 0 << 128;
    QTest::newRow("not in GBK") << QStringLiteral("한") << 0 << 63;
    QTest::newRow("user-defined U+E000: AAA1")
        << QStringLiteral("\uE000") << 0 << static_cast<int>(static_cast<qint16>(0xAAA1));
    QTest::newRow("user-defined U+E4C6: A140")
        << QStringLiteral("\uE4C6") << 0 << static_cast<int>(static_cast<qint16>(0xA140));
    QTest::newRow("high surrogate alone") << QStringLiteral("\U0001F600") << 0 << 63;
    QTest::newRow("low surrogate alone") << QStringLiteral("\U0001F600") << 1 << 63;
}

void TestPageRankChecksum::characterCodes()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(int, code);
    QCOMPARE(CharCodeAt(text, index), code);
}

void TestPageRankChecksum::wordArithmetic_data()
{
    QTest::addColumn<quint32>("result");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("left shift drops high bits") << ShiftLeft32(0x80000001u, 1) << 2u;
    QTest::newRow("left shift by 0") << ShiftLeft32(0xDEADBEEFu, 0) << 0xDEADBEEFu;
    QTest::newRow("right shift fills zeros") << ShiftRight32(0x80000000u, 31) << 1u;
    QTest::newRow("right shift by 0") << ShiftRight32(0xDEADBEEFu, 0) << 0xDEADBEEFu;
    QTest::newRow("zero-fill right shift") << ZeroFillShiftRight(0xF0000000u, 4) << 0x0F000000u;
    QTest::newRow("add wraps") << AddUnsigned32(0xFFFFFFFFu, 2u) << 1u;
    QTest::newRow("subtract wraps") << SubUnsigned32(0u, 1u) << 0xFFFFFFFFu;
}

void TestPageRankChecksum::wordArithmetic()
{
    QFETCH(quint32, result);
    QFETCH(quint32, expected);
    QCOMPARE(result, expected);
}

QTEST_APPLESS_MAIN(TestPageRankChecksum)
#include "tst_pagerankchecksum.moc"
