#include "PageText.h"

#include <QTest>

class TestPageText : public QObject
{
    Q_OBJECT
private slots:
    void findTextPos_data();
    void findTextPos();
    void cut_data();
    void cut();
    void mid_data();
    void mid();
    void pos16Overflow();
};

void TestPageText::findTextPos_data()
{
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("first occurrence") << "abc" << "xxabcabc" << 3;
    QTest::newRow("case counts") << "ABC" << "xxabc" << 0;
    QTest::newRow("marker longer than text") << "abcdef" << "abc" << 0;
    QTest::newRow("empty text") << "a" << "" << 0;
    QTest::newRow("empty marker, empty text") << "" << "" << 0;
    QTest::newRow("empty marker") << "" << "xyz" << 1;
    QTest::newRow("at the start") << "ab" << "abcd" << 1;
    QTest::newRow("ends at the last character") << "cd" << "abcd" << 3;
    QTest::newRow("own-address line") << "[" << QStringLiteral("您的IP地址是：[1.2.3.4]") << 9;
    QTest::newRow("Chinese marker") << QStringLiteral("本站主数据：") << QStringLiteral("ab本站主数据：x") << 3;
}

void TestPageText::findTextPos()
{
    QFETCH(QString, marker);
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(FindTextPos(marker, text), expected);
}

enum class CutOutcome { Value, Invalid, Overflow };
Q_DECLARE_METATYPE(CutOutcome)

void TestPageText::cut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("open");
    QTest::addColumn<int>("openOffset");
    QTest::addColumn<QString>("close");
    QTest::addColumn<int>("closeOffset");
    QTest::addColumn<CutOutcome>("outcome");
    QTest::addColumn<QString>("value");
    QTest::newRow("ab[cd]ef") << "ab[cd]ef" << "[" << 1 << "]" << 0 << CutOutcome::Value << "cd";
    QTest::newRow("open missing: starts at the offset") << "abcd]ef" << "[" << 1 << "]" << 0 << CutOutcome::Value << "abcd";
    QTest::newRow("open missing, offset 0") << "abcd]ef" << "[" << 0 << "]" << 0 << CutOutcome::Invalid << "";
    QTest::newRow("close missing: negative length") << "ab[cdef" << "[" << 1 << "]" << 0 << CutOutcome::Invalid << "";
    QTest::newRow("close before open") << "ab]c[d" << "[" << 1 << "]" << 0 << CutOutcome::Invalid << "";
    QTest::newRow("marker beyond 32767") << QString(32767, QLatin1Char('x')) + "[cd]" << "[" << 1 << "]" << 0
                                         << CutOutcome::Overflow << "";
    QTest::newRow("marker at 32767, offset overflows") << QString(32766, QLatin1Char('x')) + "[cd]" << "[" << 1 << "]"
                                                       << 0 << CutOutcome::Overflow << "";
    // The offset is added before the 16-bit check: a closing marker past
    // 32767 fits once its negative offset brings the end back.
    QTest::newRow("close at 32768, offset -1") << "[cd" + QString(32764, QLatin1Char('x')) + "]" << "[" << 1 << "]"
                                               << -1 << CutOutcome::Value << "cd" + QString(32763, QLatin1Char('x'));
    QTest::newRow("close at 32769, offset -1") << "[cd" + QString(32765, QLatin1Char('x')) + "]" << "[" << 1 << "]"
                                               << -1 << CutOutcome::Overflow << "";
}

void TestPageText::cut()
{
    QFETCH(QString, text);
    QFETCH(QString, open);
    QFETCH(int, openOffset);
    QFETCH(QString, close);
    QFETCH(int, closeOffset);
    QFETCH(CutOutcome, outcome);
    QFETCH(QString, value);
    CutOutcome got = CutOutcome::Value;
    QString result;
    try {
        const Pos16 start = OffsetPosition(FindTextPos(open, text), openOffset);
        const Pos16 end = OffsetPosition(FindTextPos(close, text), closeOffset);
        result = Cut(text, start, end);
    } catch (const OverflowError &) {
        got = CutOutcome::Overflow;
    } catch (const InvalidArgumentError &) {
        got = CutOutcome::Invalid;
    }
    QCOMPARE(got, outcome);
    QCOMPARE(result, value);
}

void TestPageText::mid_data()
{
    QTest::addColumn<long long>("start");
    QTest::addColumn<long long>("length");
    QTest::addColumn<bool>("invalid");
    QTest::addColumn<QString>("value");
    QTest::newRow("inside") << 2LL << 3LL << false << "bcd";
    QTest::newRow("start beyond the end") << 7LL << 2LL << false << "";
    QTest::newRow("start just past the end") << 7LL << 0LL << false << "";
    QTest::newRow("length past the end") << 4LL << 100LL << false << "def";
    QTest::newRow("zero length") << 3LL << 0LL << false << "";
    QTest::newRow("start 0") << 0LL << 1LL << true << "";
    QTest::newRow("negative start") << -3LL << 1LL << true << "";
    QTest::newRow("negative length") << 2LL << -1LL << true << "";
}

void TestPageText::mid()
{
    QFETCH(long long, start);
    QFETCH(long long, length);
    QFETCH(bool, invalid);
    QFETCH(QString, value);
    const QString text = QStringLiteral("abcdef");
    if (invalid) {
        QVERIFY_THROWS_EXCEPTION(InvalidArgumentError, Mid(text, start, length));
        return;
    }
    QCOMPARE(Mid(text, start, length), value);
}

void TestPageText::pos16Overflow()
{
    QVERIFY_THROWS_EXCEPTION(OverflowError, Pos16(32768));
    QVERIFY_THROWS_EXCEPTION(OverflowError, Pos16(-32769));
    QVERIFY_THROWS_EXCEPTION(OverflowError, Pos16(32767) + 1);
    QVERIFY_THROWS_EXCEPTION(OverflowError, Pos16(-32768) - 1);
    QVERIFY_THROWS_EXCEPTION(OverflowError, Pos16(-32768) - Pos16(1));
    QCOMPARE(int(Pos16(32767) - Pos16(32767)), 0);
    QCOMPARE(int(Pos16(-32768) + 32767), -1);
}

QTEST_GUILESS_MAIN(TestPageText)
#include "tst_pagetext.moc"
