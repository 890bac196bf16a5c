#pragma once

class QMouseEvent;
class QWidget;

// When a mouse press and release make a click: the left button pressed on a
// part and released over the same part. Other buttons neither begin nor end
// a click, and a release outside the part, or one whose press went to
// another part, clicks nothing. One rule can serve several parts of a
// control; the part pressed last is the one a release may complete.
class ClickRule
{
public:
    void press(const QMouseEvent &event, const QWidget *part);
    // True when this release completes a click on part.
    bool release(const QMouseEvent &event, const QWidget *part);

private:
    const QWidget *m_pressedPart = nullptr;
};
