// Draws the program's own skin pictures at their fixed pixel sizes and writes
// them as 24-bit PNG files (no alpha: the faces are opaque bitmaps, corners
// outside a curved edge are painted in the window's white; only the icon and
// the badges keep their alpha).
//
//   make_faces <src folder>
//
// writes <src>/controls/faces/*.png (Text, Command, Option, the program icon),
// <src>/controls/faces/tabfrm/*.png (Tab, Frm), <src>/main_window/faces/*.png
// (the main window's pictures and the URL-safety panel's badges),
// <src>/windows/faces/report_logo.png (the report window's logo) and the
// installed program icons <src>/app/desktop/icon-{48,128,256}.png.
// The canvases, gradients and lettering come from Painting.h, which the
// build-time pictures of the program folder (resources/tools/MakeArtwork.cpp)
// share.

#include "Painting.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

namespace {

using Painting::canvas;

const QColor White(255, 255, 255);
const QColor TitleBlue(29, 95, 168);
const QGradientStops BlueStops{{0.0, QColor(96, 164, 232)}, {0.5, QColor(48, 122, 206)}, {1.0, QColor(24, 88, 170)}};

// Opaque faces are written as 24-bit PNG; a picture with alpha (the icon)
// keeps it.
bool save(const QImage &img, const QString &path)
{
    const QImage out = img.hasAlphaChannel() ? img : img.convertToFormat(QImage::Format_RGB888);
    const bool ok = Painting::saveImage(out, path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// ---- Text, Command and Option faces -------------------------------------

struct Shade
{
    QColor top;
    QColor bottom;
    QColor border;
};

// A face over the whole picture with curved corners and a one-pixel border
// that falls on whole pixels.
void drawRoundedFace(QPainter &painter, const QImage &image, qreal radius, const QBrush &fill, const QColor &border)
{
    painter.setPen(QPen(border, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.5, 0.5, image.width() - 1.0, image.height() - 1.0), radius, radius);
}

// A rounded button face with a vertical gradient and a one-pixel border.
QImage buttonFace(int width, int height, const Shade &shade, qreal radius)
{
    QImage image = canvas(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawRoundedFace(painter, image, radius, Painting::downward(0, height, shade.top, shade.bottom), shade.border);
    // A faint highlight along the upper half gives the face some depth.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 70));
    painter.drawRoundedRect(QRectF(1.5, 1.5, width - 3.0, height / 2.0 - 1.0), radius - 1, radius - 1);
    return image;
}

// The switch: a pill with a knob at one end and its words at the other.
QImage switchFace(bool on, const Shade &shade)
{
    const int width = 79;
    const int height = 23;
    QImage image = canvas(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawRoundedFace(painter, image, height / 2.0 - 0.5, Painting::downward(0, height, shade.top, shade.bottom),
                    shade.border);

    const qreal knobSize = height - 5.0;
    const qreal knobLeft = on ? width - 2.5 - knobSize : 2.5;
    const QRectF knob(knobLeft, 2.5, knobSize, knobSize);
    QRadialGradient knobFill(knob.center() - QPointF(2, 2), knobSize);
    knobFill.setColorAt(0.0, QColor(255, 255, 255));
    knobFill.setColorAt(1.0, QColor(222, 226, 230));
    painter.setPen(QPen(shade.border.darker(110), 1.0));
    painter.setBrush(knobFill);
    painter.drawEllipse(knob);

    const QRectF words = on ? QRectF(3, 0, knobLeft - 3, height) : QRectF(knob.right() + 1, 0, width - knob.right() - 4, height);
    Painting::drawText(painter, words, Qt::AlignCenter, on ? QStringLiteral("已开启") : QStringLiteral("已关闭"),
                       Painting::font(12, true), on ? QColor(255, 255, 255) : QColor(70, 74, 80));
    return image;
}

// The framed text box: white field, thin light grey-blue border, slightly
// curved corners.
QImage textFrame()
{
    QImage image = canvas(407, 31);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawRoundedFace(painter, image, 3.0, Qt::white, QColor(160, 180, 204));
    // An inner shadow line along the top, as framed boxes have.
    painter.setPen(QPen(QColor(226, 233, 242), 1.0));
    painter.drawLine(QPointF(3, 1.5), QPointF(image.width() - 3, 1.5));
    return image;
}

// ---- Tab and Frm faces ----------------------------------------------------

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

// A tab face: its fill inside the outline, then the one-pixel outline; the
// outline's foot lies below the picture, so the tab stands open at the bottom.
QImage tabFace(const QBrush &fill, const QColor &border)
{
    QImage img = canvas(113, 33);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = tabShape(QRectF(0.5, 0.5, 112, 33), 8);
    p.fillPath(shape, fill);
    p.setPen(QPen(border, 1));
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
    Painting::fillDownward(p, img.rect(), BlueStops);
    p.setPen(QColor(20, 72, 142));
    p.drawRect(0, 0, 154, 49);
    return img;
}

// ---- The main window's pictures -------------------------------------------

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
    const QColor pale(214, 228, 244);
    p.fillRect(img.rect(), Painting::linear(QPointF(0, 0), QPointF(6, 0), left ? pale : White, left ? White : pale));
    p.setPen(QColor(48, 122, 206));
    p.drawLine(0, 33, 5, 33);
    return img;
}

// The plain shield of the banner row and the icon: a flat top, straight
// sides down to the shoulder, then curves pulled towards `bulge` that meet
// at the tip below the middle.
QPainterPath badge(qreal left, qreal right, qreal top, qreal shoulder, qreal bulge, qreal tip)
{
    QPainterPath s;
    s.moveTo(left, top);
    s.lineTo(right, top);
    s.lineTo(right, shoulder);
    s.quadTo(right, bulge, (left + right) / 2, tip);
    s.quadTo(left, bulge, left, shoulder);
    s.closeSubpath();
    return s;
}

QImage banner()
{
    QImage img = canvas(472, 34);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(img.rect(), Painting::linear(QPointF(0, 0), QPointF(472, 0), White, QColor(214, 228, 244)));
    p.setPen(QPen(QColor(48, 122, 206), 1));
    p.drawLine(0, 33, 471, 33);
    // A row of small shields fading to the right.
    for (int i = 0; i < 6; ++i) {
        QColor c(48, 122, 206);
        c.setAlpha(40 + i * 30);
        const qreal x = 300 + i * 28;
        p.fillPath(badge(x, x + 12, 8, 16, 24, 27), c);
    }
    return img;
}

// The program icon, drawn on a 32-pixel grid and scaled to the size asked:
// the window's icon and the desktop's icons are one drawing.
QImage icon(int size = 32)
{
    QImage img = Painting::clearCanvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.fillPath(badge(4, 28, 3, 16, 26, 30), Painting::downward(0, 32, BlueStops));
    p.setPen(QPen(White, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(10, 16), QPointF(14.5, 21), QPointF(22, 11)}));
    return img;
}

// ---- The URL-safety panel's badges and the report window's logo -----------

// A 43 x 16 badge: a rounded field of the verdict's colour with its sign and
// its two characters, on a clear ground.
QImage urlSafetyBadge(const QColor &field, const QString &sign, const QString &word)
{
    QImage img(43, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(field);
    p.drawRoundedRect(QRectF(0.5, 0.5, 42, 15), 3, 3);
    p.setPen(White);
    p.setFont(Painting::font(11, true));
    p.drawText(QRect(1, 0, 12, 16), Qt::AlignCenter, sign);
    p.drawText(QRect(13, 0, 29, 16), Qt::AlignCenter, word);
    return img;
}

// The internet-registry organisation's logo beside the report window's
// captcha, 152 x 73: a globe and the organisation's name.
QImage reportLogo()
{
    QImage img = canvas(152, 73);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 90, 170), 3));
    p.setBrush(QColor(225, 238, 250));
    p.drawEllipse(QRectF(6, 10, 52, 52));
    p.drawLine(QPointF(8, 36), QPointF(56, 36));
    p.drawEllipse(QRectF(20, 10, 24, 52));
    p.setPen(QColor(0, 90, 170));
    p.setFont(Painting::font(15, true));
    p.drawText(QRect(62, 14, 88, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("互联网"));
    p.drawText(QRect(62, 38, 88, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("安全联盟"));
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
    const QString cf = src + "/controls/faces/";
    const QString tf = src + "/controls/faces/tabfrm/";
    const QString mw = src + "/main_window/faces/";
    bool ok = true;

    // Push button, 74 x 23.
    ok &= save(buttonFace(74, 23, {QColor(246, 249, 252), QColor(221, 230, 240), QColor(150, 170, 195)}, 3.5), cf + "command-normal.png");
    ok &= save(buttonFace(74, 23, {QColor(249, 251, 253), QColor(229, 235, 243), QColor(160, 178, 200)}, 3.5), cf + "command-design.png");
    ok &= save(buttonFace(74, 23, {QColor(232, 245, 254), QColor(186, 224, 250), QColor(110, 172, 222)}, 3.5), cf + "command-hover.png");
    ok &= save(buttonFace(74, 23, {QColor(140, 194, 240), QColor(88, 153, 216), QColor(54, 112, 178)}, 3.5), cf + "command-pressed.png");
    // Switch, 79 x 23: green when on, grey when off.
    ok &= save(switchFace(true, {QColor(104, 200, 96), QColor(56, 160, 52), QColor(40, 128, 40)}), cf + "option-on-normal.png");
    ok &= save(switchFace(true, {QColor(136, 220, 126), QColor(84, 186, 76), QColor(52, 150, 50)}), cf + "option-on-hover.png");
    ok &= save(switchFace(true, {QColor(60, 150, 56), QColor(34, 118, 32), QColor(26, 92, 26)}), cf + "option-on-pressed.png");
    ok &= save(switchFace(false, {QColor(226, 228, 231), QColor(194, 198, 203), QColor(150, 155, 162)}), cf + "option-off-normal.png");
    ok &= save(switchFace(false, {QColor(240, 241, 243), QColor(212, 215, 219), QColor(165, 170, 177)}), cf + "option-off-hover.png");
    ok &= save(switchFace(false, {QColor(186, 190, 196), QColor(156, 161, 168), QColor(120, 125, 132)}), cf + "option-off-pressed.png");
    // Framed text box, 407 x 31.
    ok &= save(textFrame(), cf + "text-frame.png");

    ok &= save(tabFace(Painting::downward(0, 33, BlueStops), QColor(20, 72, 142)), tf + "tab_normal.png");
    ok &= save(tabFace(White, QColor(48, 122, 206)), tf + "tab_selected.png");
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
    ok &= save(icon(), cf + "icon.png");

    // The URL-safety panel's badges: unknown, danger, safe.
    ok &= save(urlSafetyBadge(QColor(255, 140, 0), QStringLiteral("?"), QStringLiteral("未知")), mw + "badge_unknown.png");
    ok &= save(urlSafetyBadge(QColor(220, 30, 30), QStringLiteral("!"), QStringLiteral("危险")), mw + "badge_danger.png");
    ok &= save(urlSafetyBadge(QColor(30, 160, 70), QStringLiteral("✓"), QStringLiteral("安全")), mw + "badge_safe.png");
    ok &= save(reportLogo(), src + "/windows/faces/report_logo.png");
    for (int size : {48, 128, 256})
        ok &= save(icon(size), src + QString("/app/desktop/icon-%1.png").arg(size));
    return ok ? 0 : 1;
}
