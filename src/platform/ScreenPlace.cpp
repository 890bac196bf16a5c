#include "ScreenPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect place(QPoint(), window->frameGeometry().size());
    place.moveCenter(screen->availableGeometry().center());
    window->move(place.topLeft());
}
