#pragma once

class QWidget;

// Lays every text label of the window beneath the boxes and buttons of its
// panel that it overlaps, so no label covers an edge of a control the user
// types into or presses; a label made after its panel's boxes would lie over
// them. Pictures, and labels that show no text yet, keep their places: call
// it once the window's labels have their first texts.
void LabelsUnderControls(QWidget *window);

// A box or button the user types into or presses: what a label lies beneath.
bool IsBoxOrButton(const QWidget *widget);
