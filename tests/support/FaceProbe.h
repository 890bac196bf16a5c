#pragma once

#include <QLabel>
#include <QPixmap>
#include <QStringList>
#include <QTest>
#include <QWindow>
#include <QWidget>

// Which hidden holder's picture the control's displayed face M shows, by
// pixmap identity; "none" when it shows none of them.
inline QString shownFace(const QWidget *control, const QStringList &holders)
{
    const auto *face = control->findChild<QLabel *>(QStringLiteral("M"), Qt::FindDirectChildrenOnly);
    if (!face)
        return QStringLiteral("no face");
    const qint64 shown = face->pixmap().cacheKey();
    for (const QString &name : holders) {
        const auto *holder = control->findChild<QLabel *>(name, Qt::FindDirectChildrenOnly);
        if (holder && !holder->pixmap().isNull() && holder->pixmap().cacheKey() == shown)
            return name;
    }
    return QStringLiteral("none");
}

// Real pointer input: the events enter through the target's window, so the
// window finds the part under the pointer, gives the focus by its policy and
// keeps a pressed part as the receiver until the release, as a user's mouse
// does. Positions are in the target's own coordinates.
namespace Pointer {

inline QPoint inWindow(QWidget *target, QPoint local)
{
    return target->mapTo(target->window(), local);
}

inline void press(QWidget *target, Qt::MouseButton button, QPoint local)
{
    QTest::mousePress(target->window()->windowHandle(), button, {}, inWindow(target, local));
}

inline void release(QWidget *target, Qt::MouseButton button, QPoint local)
{
    QTest::mouseRelease(target->window()->windowHandle(), button, {}, inWindow(target, local));
}

inline void click(QWidget *target, Qt::MouseButton button, QPoint local)
{
    QTest::mouseClick(target->window()->windowHandle(), button, {}, inWindow(target, local));
}

// A double-click as the window system delivers it: press, release, then the
// second press as a double-click, and its release.
inline void doubleClick(QWidget *target, Qt::MouseButton button, QPoint local)
{
    QTest::mouseDClick(target->window()->windowHandle(), button, {}, inWindow(target, local));
}

// The window system drops a move to where the pointer already is, so the
// pointer first steps one pixel aside within the same target.
inline void move(QWidget *target, QPoint local)
{
    const QPoint aside = target->rect().contains(local + QPoint(1, 0)) ? local + QPoint(1, 0) : local - QPoint(1, 0);
    QTest::mouseMove(target->window()->windowHandle(), inWindow(target, aside));
    QTest::mouseMove(target->window()->windowHandle(), inWindow(target, local));
}

} // namespace Pointer
