#include "RenderedText.h"

#include <QTest>

// Every page marker of the program was written against this text, so each row
// pins one rule of it to the exact characters, blanks and CR LF included.
class TestRenderedText : public QObject
{
    Q_OBJECT
private slots:
    void render_data();
    void render();
    void deepPagesKeepEveryCharacter_data();
    void deepPagesKeepEveryCharacter();
};

void TestRenderedText::render_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("expected");

    // Line breaks.
    QTest::newRow("br gives CR LF") << "a<br>b"
                                    << "a\r\nb";
    QTest::newRow("two br give an empty line") << "a<br><br>b"
                                               << "a\r\n\r\nb";
    QTest::newRow("br at the very end gives nothing") << "a<br>"
                                                      << "a";
    QTest::newRow("last of two br at the end gives nothing") << "a<br><br>"
                                                             << "a\r\n";
    QTest::newRow("br at the end with white space after it") << "a<br>\r\n  "
                                                             << "a";
    QTest::newRow("br at the end inside a block") << "<div>a<br></div>"
                                                  << "a";
    QTest::newRow("br at the start") << "<br>a"
                                     << "\r\na";
    QTest::newRow("br before a block merges with it") << "a<br><div>b</div>"
                                                      << "a\r\nb";
    QTest::newRow("br ending a block merges with its end") << "<div>a<br></div>b"
                                                           << "a\r\nb";
    QTest::newRow("br after a block adds a line") << "<div>a</div><br>b"
                                                  << "a\r\n\r\nb";

    // Block elements.
    QTest::newRow("div") << "a<div>b</div>c"
                         << "a\r\nb\r\nc";
    QTest::newRow("p gives one line break, not a blank line") << "<p>a</p><p>b</p>"
                                                              << "a\r\nb";
    QTest::newRow("nested blocks merge") << "<div><div><p>a</p></div></div><div><p>b</p></div>"
                                         << "a\r\nb";
    QTest::newRow("no break at start or end") << "<div>a</div>"
                                              << "a";
    QTest::newRow("empty blocks give nothing") << "a<div></div><p></p>b"
                                               << "a\r\nb";
    QTest::newRow("headings") << "<h1>x</h1><h3>y</h3>z"
                              << "x\r\ny\r\nz";
    QTest::newRow("list items") << "<ul><li>a</li><li>b</li></ul><ol><li>c</li></ol>"
                                << "a\r\nb\r\nc";
    QTest::newRow("definition list") << "<dl><dt>t</dt><dd>d</dd></dl>"
                                     << "t\r\nd";
    QTest::newRow("blockquote, form, center, address")
        << "a<blockquote>b</blockquote><form>c</form><center>d</center><address>e</address>"
        << "a\r\nb\r\nc\r\nd\r\ne";
    QTest::newRow("hr") << "a<hr>b"
                        << "a\r\nb";
    QTest::newRow("html5 blocks") << "<section>a</section><article>b</article><nav>c</nav>"
                                  << "a\r\nb\r\nc";
    QTest::newRow("inline elements run on") << "<b>a</b><span>b</span><a href=x>c</a><font>d</font>"
                                            << "abcd";

    // Tables.
    QTest::newRow("cells and rows") << "<table><tr><td>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>"
                                    << "a b \r\nc d ";
    QTest::newRow("white space between cells and rows")
        << "<table>\n <tr>\n  <td> a </td>\n  <td>\tb\n</td>\n </tr>\n <tr><th>c</th></tr>\n</table>"
        << "a b \r\nc ";
    QTest::newRow("table between text") << "x<table><tr><td>a</td></tr></table>y"
                                        << "x\r\na \r\ny";
    QTest::newRow("empty cell still gives its blank") << "<table><tr><td></td><td>b</td></tr></table>"
                                                      << " b ";
    QTest::newRow("nbsp cell") << "<table><tr><td>&nbsp;</td><td>b</td></tr></table>"
                               << "  b ";
    QTest::newRow("br ending a cell gives nothing") << "<table><tr><td>a<br></td><td>b</td></tr></table>"
                                                    << "a b ";
    QTest::newRow("br inside a cell") << "<table><tr><td>a<br>b</td><td>c</td></tr></table>"
                                      << "a\r\nb c ";
    QTest::newRow("block filling a cell") << "<table><tr><td><p>a</p></td><td><div>b</div></td></tr></table>"
                                          << "a b ";
    QTest::newRow("two blocks in a cell") << "<table><tr><td><div>a</div><div>b</div></td><td>c</td></tr></table>"
                                          << "a\r\nb c ";
    QTest::newRow("thead, tbody and caption")
        << "<table><caption>cap</caption><thead><tr><th>h</th></tr></thead><tbody><tr><td>v</td></tr></tbody></table>"
        << "cap\r\nh \r\nv ";
    QTest::newRow("table in a cell")
        << "<table><tr><td><table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table></td><td>d</td></tr></table>"
        << "a b \r\nc  d ";
    QTest::newRow("br between cells is moved before the table") << "x<table><tr><td>a</td><br><td>b</td></tr></table>"
                                                                << "x\r\na b ";
    QTest::newRow("br after a table") << "<table><tr><td>a</td></tr></table><br>b"
                                      << "a \r\n\r\nb";

    // White space.
    QTest::newRow("runs collapse to one blank") << "a \t\r\n  b"
                                                << "a b";
    QTest::newRow("collapsing crosses inline tags") << "a <b> b</b> <i> c</i>"
                                                    << "a b c";
    QTest::newRow("blank at the start of the text dropped") << "  \r\n a"
                                                            << "a";
    QTest::newRow("blank at the start of a line dropped") << "a<br>   b<div> \n c</div>"
                                                          << "a\r\nb\r\nc";
    QTest::newRow("blank after a block dropped") << "<div>a</div> b"
                                                 << "a\r\nb";
    QTest::newRow("blank before br kept") << "a <br>b"
                                          << "a \r\nb";
    QTest::newRow("blank before a block kept") << "a <div>b</div>"
                                               << "a \r\nb";
    QTest::newRow("blank at the very end dropped") << "a \r\n"
                                                   << "a";
    QTest::newRow("nbsp is a plain blank") << "a&nbsp;b"
                                           << "a b";
    QTest::newRow("nbsp does not merge") << "a&nbsp; &nbsp;b"
                                         << "a   b";
    QTest::newRow("nbsp kept at the start of a line") << "a<br>&nbsp;b"
                                                      << "a\r\n b";
    QTest::newRow("literal nbsp character") << QStringLiteral("a\u00A0\u00A0b") << "a  b";
    QTest::newRow("ideographic space is text") << QStringLiteral("a\u3000 b") << QStringLiteral("a\u3000 b");
    QTest::newRow("pre keeps white space") << "<pre>a  b\n\tc\n</pre>d"
                                           << "a  b\r\n\tc\r\nd";
    QTest::newRow("pre line breaks as CR LF") << "<pre>a\r\nb\rc</pre>"
                                              << "a\r\nb\r\nc";
    QTest::newRow("pre first newline dropped") << "x<pre>\na</pre>"
                                               << "x\r\na";
    QTest::newRow("pre with markup inside") << "<pre><b>a</b>  <i>b</i></pre>"
                                            << "a  b";

    // Character references.
    QTest::newRow("named references") << "&lt;a&gt; &amp; &quot;"
                                      << "<a> & \"";
    QTest::newRow("numeric references") << "&#20013;&#x6587;&#65;" << QStringLiteral("中文A");
    QTest::newRow("reference without semicolon") << "&copy 2008" << QStringLiteral("\u00A9 2008");

    // What contributes nothing.
    QTest::newRow("comment") << "a<!-- b -->c"
                             << "ac";
    QTest::newRow("script and style") << "a<script>var x = '<p>b</p>';</script><style>p{}</style>c"
                                      << "ac";
    QTest::newRow("head, title, meta, link in a fragment") << "<title>t</title><meta charset=gbk><link rel=x href=y>a"
                                                           << "a";
    QTest::newRow("hidden elements are included") << "<div style='display:none'>a</div><span hidden>b</span>"
                                                  << "a\r\nb";
    QTest::newRow("img gives nothing") << "a<img src=x alt=picture>b"
                                       << "ab";
    QTest::newRow("input values give nothing") << "a<input value=v><input type=hidden value=h>b"
                                               << "ab";
    QTest::newRow("select options run on") << "a<select>\n<option>x</option>\n<option value=2>y</option>\n</select>b"
                                           << "axyb";
    QTest::newRow("button text") << "<button>go</button>"
                                 << "go";

    // Whole pages.
    QTest::newRow("whole page gives the body text")
        << "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta http-equiv=Content-Type content='text/html; "
           "charset=gb2312'>\r\n"
           "<title>T</title>\r\n<script>x()</script>\r\n<style>b{}</style>\r\n</head>\r\n<body>\r\n"
           "<div>a</div>\r\n<p>b</p>\r\n</body>\r\n</html>\r\n"
        << "a\r\nb";
    QTest::newRow("text after the body end") << "<html><body>a</body></html>b"
                                             << "ab";
    QTest::newRow("Chinese page")
        << QStringLiteral(
               "<html><body><table><tr><td>邮编：</td><td>100000</td></tr></table>查询完毕<br></body></html>")
        << QStringLiteral("邮编： 100000 \r\n查询完毕");
    // The markup is the body's content, not a whole document.
    QTest::newRow("noscript before the text gives nothing") << "<noscript>ns</noscript>x"
                                                            << "x";
    QTest::newRow("frameset in the body is left out, its text stays") << "<frameset><frame src=a></frameset>text"
                                                                       << "text";
    QTest::newRow("head content in the body gives nothing")
        << "<head><title>T</title><style>p{}</style></head>a<script>b()</script>c"
        << "ac";
    // The parser used to abort the program on these.
    // (SVG and MathML go as their tags, their text stays.)
    QTest::newRow("SVG cell in a table") << "<table><svg><td><foreignObject><select></table>x"
                                         << " \r\nx";
    QTest::newRow("SVG table in a table") << "<table><svg><table><td><foreignObject><r><select></table>x"
                                          << " \r\nx";
    QTest::newRow("CDATA in SVG's HTML content in a table")
        << "<table><svg><foreignObject><![CDATA[<]]>>"
        << ">";
    QTest::newRow("SVG cell inside an HTML cell") << "<table><tr><td>a<svg><td>b</svg>c</table>"
                                                  << "a bc ";
    QTest::newRow("MathML text in a table")
        << "<table><math><annotation-xml><mtext><![CDATA[zz]]>x"
        << "x";
    QTest::newRow("SVG heading around a head tag") << "<svg><h2><annotation-xml><head><desc><table></table></svg>"
                                                   << "";
    QTest::newRow("SVG formatting around an html tag") << "<svg><b color=red><mtext><html><title><table></table></body>"
                                                       << "";
    QTest::newRow("raw text in a select in a table")
        << "<table><select><style><table><svg><desc><![CDATA[zz]]>x"
        << "<table><svg><desc><![CDATA[zz]]>x";
    // Tags reach the parser without their attributes, but for the ones
    // that change the text.
    QTest::newRow("a tag with attributes keeps its text") << "<div a=1 b='>' c d=\"x\"e>a</div>b"
                                                           << "a\r\nb";
    QTest::newRow("end tags with attributes") << "<p>a</p class=x>b</br a b>c</div y=\">\">d"
                                              << "a\r\nb\r\ncd";
    QTest::newRow("html and body tags with attributes") << "<html lang=zh><body class=a>x<html a><body b>y"
                                                        << "xy";
    // The parser puts a hidden input into the table; any other it moves
    // before the table, and with it the italic it brings back, which takes
    // the blank.
    QTest::newRow("a hidden input stays in its table")
        << "<b>x<i>y</b><table><input value=1 TYPE=hidden type=text> <tr><td>c</table>"
        << "xy\r\nc ";
    QTest::newRow("any other input goes before its table")
        << "<b>x<i>y</b><table><input value=1 type=text type=hidden> <tr><td>c</table>"
        << "xy \r\nc ";
    QTest::newRow("an isindex shows its first prompt") << "<isindex action=x prompt=\"a &amp; b\" prompt=c>d"
                                                       << "a & b\r\nd";
    QTest::newRow("a tag cut off by the end of the text gives nothing") << "a<div title=\"b<p>c"
                                                                        << "a";
    QTest::newRow("a script's end tag with a quoted >") << "<script>x</script a=\">\">y"
                                                        << "y";
    QTest::newRow("empty markup") << ""
                                  << "";
}

