#pragma once

#include "ClickRule.h"

#include <QLabel>
#include <QPixmap>
#include <QPointF>

// A picture that tells its host about the mouse: a skinned control's face or
// frame, and on a window the title picture, the title-bar buttons, the
// background and the edge pieces. It takes every mouse event that reaches
// it, so nothing passes through it to what lies behind, and reports presses
// (any button), moves (also without a button held, and while a button is
// held outside it too: the press captures the pointer), releases and clicks
// (see ClickRule). The second press of a double-click is a double-click, not
// a press: it reports nothing, so a double-click is one click.
// A disabled picture takes no mouse input but keeps its look: it is drawn as
// it is, never greyed.
class PictureBox : public QLabel
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
    QPixmap picture() const { return pixmap(); }

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
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    Fit m_fit;
    ClickRule m_click;
};
