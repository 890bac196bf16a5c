// Draws the program's own skin pictures at their fixed pixel sizes and writes
// them as 24-bit PNG files (no alpha: the faces are opaque bitmaps, corners
// outside a curved edge are painted in the window's white).
//
//   make_faces <src folder>
//
// writes <src>/controls/faces/tabfrm/*.png and <src>/main_window/faces/*.png.

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

const QColor White(255, 255, 255);
const QColor TitleBlue(29, 95, 168);

QImage canvas(int w, int h, const QColor &fill = White)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

bool save(const QImage &img, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const bool ok = img.convertToFormat(QImage::Format_RGB888).save(path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// A tab outline: straight bottom, curved top corners.
QPainterPath tabShape(const QRectF &r, qreal radius)
{
    QPainterPath p;
    p.moveTo(r.left(), r.bottom());
    p.lineTo(r.left(), r.top() + radius);
    p.quadTo(r.left(), r.top(), r.left() + radius, r.top());
    p.lineTo(r.right() - radius, r.top());
    p.quadTo(r.right(), r.top(), r.right(), r.top() + radius);
    p.lineTo(r.right(), r.bottom());
    p.closeSubpath();
    return p;
}

QLinearGradient blueGradient(int h)
{
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0.0, QColor(96, 164, 232));
    g.setColorAt(0.5, QColor(48, 122, 206));
    g.setColorAt(1.0, QColor(24, 88, 170));
    return g;
}

QImage tabNormal()
{
    QImage img = canvas(113, 33);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = tabShape(QRectF(0.5, 0.5, 112, 33), 8);
    p.fillPath(shape, blueGradient(33));
    p.setPen(QPen(QColor(20, 72, 142), 1));
    p.drawPath(shape);
    return img;
}

QImage tabSelected()
{
    QImage img = canvas(113, 33);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = tabShape(QRectF(0.5, 0.5, 112, 33), 8);
    p.fillPath(shape, White);
    p.setPen(QPen(QColor(48, 122, 206), 1));
    p.drawPath(shape);
    return img;
}

QImage frmNormal()
{
    QImage img = canvas(155, 50, QColor(244, 246, 248));
    QPainter p(&img);
    p.setPen(QColor(200, 204, 210));
    p.drawRect(0, 0, 154, 49);
    p.setPen(QColor(252, 252, 253));
    p.drawLine(1, 1, 153, 1);
    return img;
}

QImage frmSelected()
{
    QImage img = canvas(155, 50);
    QPainter p(&img);
    p.fillRect(img.rect(), blueGradient(50));
    p.setPen(QColor(20, 72, 142));
    p.drawRect(0, 0, 154, 49);
    return img;
}

// Title-bar button faces: 0 normal, 1 hover, 2 pressed.
QColor buttonFill(int look, bool close)
{
    if (look == 1)
        return close ? QColor(212, 64, 52) : QColor(64, 132, 206);
    if (look == 2)
        return close ? QColor(160, 38, 30) : QColor(16, 64, 124);
    return TitleBlue;
}

enum class Glyph { Menu, Minimise, Maximise, Close };

QImage titleButton(int w, Glyph glyph, int look)
{
    QImage img = canvas(w, 19, buttonFill(look, glyph == Glyph::Close));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(22, 70, 130), 1));
    p.drawLine(0, 0, 0, 18); // separator to the left neighbour
    p.setPen(QPen(White, 1.6));
    const qreal cx = w / 2.0, cy = 9.5;
    switch (glyph) {
    case Glyph::Menu: {
        QPainterPath tri;
        tri.moveTo(cx - 5, cy - 2);
        tri.lineTo(cx + 5, cy - 2);
        tri.lineTo(cx, cy + 3);
        tri.closeSubpath();
        p.fillPath(tri, White);
        break;
    }
    case Glyph::Minimise:
        p.drawLine(QPointF(cx - 5, cy + 3), QPointF(cx + 5, cy + 3));
        break;
    case Glyph::Maximise:
        p.setPen(QPen(QColor(170, 196, 226), 1.4));
        p.drawRect(QRectF(cx - 5, cy - 5, 10, 9));
        break;
    case Glyph::Close:
        p.drawLine(QPointF(cx - 4.5, cy - 4.5), QPointF(cx + 4.5, cy + 4.5));
        p.drawLine(QPointF(cx + 4.5, cy - 4.5), QPointF(cx - 4.5, cy + 4.5));
        break;
    }
    return img;
}

