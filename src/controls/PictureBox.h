#pragma once

#include <QPixmap>
#include <QPointF>
#include <QWidget>

// A picture on a window: the title picture, the title-bar buttons, the
// background, the edge pieces. It paints its picture itself, so a disabled
// box (the background, the dead maximise button) still shows it plainly and
// only stops taking the mouse. It tells its host about presses, moves (also
// without a button held), releases and clicks (press and release of the
// same button on it).
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    enum class Fit {
        AsIs,         // the picture at the top-left corner, clipped by the box
        Stretch,      // the picture stretched to the box
        SizeToPicture // the box takes the picture's size (a missing picture keeps the box)
    };
    explicit PictureBox(Fit fit, QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

signals:
    void mousePressed(Qt::MouseButton button, QPointF position);
    void mouseMoved(Qt::MouseButtons buttons, QPointF position);
    void mouseReleased(Qt::MouseButton button, QPointF position);
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Fit m_fit;
    QPixmap m_picture;
    Qt::MouseButton m_pressedButton = Qt::NoButton;
};
