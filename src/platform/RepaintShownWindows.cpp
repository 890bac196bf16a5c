#include "RepaintShownWindows.h"

#include <QApplication>
#include <QWidget>

void RepaintShownWindows()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->isMinimized())
            window->repaint();
    }
}
