#include "BarcodeCheck.h"

#include <QTest>

// The EAN-13 check digit on its own.
class TestBarcodeCheck : public QObject
{
    Q_OBJECT
private slots:
    void checkDigit_data();
    void checkDigit();
};

void TestBarcodeCheck::checkDigit_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("sum");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("valid");
    QTest::newRow("6901234567892") << "6901234567892" << 128 << 2 << true;
    QTest::newRow("last digit one too high") << "6901234567893" << 128 << 2 << false;
    QTest::newRow("sum a multiple of 10, check 0") << "6901234567830" << 110 << 0 << true;
    QTest::newRow("sum a multiple of 10, check 9 is wrong") << "6901234567839" << 110 << 0 << false;
    QTest::newRow("all zeros") << "0000000000000" << 0 << 0 << true;
    QTest::newRow("all nines") << "9999999999994" << 216 << 4 << true;
    QTest::newRow("letter in a triple place counts 0") << "69012345678A9" << 101 << 9 << true;
    QTest::newRow("letter in a single place counts 0") << "A901234567892" << 122 << 8 << false;
    QTest::newRow("sign counts 0") << "-901234567898" << 122 << 8 << true;
    QTest::newRow("blank counts 0") << " 901234567898" << 122 << 8 << true;
    QTest::newRow("full-width digit counts 0") << QStringLiteral("６901234567898") << 122 << 8 << true;
    QTest::newRow("letter as the check character counts 0") << "690123456783X" << 110 << 0 << true;
    QTest::newRow("12 characters is never valid") << "690123456783" << 110 << 0 << false;
}

void TestBarcodeCheck::checkDigit()
{
    QFETCH(QString, code);
    QFETCH(int, sum);
    QFETCH(int, expected);
    QFETCH(bool, valid);
    QCOMPARE(BarcodeCheck::weightedSum(code), sum);
    QCOMPARE(BarcodeCheck::expectedCheckDigit(code), expected);
    QCOMPARE(BarcodeCheck::hasValidCheckDigit(code), valid);
}

QTEST_APPLESS_MAIN(TestBarcodeCheck)
#include "tst_barcodecheck.moc"
