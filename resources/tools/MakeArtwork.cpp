// Draws the program's skin pictures at the sizes its windows need:
//
//     make_artwork OUTDIR            IMG/Main.jpg, Title.jpg, JB.jpg, Sector5.jpg, Set.jpg
//     make_artwork --splash FILE     the start-up window's splash (518 x 305)
//
// Run at build time (offscreen); the pictures are ours, drawn with QPainter
// and the helpers in scripts/faces/Painting.h, which the committed face
// pictures share.
#include "Painting.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

namespace
{

const QColor Navy(0x0B, 0x2E, 0x59);
const QColor Blue(0x1C, 0x5F, 0xA8);
const QColor Sky(0x5F, 0xA8, 0xE0);
const QColor Pale(0xEE, 0xF5, 0xFB);

using Painting::canvas;
using Painting::drawText;
using Painting::fillDownward;
using Painting::font;

// A shield with a check mark: the program's sign.
void drawShield(QPainter &p, const QRectF &box, const QColor &face)
{
    QPainterPath shield;
    const qreal w = box.width(), h = box.height(), x = box.left(), y = box.top();
    shield.moveTo(x + w / 2, y);
    shield.cubicTo(x + w * 0.75, y + h * 0.08, x + w * 0.9, y + h * 0.1, x + w, y + h * 0.12);
    shield.cubicTo(x + w, y + h * 0.55, x + w * 0.8, y + h * 0.85, x + w / 2, y + h);
    shield.cubicTo(x + w * 0.2, y + h * 0.85, x, y + h * 0.55, x, y + h * 0.12);
    shield.cubicTo(x + w * 0.1, y + h * 0.1, x + w * 0.25, y + h * 0.08, x + w / 2, y);
    p.setPen(QPen(Qt::white, qMax<qreal>(1.5, w / 30)));
    p.setBrush(Painting::linear(box.topLeft(), box.bottomRight(), face.lighter(140), face.darker(130)));
    p.drawPath(shield);
    QPainterPath tick;
    tick.moveTo(x + w * 0.27, y + h * 0.5);
    tick.lineTo(x + w * 0.45, y + h * 0.67);
    tick.lineTo(x + w * 0.75, y + h * 0.32);
    p.setPen(QPen(Qt::white, w / 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

// Faint network lines and nodes over a background.
void drawNetwork(QPainter &p, const QRect &area, const QColor &colour, int seed)
{
    p.save();
    p.setPen(QPen(colour, 1));
    p.setBrush(colour);
    unsigned state = static_cast<unsigned>(seed) * 2654435761u + 1u;
    auto next = [&state](int range) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 8) % static_cast<unsigned>(range));
    };
    QList<QPoint> nodes;
    for (int i = 0; i < 18; ++i)
        nodes.append(QPoint(area.left() + next(area.width()), area.top() + next(area.height())));
    for (int i = 0; i < nodes.size(); ++i)
        for (int j = i + 1; j < nodes.size(); ++j)
            if ((nodes[i] - nodes[j]).manhattanLength() < area.width() / 4)
                p.drawLine(nodes[i], nodes[j]);
    for (const QPoint &n : nodes)
        p.drawEllipse(n, 2, 2);
    p.restore();
}

QImage title()
{
    QImage image = canvas(800, 76);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    fillDownward(p, image.rect(), Blue, Navy);
    drawNetwork(p, QRect(300, 0, 340, 76), QColor(255, 255, 255, 40), 3);
    drawShield(p, QRectF(16, 10, 48, 56), Sky);
    drawText(p, QRect(76, 6, 300, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Orvalent"), font(30, true),
             Qt::white);
    drawText(p, QRect(78, 44, 400, 24), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("网上交易 · 购物 · 交友  防骗鉴别工具"), font(14), QColor(0xCC, 0xE9, 0xF2));
    return image;
}

QImage mainBackground()
{
    QImage image = canvas(800, 466);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    fillDownward(p, QRect(0, 0, 800, 440), Qt::white, Pale);
    drawNetwork(p, QRect(560, 20, 230, 380), QColor(0x5F, 0xA8, 0xE0, 60), 7);
    p.setOpacity(0.12);
    drawShield(p, QRectF(600, 120, 160, 190), Blue);
    p.setOpacity(1);
    // The status line sits on this bar (light text on dark).
    fillDownward(p, QRect(0, 440, 800, 26), Blue, Navy);
    return image;
}

QImage windowBackground(int w, int h, const QString &heading, int seed)
{
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    fillDownward(p, QRect(0, 0, w, 24), Blue, Navy);
    drawText(p, QRect(10, 0, w - 80, 24), Qt::AlignLeft | Qt::AlignVCenter, heading, font(13, true), Qt::white);
    fillDownward(p, QRect(0, 24, w, h - 24), Qt::white, Pale);
    drawNetwork(p, QRect(w - 220, 40, 200, h - 80), QColor(0x5F, 0xA8, 0xE0, 45), seed);
    p.setPen(QPen(QColor(0xB8, 0xD0, 0xE6), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, w - 1, h - 1));
    return image;
}

QImage sector()
{
    QImage image = canvas(344, 272);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(172, 120, 220);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(0xD6, 0xE8, 0xF7));
    p.fillRect(image.rect(), g);
    // Two arrows round the shield: updating.
    p.setPen(QPen(Sky, 10, Qt::SolidLine, Qt::RoundCap));
    const QRectF ring(82, 30, 180, 180);
    p.drawArc(ring, 30 * 16, 140 * 16);
    p.drawArc(ring, 210 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(Sky);
    QPolygonF head1({QPointF(232, 28), QPointF(262, 52), QPointF(226, 62)});
    QPolygonF head2({QPointF(112, 212), QPointF(82, 188), QPointF(118, 178)});
    p.drawPolygon(head1);
    p.drawPolygon(head2);
    drawShield(p, QRectF(132, 62, 80, 96), Blue);
    drawText(p, QRect(0, 222, 344, 40), Qt::AlignCenter, QStringLiteral("Orvalent 在线升级"), font(18, true), Navy);
    return image;
}

QImage splash()
{
    QImage image = canvas(518, 305);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), Painting::linear(QPointF(0, 0), QPointF(518, 305), Blue, Navy));
    drawNetwork(p, QRect(10, 10, 498, 200), QColor(255, 255, 255, 35), 11);
    drawShield(p, QRectF(40, 60, 96, 112), Sky);
    const QColor pale(0xCC, 0xE9, 0xF2);
    drawText(p, QRect(156, 58, 350, 64), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Orvalent"), font(46, true),
             Qt::white);
    drawText(p, QRect(160, 122, 350, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("网上交易防骗鉴别工具"),
             font(17), pale);
    drawText(p, QRect(160, 150, 350, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("版本 5.5"), font(13), pale);
    // The status line lies on this band.
    p.fillRect(QRect(0, 226, 518, 48), QColor(0, 0, 0, 70));
    drawText(p, QRect(0, 280, 508, 20), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Zavoz Software"), font(11),
             QColor(255, 255, 255, 150));
    return image;
}

bool save(const QImage &image, const QString &path)
{
    if (Painting::saveImage(image, path, nullptr, 92))
        return true;
    std::fprintf(stderr, "make_artwork: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QStringLiteral("--splash"))
        return save(splash(), args.at(2)) ? 0 : 1;
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: make_artwork OUTDIR | --splash FILE\n");
        return 2;
    }
    const QString img = args.at(1) + QStringLiteral("/IMG/");
    bool ok = save(title(), img + QStringLiteral("Title.jpg"));
    ok = save(mainBackground(), img + QStringLiteral("Main.jpg")) && ok;
    ok = save(windowBackground(699, 508, QStringLiteral("恶意网站举报"), 5), img + QStringLiteral("JB.jpg")) && ok;
    ok = save(windowBackground(700, 511, QStringLiteral("在线升级"), 9), img + QStringLiteral("Set.jpg")) && ok;
    ok = save(sector(), img + QStringLiteral("Sector5.jpg")) && ok;
    return ok ? 0 : 1;
}
