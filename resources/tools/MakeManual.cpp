// Typesets the user manual from its Markdown source into a PDF with the
// Chinese font embedded:
//
//     make_manual SOURCE.md OUTPUT.pdf
//
// Run at build time (offscreen).
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make_manual SOURCE.md OUTPUT.pdf\n");
        return 2;
    }
    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_manual: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QString family = QStringLiteral("WenQuanYi Micro Hei");
    if (!QFontDatabase::families().contains(family)) {
        std::fprintf(stderr, "make_manual: the font %s is not installed (fonts-wqy-microhei)\n", qPrintable(family));
        return 1;
    }

    QPdfWriter writer(args.at(2));
    writer.setTitle(QStringLiteral("Orvalent 5.5 使用说明书"));
    writer.setCreator(QStringLiteral("Zavoz Software"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 18),
                                     QPageLayout::Millimeter));

    QTextDocument document;
    QFont body(family);
    body.setPointSizeF(10.5);
    document.setDefaultFont(body);
    document.setDefaultStyleSheet(
        QStringLiteral("h1 { color: #0B2E59; } h2 { color: #1C5FA8; } h3 { color: #1C5FA8; }"));
    // Plain CommonMark: the manual names hosts such as www.example.com as
    // text, and GitHub's bare-address links would turn them (and the rest of
    // their paragraph) into links. A "*" the text means is written "\*".
    document.setMarkdown(QString::fromUtf8(source.readAll()), QTextDocument::MarkdownDialectCommonMark);
    document.print(&writer);
    return 0;
}
