#pragma once

#include <QRect>
#include <QString>

class BrowserFactory;
class BrowserView;
class QWidget;

// A browser view from the factory, parked in parent at designPlace (pixels)
// under its design name, the view and its widget alike, so the window, its
// tools and the tests all find it by that name. Nothing without a factory or
// when the factory makes none: the tools then run without their browser.
BrowserView *makeBrowserView(BrowserFactory *factory, QWidget *parent, const QRect &designPlace, const QString &name);
