#include "BrowserViewMaker.h"

#include "BrowserView.h"

#include <QWidget>

BrowserView *makeBrowserView(BrowserFactory *factory, QWidget *parent, const QRect &designPlace, const QString &name)
{
    if (!factory)
        return nullptr;
    BrowserView *view = factory->create(parent, designPlace);
    if (!view)
        return nullptr;
    // A view made without an owner goes with the panel it sits in.
    if (!view->parent())
        view->setParent(parent);
    view->setObjectName(name);
    if (QWidget *shown = view->widget())
        shown->setObjectName(name);
    return view;
}
