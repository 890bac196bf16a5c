#pragma once

#include "SelectorControl.h"

// A tool item of the main window's side bar: near-white bar, black caption;
// selected, a blue bar with a white caption.
class Frm : public SelectorControl
{
    Q_OBJECT
public:
    explicit Frm(QWidget *parent = nullptr);
};
