// A double-click on any skinned control is one click: its second press is a
// double-click, which the controls take without pressing or clicking again.
#include "Command.h"
#include "FaceProbe.h"
#include "Fonts.h"
#include "Frm.h"
#include "Option.h"
#include "Tab.h"
#include "Twips.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

class TestDoubleClick : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Fonts::install(); }
    void oneClick_data();
    void oneClick();
};

void TestDoubleClick::oneClick_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("part");        // the part double-clicked
    QTest::addColumn<QStringList>("holders"); // the faces M can show
    QTest::addColumn<QString>("face");        // the face shown afterwards
    const QStringList command{QStringLiteral("M0"), QStringLiteral("M1"), QStringLiteral("M2")};
    const QStringList option{QStringLiteral("M1"), QStringLiteral("M2"), QStringLiteral("M3"),
                             QStringLiteral("M5"), QStringLiteral("M6"), QStringLiteral("M7")};
    const QStringList selector; // these show a copy: their look is asked for
    // The button runs its handler once and ends on the normal face.
    QTest::newRow("Command face") << "Command"
                                  << "M" << command << "M0";
    QTest::newRow("Command caption") << "Command"
                                     << "Label1" << command << "M0";
    // The switch flips once: on to off, off-normal face.
    QTest::newRow("Option") << "Option"
                            << "M" << option << "M5";
    QTest::newRow("Tab face") << "Tab"
                              << "M" << selector << "selected";
    QTest::newRow("Tab caption") << "Tab"
                                 << "Label1" << selector << "selected";
    QTest::newRow("Frm face") << "Frm"
                              << "M" << selector << "selected";
}

void TestDoubleClick::oneClick()
{
    QFETCH(QString, kind);
    QFETCH(QString, part);
    QFETCH(QStringList, holders);
    QFETCH(QString, face);
    QWidget window;
    window.resize(400, 200);
    QWidget *control = nullptr;
    if (kind == QLatin1String("Command")) {
        auto *button = new Command(&window);
        button->setGeometry(Twips::rect(600, 600, 1335, 375));
        button->setCaption(QStringLiteral("提交"));
        control = button;
    } else if (kind == QLatin1String("Option")) {
        control = new Option(&window);
    } else if (kind == QLatin1String("Tab")) {
        auto *tab = new Tab(&window);
        tab->setCaption(QStringLiteral("网络查询"));
        control = tab;
    } else {
        auto *item = new Frm(&window);
        item->setGeometry(Twips::rect(0, 0, 2415, 735));
        item->setCaption(QStringLiteral("IP地址查询"));
        control = item;
    }
    QSignalSpy clicks(control, SIGNAL(Click()));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *target = control->findChild<QLabel *>(part, Qt::FindDirectChildrenOnly);
    QVERIFY(target);
    // The caption is transparent to the pointer where it lets the face take
    // the click; the double-click goes to whatever lies under its middle.
    Pointer::doubleClick(target, Qt::LeftButton, target->rect().center());
    QCOMPARE(clicks.count(), 1);
    if (holders.isEmpty())
        QVERIFY(static_cast<SelectorControl *>(control)->showsSelectedLook());
    else
        QCOMPARE(shownFace(control, holders), face);
    if (kind == QLatin1String("Option"))
        QVERIFY(!static_cast<Option *>(control)->Enabled());
}

QTEST_MAIN(TestDoubleClick)
#include "tst_doubleclick.moc"
