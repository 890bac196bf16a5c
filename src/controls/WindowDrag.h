#pragma once

#include <QPoint>
#include <QPointF>
#include <optional>

// Moving a borderless window by dragging a part of it with the left button.
// The arithmetic is the window's own, in twips: new position = window position
// - press point + pointer point, each rounded to the nearest whole twip
// (halves to even) and held in signed 16-bit numbers. A position that does not
// fit them is not applied, so the window never jumps to a wrapped place.
class WindowDrag
{
public:
    // A press on the drag area at a point in pixels relative to the window's
    // top-left corner. Only the left button starts a drag.
    void press(Qt::MouseButton button, QPointF pointPixels);
    // The pointer moved to pointPixels. While dragging, returns the window's
    // new top-left corner in pixels, or nothing when it would not fit.
    std::optional<QPoint> move(QPoint windowPixels, QPointF pointPixels) const;
    // Any button released over the drag area.
    void release() { m_active = false; }
    bool active() const { return m_active; }

    // The twips arithmetic alone: nothing when a coordinate leaves -32768..32767.
    static std::optional<QPoint> newPositionTwips(double windowLeft, double windowTop, int startX, int startY,
                                                  double x, double y);
    // Rounds to the nearest whole number, halves to even.
    static double roundHalfEven(double value);

private:
    bool m_active = false;
    int m_startX = 0; // twips
    int m_startY = 0;
};
