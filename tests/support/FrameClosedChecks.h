#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <QWindow>

// A box that only its title bar's close box closes: Esc on the control that
// has the focus and on the box itself leaves it shown, and the close box
// still unloads it (the box deletes itself on close). The caller checks
// QTest::currentTestFailed() afterwards.
inline void checkEscLeavesOpenAndCloseBoxUnloads(QWidget *shown, QWidget *focused)
{
    QPointer<QWidget> box(shown);
    box->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(box));
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key_Escape);
    QTest::keyClick(box, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!box.isNull());
    QVERIFY(box->isVisible());
    box->windowHandle()->close();
    QTRY_VERIFY_WITH_TIMEOUT(box.isNull(), 20000);
}
