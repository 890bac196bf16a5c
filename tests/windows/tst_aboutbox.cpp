#include "Form5.h"
#include "FrameClosedChecks.h"
#include "SecondaryWindows.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QWindow>
#include <QTest>

class TestAboutBox : public QObject
{
    Q_OBJECT
private slots:
    void listAndVersionLine();
    void showingWhileOpenOnlyRaises();
    void reopenedAfterClosingHoldsTwentyOneItems();
    void escLeavesItOpen();
};

void TestAboutBox::listAndVersionLine()
{
    Form5 box;
    QListWidget *list = box.List1();
    QCOMPARE(list->count(), 21);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Orvalent5.5"));
    QCOMPARE(list->item(4)->text(), QStringLiteral("手机归属查询组件5.5"));
    QCOMPARE(list->item(20)->text(), QStringLiteral("恶意网站举报组件5.5"));
    QCOMPARE(box.Label2()->text(), QStringLiteral("产品版本：5.5"));
    QCOMPARE(box.windowTitle(), QStringLiteral("关于"));
    QCOMPARE(box.size(), QSize(482, 319));
}

void TestAboutBox::showingWhileOpenOnlyRaises()
{
    SecondaryWindows windows(SecondaryWindows::Dependencies{});
    windows.showAbout();
    Form5 *first = windows.about();
    QVERIFY(first && first->isVisible());
    windows.showAbout();
    QCOMPARE(windows.about(), first);
    QCOMPARE(first->List1()->count(), 21);
}

void TestAboutBox::reopenedAfterClosingHoldsTwentyOneItems()
{
    SecondaryWindows windows(SecondaryWindows::Dependencies{});
    windows.showAbout();
    QPointer<Form5> first = windows.about();
    first->close();
    QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 20000);
    windows.showAbout();
    QVERIFY(windows.about());
    QCOMPARE(windows.about()->List1()->count(), 21);
}

void TestAboutBox::escLeavesItOpen()
{
    SecondaryWindows windows(SecondaryWindows::Dependencies{});
    windows.showAbout();
    QPointer<Form5> box = windows.about();
    // Esc on the list that has the focus, and on the box itself.
    checkEscLeavesOpenAndCloseBoxUnloads(box, box->List1());
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
