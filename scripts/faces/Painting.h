#pragma once
// The drawing helpers shared by the two programs that paint the skin
// pictures: scripts/faces/make_faces.cpp (the face PNGs committed with the
// controls and the windows) and resources/tools/MakeArtwork.cpp (the
// program folder's IMG pictures, drawn at build time). Keeping them here
// keeps the canvases, gradients and lettering of both sets alike.

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGradient>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>

namespace Painting
{

// The face the pictures letter with; always installed, so the pictures come
// out the same on every machine that draws them.
inline const QString FontFamily = QStringLiteral("WenQuanYi Micro Hei");

inline QFont font(int pixelSize, bool bold = false)
{
    QFont f(FontFamily);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

// An opaque picture, like the bitmaps the pictures stand for: whatever a
// curved edge leaves uncovered keeps the fill colour.
inline QImage canvas(int width, int height, const QColor &fill = Qt::white)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// A picture that keeps its alpha (the icons), clear all over.
inline QImage clearCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

inline QLinearGradient linear(const QPointF &from, const QPointF &to, const QGradientStops &stops)
{
    QLinearGradient g(from, to);
    g.setStops(stops);
    return g;
}

inline QLinearGradient linear(const QPointF &from, const QPointF &to, const QColor &start, const QColor &end)
{
    return linear(from, to, QGradientStops{{0.0, start}, {1.0, end}});
}

// A gradient running straight down from y = top to y = bottom.
inline QLinearGradient downward(qreal top, qreal bottom, const QGradientStops &stops)
{
    return linear(QPointF(0, top), QPointF(0, bottom), stops);
}

inline QLinearGradient downward(qreal top, qreal bottom, const QColor &start, const QColor &end)
{
    return downward(top, bottom, QGradientStops{{0.0, start}, {1.0, end}});
}

// Fills the area with a gradient that runs from its top edge to its bottom edge.
inline void fillDownward(QPainter &p, const QRect &area, const QGradientStops &stops)
{
    p.fillRect(area, downward(area.top(), area.top() + area.height(), stops));
}

inline void fillDownward(QPainter &p, const QRect &area, const QColor &top, const QColor &bottom)
{
    fillDownward(p, area, QGradientStops{{0.0, top}, {1.0, bottom}});
}

// Letters one line of text into the box; the painter's pen and font are left
// as they were.
inline void drawText(QPainter &p, const QRectF &box, int alignment, const QString &text, const QFont &face,
                     const QColor &colour)
{
    p.save();
    p.setFont(face);
    p.setPen(colour);
    p.drawText(box, alignment, text);
    p.restore();
}

// Writes the picture, making its folder first. The format follows the file
// name unless one is given; quality -1 is the writer's default.
inline bool saveImage(const QImage &image, const QString &path, const char *format = nullptr, int quality = -1)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path, format, quality);
}

} // namespace Painting
