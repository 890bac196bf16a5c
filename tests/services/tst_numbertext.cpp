#include "NumberText.h"

#include <QTest>

class TestNumberText : public QObject
{
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void readWithExponent_data();
    void readWithExponent();
};

void TestNumberText::read_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");
    QTest::newRow("digits") << "13800138000" << true << 13800138000.0;
    QTest::newRow("blanks around") << "  12 " << true << 12.0;
    QTest::newRow("plus sign") << "+7" << true << 7.0;
    QTest::newRow("minus sign") << "-1" << true << -1.0;
    QTest::newRow("sign then blank") << "- 3" << true << -3.0;
    QTest::newRow("decimal") << "2.5" << true << 2.5;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "5." << true << 5.0;
    QTest::newRow("17 digits stay whole") << "11010519491231002" << true << 11010519491231002.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << "   " << false << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("letter") << "12a" << false << 0.0;
    QTest::newRow("leading letter") << "x12" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("inner blank") << "1 2" << false << 0.0;
    QTest::newRow("exponent") << "1e5" << false << 0.0;
    QTest::newRow("thousands separator") << "1,234" << false << 0.0;
    QTest::newRow("hexadecimal") << "&H10" << false << 0.0;
    QTest::newRow("0x prefix") << "0x10" << false << 0.0;
    QTest::newRow("full-width digits") << QStringLiteral("１２") << false << 0.0;
}

void TestNumberText::read()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    const auto got = NumberText::read(text);
    QCOMPARE(got.has_value(), numeric);
    if (numeric)
        QCOMPARE(*got, value);
}

void TestNumberText::readWithExponent_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");
    QTest::newRow("digits") << "6901234567892" << true << 6901234567892.0;
    QTest::newRow("barcode-long exponent") << "1234567890E12" << true << 1234567890e12;
    QTest::newRow("lower-case e") << "1e5" << true << 1e5;
    QTest::newRow("signed exponent") << "2.5E-3" << true << 2.5e-3;
    QTest::newRow("signs everywhere") << " -1e+2 " << true << -100.0;
    QTest::newRow("leading point") << ".5e1" << true << 5.0;
    QTest::newRow("decimal without exponent") << "-2.5" << true << -2.5;
    QTest::newRow("exponent without digits") << "1e" << false << 0.0;
    QTest::newRow("exponent sign alone") << "1e+" << false << 0.0;
    QTest::newRow("exponent without mantissa") << "e5" << false << 0.0;
    QTest::newRow("point in the exponent") << "1e5.5" << false << 0.0;
    QTest::newRow("blank in the exponent") << "1e 5" << false << 0.0;
    QTest::newRow("two exponents") << "1e5e5" << false << 0.0;
    QTest::newRow("too large") << "1E99999999999" << false << 0.0;
    QTest::newRow("letter") << "69012345678A9" << false << 0.0;
    QTest::newRow("thousands separator") << "1,234" << false << 0.0;
    QTest::newRow("hexadecimal") << "&H10" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
}

void TestNumberText::readWithExponent()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    const auto got = NumberText::readWithExponent(text);
    QCOMPARE(got.has_value(), numeric);
    if (numeric)
        QCOMPARE(*got, value);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
