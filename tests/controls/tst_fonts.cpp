#include "Fonts.h"

#include <QApplication>
#include <QFontInfo>
#include <QTest>

class TestFonts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Fonts::install(); }
    void substitutes_data();
    void substitutes();
    void uiFont();
};

void TestFonts::substitutes_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("resolved");
    QTest::newRow("control text") << QStringLiteral("微软雅黑") << QStringLiteral("WenQuanYi Micro Hei");
    QTest::newRow("latin text") << QStringLiteral("Verdana") << QStringLiteral("DejaVu Sans");
}

void TestFonts::substitutes()
{
    QFETCH(QString, asked);
    QFETCH(QString, resolved);
    QCOMPARE(QFontInfo(QFont(asked, 9)).family(), resolved);
    // A second install adds nothing.
    const QStringList before = QFont::substitutes(asked);
    Fonts::install();
    QCOMPARE(QFont::substitutes(asked), before);
}

void TestFonts::uiFont()
{
    const QFont regular = Fonts::ui(9);
    QCOMPARE(regular.family(), QStringLiteral("微软雅黑"));
    QCOMPARE(regular.pointSizeF(), 9.0);
    QCOMPARE(regular.weight(), QFont::Normal);
    QCOMPARE(QFontInfo(regular).family(), QStringLiteral("WenQuanYi Micro Hei"));

    const QFont tab = Fonts::ui(10.5, true);
    QCOMPARE(tab.pointSizeF(), 10.5);
    QCOMPARE(tab.weight(), QFont::Bold);
}

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