QImage edgePiece(bool left)
{
    QImage img = canvas(6, 34);
    QPainter p(&img);
    QLinearGradient g(0, 0, 6, 0);
    g.setColorAt(left ? 0.0 : 1.0, QColor(214, 228, 244));
    g.setColorAt(left ? 1.0 : 0.0, White);
    p.fillRect(img.rect(), g);
    p.setPen(QColor(48, 122, 206));
    p.drawLine(0, 33, 5, 33);
    return img;
}

QImage banner()
{
    QImage img = canvas(472, 34);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 472, 0);
    g.setColorAt(0.0, White);
    g.setColorAt(1.0, QColor(214, 228, 244));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(QColor(48, 122, 206), 1));
    p.drawLine(0, 33, 471, 33);
    // A row of small shields fading to the right.
    for (int i = 0; i < 6; ++i) {
        QColor c(48, 122, 206);
        c.setAlpha(40 + i * 30);
        const qreal x = 300 + i * 28;
        QPainterPath s;
        s.moveTo(x, 8);
        s.lineTo(x + 12, 8);
        s.lineTo(x + 12, 16);
        s.quadTo(x + 12, 24, x + 6, 27);
        s.quadTo(x, 24, x, 16);
        s.closeSubpath();
        p.fillPath(s, c);
    }
    return img;
}

QImage icon()
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath s;
    s.moveTo(4, 3);
    s.lineTo(28, 3);
    s.lineTo(28, 16);
    s.quadTo(28, 26, 16, 30);
    s.quadTo(4, 26, 4, 16);
    s.closeSubpath();
    p.fillPath(s, blueGradient(32));
    p.setPen(QPen(White, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(10, 16), QPointF(14.5, 21), QPointF(22, 11)}));
    return img;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_faces <src folder>\n");
        return 2;
    }
    const QString src = QString::fromLocal8Bit(argv[1]);
    const QString tf = src + "/controls/faces/tabfrm/";
    const QString mw = src + "/main_window/faces/";
    bool ok = true;
    ok &= save(tabNormal(), tf + "tab_normal.png");
    ok &= save(tabSelected(), tf + "tab_selected.png");
    ok &= save(frmNormal(), tf + "frm_normal.png");
    ok &= save(frmSelected(), tf + "frm_selected.png");
    const char *looks[] = {"normal", "hover", "pressed"};
    for (int look = 0; look < 3; ++look) {
        ok &= save(titleButton(37, Glyph::Menu, look), mw + QString("m1_%1.png").arg(looks[look]));
        ok &= save(titleButton(35, Glyph::Minimise, look), mw + QString("m2_%1.png").arg(looks[look]));
        ok &= save(titleButton(46, Glyph::Close, look), mw + QString("m3_%1.png").arg(looks[look]));
    }
    ok &= save(titleButton(33, Glyph::Maximise, 0), mw + "m4.png");
    ok &= save(edgePiece(true), mw + "edge_left.png");
    ok &= save(edgePiece(false), mw + "edge_right.png");
    ok &= save(banner(), mw + "banner.png");
    QDir().mkpath(mw);
    const bool iconOk = icon().save(mw + "icon.png", "PNG"); // the icon keeps its alpha
    std::printf("%s %s\n", iconOk ? "wrote" : "FAILED", qPrintable(mw + "icon.png"));
    return ok && iconOk ? 0 : 1;
}
