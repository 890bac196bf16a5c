#include "BrowserView.h"

#include <QTimer>

// A view that does not drive a real page (a test's own view, say) answers
// every page operation with a failure, later, as a real page would.

void BrowserView::bodyText(TextReply reply)
{
    QTimer::singleShot(0, this, [reply] {
        if (reply)
            reply(std::nullopt);
    });
}

void BrowserView::elementText(const QString &, TextReply reply)
{
    QTimer::singleShot(0, this, [reply] {
        if (reply)
            reply(std::nullopt);
    });
}

void BrowserView::clickElement(const QString &, DoneReply reply)
{
    QTimer::singleShot(0, this, [reply] {
        if (reply)
            reply(false);
    });
}

void BrowserView::hasElement(const QString &, DoneReply reply)
{
    QTimer::singleShot(0, this, [reply] {
        if (reply)
            reply(false);
    });
}

void BrowserView::setValueByName(const QString &, const QString &, DoneReply reply)
{
    QTimer::singleShot(0, this, [reply] {
        if (reply)
            reply(false);
    });
}

void BrowserView::clickNth(Collection, const QString &, int, DoneReply reply)
{
    QTimer::singleShot(0, this, [reply] {
        if (reply)
            reply(false);
    });
}

void BrowserView::countByTagName(const QString &, CountReply reply)
{
    QTimer::singleShot(0, this, [reply] {
        if (reply)
            reply(std::nullopt);
    });
}

void BrowserView::firstImagePicture(PictureReply reply)
{
    QTimer::singleShot(0, this, [reply] { if (reply) reply(std::nullopt); });
}
