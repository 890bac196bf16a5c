#include "GbkCodec.h"
#include "RenderedText.h"
#include "StandinServer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

// Every stand-in page that comes with a NAME.markers file beside it must give
// each of those markers in its rendered text, read as the page fetch reads it:
// the UTF-8 file goes on the wire as GBK, is decoded as GBK and rendered. So a
// page edited until its markers no longer render (a lost cell blank, a line
// break too many, a character GBK cannot carry) fails here, not in some tool.
namespace
{

// One marker a line; "\r" "\n" "\t" and "\\" are escapes, anything else is
// literal (blanks at the end of a line count).
QString decodeMarker(const QString &line)
{
    QString marker;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == u'\\' && i + 1 < line.size()) {
            const QChar next = line.at(i + 1);
            if (next == u'r' || next == u'n' || next == u't' || next == u'\\') {
                marker += next == u'r'   ? QChar(u'\r')
                          : next == u'n' ? QChar(u'\n')
                          : next == u't' ? QChar(u'\t')
                                         : QChar(u'\\');
                ++i;
                continue;
            }
        }
        marker += c;
    }
    return marker;
}

QString shown(QString text)
{
    return text.replace(QStringLiteral("\r"), QStringLiteral("\\r"))
        .replace(QStringLiteral("\n"), QStringLiteral("\\n"));
}

} // namespace

class TestStandinPages : public QObject
{
    Q_OBJECT
private slots:
    void markersAreInTheRenderedText_data();
    void markersAreInTheRenderedText();
};

void TestStandinPages::markersAreInTheRenderedText_data()
{
    QTest::addColumn<QString>("markersPath");
    const QString pagesDir = StandinServer::sourceDir() + QStringLiteral("/pages");
    QDirIterator it(pagesDir, {QStringLiteral("*.markers")}, QDir::Files, QDirIterator::Subdirectories);
    QStringList found;
    while (it.hasNext())
        found << it.next();
    found.sort();
    for (const QString &path : found)
        QTest::newRow(qPrintable(QDir(pagesDir).relativeFilePath(path))) << path;
}

void TestStandinPages::markersAreInTheRenderedText()
{
    QFETCH(QString, markersPath);
    const QFileInfo info(markersPath);
    const QString pagePath = info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral(".html");
    QFile pageFile(pagePath);
    QVERIFY2(pageFile.open(QIODevice::ReadOnly), qPrintable(QStringLiteral("no page beside the markers: ") + pagePath));
    const QString source = QString::fromUtf8(pageFile.readAll());

    const QString served = Gbk::decode(Gbk::encode(source));
    for (qsizetype i = 0; i < source.size(); ++i) {
        if (i >= served.size() || served.at(i) != source.at(i))
            QFAIL(qPrintable(QStringLiteral("character %1 of the page does not survive GBK").arg(i + 1)));
    }

    QFile markersFile(markersPath);
    QVERIFY(markersFile.open(QIODevice::ReadOnly));
    const QString text = RenderInnerText(served);
    int checked = 0;
    for (QString line : QString::fromUtf8(markersFile.readAll()).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QString marker = decodeMarker(line);
        QVERIFY2(
            text.contains(marker),
            qPrintable(QStringLiteral("marker \"%1\" not in the rendered text:\n%2").arg(shown(marker), shown(text))));
        ++checked;
    }
    QVERIFY2(checked > 0, "the markers file lists no marker");
}

QTEST_APPLESS_MAIN(TestStandinPages)
#include "tst_standinpages.moc"
