// Draws every face picture of the skinned controls at its pixel size and
// writes them as PNG files into the folder named on the command line.
// The pictures are opaque (no alpha), like the bitmaps they stand for: the
// corners outside a rounded face are filled with white.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>

namespace {

struct Shade
{
    QColor top;
    QColor bottom;
    QColor border;
};

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A rounded button face with a vertical gradient and a one-pixel border.
QImage buttonFace(int width, int height, const Shade &shade, qreal radius)
{
    QImage image = blank(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body(0.5, 0.5, width - 1.0, height - 1.0);
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0.0, shade.top);
    fill.setColorAt(1.0, shade.bottom);
    painter.setPen(QPen(shade.border, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(body, radius, radius);
    // A faint highlight along the upper half gives the face some depth.
    painter.setPen(Qt::NoPen);
    QColor gloss(255, 255, 255, 70);
    painter.setBrush(gloss);
    painter.drawRoundedRect(QRectF(1.5, 1.5, width - 3.0, height / 2.0 - 1.0), radius - 1, radius - 1);
    return image;
}

// The switch: a pill with a knob at one end and its words at the other.
QImage switchFace(bool on, const Shade &shade)
{
    const int width = 79;
    const int height = 23;
    QImage image = blank(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF pill(0.5, 0.5, width - 1.0, height - 1.0);
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0.0, shade.top);
    fill.setColorAt(1.0, shade.bottom);
    painter.setPen(QPen(shade.border, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(pill, height / 2.0 - 0.5, height / 2.0 - 0.5);

    const qreal knobSize = height - 5.0;
    const qreal knobLeft = on ? width - 2.5 - knobSize : 2.5;
    const QRectF knob(knobLeft, 2.5, knobSize, knobSize);
    QRadialGradient knobFill(knob.center() - QPointF(2, 2), knobSize);
    knobFill.setColorAt(0.0, QColor(255, 255, 255));
    knobFill.setColorAt(1.0, QColor(222, 226, 230));
    painter.setPen(QPen(shade.border.darker(110), 1.0));
    painter.setBrush(knobFill);
    painter.drawEllipse(knob);

    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(on ? QColor(255, 255, 255) : QColor(70, 74, 80));
    const QRectF words = on ? QRectF(3, 0, knobLeft - 3, height) : QRectF(knob.right() + 1, 0, width - knob.right() - 4, height);
    painter.drawText(words, Qt::AlignCenter, on ? QStringLiteral("已开启") : QStringLiteral("已关闭"));
    return image;
}

// The framed text box: white field, thin light grey-blue border, slightly
// curved corners.
QImage textFrame()
{
    const int width = 407;
    const int height = 31;
    QImage image = blank(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(160, 180, 204), 1.0));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(0.5, 0.5, width - 1.0, height - 1.0), 3.0, 3.0);
    // An inner shadow line along the top, as framed boxes have.
    painter.setPen(QPen(QColor(226, 233, 242), 1.0));
    painter.drawLine(QPointF(3, 1.5), QPointF(width - 3, 1.5));
    return image;
}

bool save(const QImage &image, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: face_pictures OUTPUT-FOLDER\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;

    bool ok = true;
    // Push button, 74 x 23.
    ok &= save(buttonFace(74, 23, {QColor(246, 249, 252), QColor(221, 230, 240), QColor(150, 170, 195)}, 3.5), folder, QStringLiteral("command-normal"));
    ok &= save(buttonFace(74, 23, {QColor(249, 251, 253), QColor(229, 235, 243), QColor(160, 178, 200)}, 3.5), folder, QStringLiteral("command-design"));
    ok &= save(buttonFace(74, 23, {QColor(232, 245, 254), QColor(186, 224, 250), QColor(110, 172, 222)}, 3.5), folder, QStringLiteral("command-hover"));
    ok &= save(buttonFace(74, 23, {QColor(140, 194, 240), QColor(88, 153, 216), QColor(54, 112, 178)}, 3.5), folder, QStringLiteral("command-pressed"));

    // Switch, 79 x 23: green when on, grey when off.
    ok &= save(switchFace(true, {QColor(104, 200, 96), QColor(56, 160, 52), QColor(40, 128, 40)}), folder, QStringLiteral("option-on-normal"));
    ok &= save(switchFace(true, {QColor(136, 220, 126), QColor(84, 186, 76), QColor(52, 150, 50)}), folder, QStringLiteral("option-on-hover"));
    ok &= save(switchFace(true, {QColor(60, 150, 56), QColor(34, 118, 32), QColor(26, 92, 26)}), folder, QStringLiteral("option-on-pressed"));
    ok &= save(switchFace(false, {QColor(226, 228, 231), QColor(194, 198, 203), QColor(150, 155, 162)}), folder, QStringLiteral("option-off-normal"));
    ok &= save(switchFace(false, {QColor(240, 241, 243), QColor(212, 215, 219), QColor(165, 170, 177)}), folder, QStringLiteral("option-off-hover"));
    ok &= save(switchFace(false, {QColor(186, 190, 196), QColor(156, 161, 168), QColor(120, 125, 132)}), folder, QStringLiteral("option-off-pressed"));

    // Framed text box, 407 x 31.
    ok &= save(textFrame(), folder, QStringLiteral("text-frame"));
    return ok ? 0 : 1;
}
