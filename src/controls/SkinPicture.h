#pragma once

#include <QLabel>

// A picture part of a skinned control (a displayed face or a frame). It
// takes every mouse event that reaches it, so nothing passes through it to
// the control's own surface or to the host window, and reports:
//  - pressed: a press with any button;
//  - moved: every pointer move over it, with or without a button held (and,
//    while a button is held, outside it too: the press captures the pointer);
//  - clicked: a left-button press and release both on the picture.
// The second press of a double-click is a double-click, not a press: it
// reports nothing, so a double-click is one click.
// A disabled picture takes no mouse input but keeps its look: the face is
// drawn as it is, never greyed.
class SkinPicture : public QLabel
{
    Q_OBJECT
public:
    explicit SkinPicture(QWidget *parent = nullptr);

signals:
    void pressed();
    void moved();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_leftDown = false;
};