namespace
{
// Line breaks written as escapes, so a failure shows where they differ.
QString shown(QString text)
{
    return text.replace(QStringLiteral("\r"), QStringLiteral("\\r"))
        .replace(QStringLiteral("\n"), QStringLiteral("\\n"));
}
} // namespace

void TestRenderedText::render()
{
    QFETCH(QString, markup);
    QFETCH(QString, expected);
    const QString text = RenderInnerText(markup);
    QVERIFY2(text == expected, qPrintable(QStringLiteral("got \"%1\" want \"%2\"").arg(shown(text), shown(expected))));
}

// Pages that nest without end: rendered at all (no stack runs out), and
// with every character of their text, in order.
void TestRenderedText::deepPagesKeepEveryCharacter_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("count");
    QTest::newRow("100,000 nested span") << "<span>x" << 100000;
    QTest::newRow("200,000 unclosed div") << "<div>x" << 200000;
    QTest::newRow("200,000 unclosed b") << "<b>x" << 200000;
    QTest::newRow("200,000 unclosed font") << "<font color=red>x" << 200000;
    QTest::newRow("nested tables") << "<table><tr><td>x" << 50000;
    QTest::newRow("misnested paragraph and bold") << "<p><b>x</p>" << 50000;
    QTest::newRow("span closed across a div") << "<span><div>x</span>" << 50000;
}

void TestRenderedText::deepPagesKeepEveryCharacter()
{
    QFETCH(QString, unit);
    QFETCH(int, count);
    const QString text = RenderInnerText(unit.repeated(count));
    QString visible = text;
    visible.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QLatin1Char(' '));
    QCOMPARE(visible, QString(count, QLatin1Char('x')));
}

QTEST_APPLESS_MAIN(TestRenderedText)
#include "tst_renderedtext.moc"
