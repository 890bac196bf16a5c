#pragma once

#include "WindowDrag.h"

#include <QPointF>

class QMouseEvent;
class QWidget;

// Dragging a borderless window by its bare surface, wherever no control
// covers it. Labels and pictures pass the presses and moves they do not use
// up to the window; those belong to the control under the pointer, so they
// neither start a drag nor count as moves over the surface. The window hands
// in its own mouse events.
class SurfaceDrag
{
public:
    explicit SurfaceDrag(QWidget &window) : m_window(window) {}

    // A press on the window. True when it landed on the bare surface; the
    // left button there starts a drag.
    bool press(const QMouseEvent &event);
    // True when a move belongs to the surface: over it with no button held,
    // or while a button that went down on it is held (the window then has the
    // mouse, wherever the pointer is).
    bool isSurfaceMove(const QMouseEvent &event) const;
    // While dragging, moves the window after the pointer.
    void follow(const QMouseEvent &event);
    // Any button released: the drag ends.
    void release();

private:
    bool overSurface(QPointF position) const;

    QWidget &m_window;
    WindowDrag m_drag;
    bool m_pressed = false; // a button went down on the surface
};
