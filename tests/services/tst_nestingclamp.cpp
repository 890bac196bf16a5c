#include "NestingClamp.h"

#include <QTest>

// The pass may only ever leave out start tags past the limit, and
// attributes: each row shows what it must keep (text, comments, raw text, the
// attributes the text depends on) and what counts as still open, with a limit
// small enough to see.
class TestNestingClamp : public QObject
{
    Q_OBJECT
private slots:
    void clamp_data();
    void clamp();
};

void TestNestingClamp::clamp_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<int>("maxDepth");
    QTest::addColumn<QString>("expected");

    QTest::newRow("start tag past the limit goes, its text stays") << "<div><div>a</div>b</div>" << 1
                                                                  << "<div>a</div>b</div>";
    QTest::newRow("unclosed bold past the limit") << "<b>1<b>2<b>3" << 2 << "<b>1<b>23";
    QTest::newRow("closed elements do not add up") << "<p>a</p><p>b</p><div>c</div>" << 1
                                                   << "<p>a</p><p>b</p><div>c</div>";
    QTest::newRow("a paragraph ends the open one") << "<p>a<p>b<p>c" << 1 << "<p>a<p>b<p>c";
    QTest::newRow("list items end the open one") << "<ul><li>a<li>b<li>c</ul>" << 2 << "<ul><li>a<li>b<li>c</ul>";
    QTest::newRow("cells and rows end the open ones") << "<table><tr><td>a<td>b<tr><td>c</table>" << 3
                                                      << "<table><tr><td>a<td>b<tr><td>c</table>";
    QTest::newRow("void elements never count") << "<div><br><img src=a><hr>x" << 1 << "<div><br><img><hr>x";
    QTest::newRow("a tag inside a comment is text of the comment") << "<div><!-- <div> -->x<!--><div>" << 1
                                                                     << "<div><!-- <div> -->x<!-->";
    QTest::newRow("a > inside a quoted value") << "<div title=\"a>b<div>\">x<div>y" << 1 << "<div>xy";
    QTest::newRow("tags lose attributes and slashes, end tags too")
        << "<div id=a class=\"b c\"><p style=x/>t</p title=y><br/></div a b=\">\">" << 512 << "<div><p>t</p><br></div>";
    QTest::newRow("html and body tags lose attributes") << "<html a><body b=1>x<html c><BODY d>" << 512
                                                        << "<html><body>x<html><BODY>";
    // A hidden input in a table stays in it, and the parser writes out an
    // isindex's prompt; the first of two alike is the one it reads.
    QTest::newRow("an input keeps its first type, an isindex its first prompt")
        << "<input value=v Type = \"hidden\" type=text/><isindex action=a prompt='p>q' PROMPT=r><img type=x>" << 512
        << "<input Type = \"hidden\"><isindex prompt='p>q'><img>";
    QTest::newRow("raw text tags lose attributes, an end tag's quoted > included")
        << "<script src=x>1</script a=\">\">y<style media=z>a<b</STYLE q>" << 512
        << "<script>1</script>y<style>a&lt;b</STYLE>";
    QTest::newRow("raw text kept at any depth") << "<div><script>1</script><xmp>b</xmp><style>*{}</style>" << 1
                                                << "<div><script>1</script><xmp>b</xmp><style>*{}</style>";
    // Inside a select the parser drops these start tags and reads their
    // content as markup, so no "<" of it reaches the parser as "<".
    QTest::newRow("a raw text's markup goes as text") << "<script><div></script><style>a<b</style>" << 512
                                                      << "<script>&lt;div></script><style>a&lt;b</style>";
    QTest::newRow("shown raw text becomes the same characters")
        << "<xmp><b>&</xmp><plaintext>\n<i>" << 512 << "<pre>\n&lt;b>&amp;</pre><pre>\n\n&lt;i></pre>";
    QTest::newRow("unclosed raw text to the end, as text") << "<select><style></select>" + QString("<div>").repeated(3)
                                                           << 1 << "<select><style>&lt;/select>&lt;div>&lt;div>&lt;div>";
    QTest::newRow("formatting elements go without attributes, past eight since a cell at all")
        << QString("<b id=1>").repeated(10) + "<td>" + QString("<i class=x>").repeated(9) + "<a href='y'>z</a>" << 512
        << QString("<b>").repeated(8) + "<td>" + QString("<i>").repeated(8) + "z</a>";
    QTest::newRow("a formatting tag keeps its name as written") << "<A HREF=x>y</A><fOnT color=red>z" << 512
                                                                << "<A>y</A><fOnT>z";
    QTest::newRow("span closed across a div stays open") << "<span><div></span><i>x" << 2 << "<span><div></span>x";
    QTest::newRow("SVG goes as its tag; CDATA is then a bogus comment") << "<svg><![CDATA[<b>&]]></svg><b>x" << 1
                                                                        << "<![CDATA[<b>&]]></svg><b>x";
    QTest::newRow("CDATA outside SVG is a bogus comment") << "<div><![CDATA[<b>]]>x" << 1 << "<div><![CDATA[<b>]]>x";
    QTest::newRow("hidden content goes with its tag past the limit")
        << "<div><object><object>a</object>b</object>c<noscript>d<!-- </noscript> -->e</noscript>f<video>g" << 1
        << "<div>cf";
    // The parser fails an assertion on these (it would abort the program).
    QTest::newRow("SVG and MathML start tags go at any depth")
        << "<table><svg><table><td>a<foreignObject><select>b</svg>c<math><mtext>d" << 512
        << "<table><table><td>a<foreignObject><select>b</svg>c<mtext>d";
    // The parser drops such a tag, and would first have read every
    // attribute of it.
    QTest::newRow("a start tag cut off by the end of the text goes") << "<div>a<div title='x b c" << 1 << "<div>a";
    QTest::newRow("an end tag cut off by the end of the text goes") << "<p>a</p title=\"" << 512 << "<p>a";
    QTest::newRow("a raw text's end tag cut off goes") << "<title>t</title a='" << 512 << "<title>t";
    QTest::newRow("deep page under the limit unchanged") << QString("<span>").repeated(100) << 512
                                                         << QString("<span>").repeated(100);
}

void TestNestingClamp::clamp()
{
    QFETCH(QString, markup);
    QFETCH(int, maxDepth);
    QFETCH(QString, expected);
    QCOMPARE(ClampNesting(markup, maxDepth), expected);
}

QTEST_APPLESS_MAIN(TestNestingClamp)
#include "tst_nestingclamp.moc"
