#include "NumberRangeSearch.h"

#include <QTest>

// The upper bound of the range search is the leading digits' value plus 1,
// written out in full: the panel's box holds 8 characters, but the rule has
// no length of its own, so it is counted on the digits, never in an integer
// that a long number would overflow.
class TestNumberRangeSearch : public QObject
{
    Q_OBJECT
private slots:
    void nextAbove_data();
    void nextAbove();
    void longNumberGivesTheWholeRange();
};

void TestNumberRangeSearch::nextAbove_data()
{
    QTest::addColumn<QString>("leading");
    QTest::addColumn<QString>("next");
    QTest::newRow("empty counts as 0") << "" << "1";
    QTest::newRow("lone sign counts as 0") << "-" << "1";
    QTest::newRow("leading zeros dropped") << "0123" << "124";
    QTest::newRow("9s roll over") << "9999" << "10000";
    QTest::newRow("thirty 1s") << QString(30, u'1') << QString(29, u'1') + "2";
    QTest::newRow("forty 9s") << QString(40, u'9') << "1" + QString(40, u'0');
    QTest::newRow("9s after other digits") << "12" + QString(30, u'9') << "13" + QString(30, u'0');
    QTest::newRow("negative counts towards 0") << "-1234" << "-1233";
    QTest::newRow("minus 1 gives 0") << "-1" << "0";
    QTest::newRow("negative with 0s to borrow") << "-" + QString("1") + QString(25, u'0') << "-" + QString(25, u'9');
    QTest::newRow("minus zero gives 1") << "-0" << "1";
    QTest::newRow("zero fraction") << "5.0" << "6";
    QTest::newRow("blanks around") << " 12" << "13";
}

void TestNumberRangeSearch::nextAbove()
{
    QFETCH(QString, leading);
    QFETCH(QString, next);
    QCOMPARE(NumberRangeSearch::nextAbove(leading), next);
}

void TestNumberRangeSearch::longNumberGivesTheWholeRange()
{
    const NumberRangeSearch search = NumberRangeSearch::from(QStringLiteral("010"), QString(30, u'1'));
    QCOMPARE(search.outcome, NumberRangeSearch::Outcome::Address);
    QVERIFY2(search.address.endsWith(QStringLiteral("+010+") + QString(26, u'1') + QStringLiteral("0000...") +
                                     QString(25, u'1') + QStringLiteral("20000")),
             qPrintable(search.address));
}

QTEST_APPLESS_MAIN(TestNumberRangeSearch)
#include "tst_numberrangesearch.moc"
