#pragma once

#include "SelectorControl.h"

// A category tab of the main window's top row: blue face, white caption;
// selected, a white face with a black caption.
class Tab : public SelectorControl
{
    Q_OBJECT
public:
    explicit Tab(QWidget *parent = nullptr);
};
