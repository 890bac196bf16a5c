// The tab and side-bar item controls: looks, Click order, caption writes,
// resizing and the stored caption.

#include "Frm.h"
#include "PropertyBag.h"
#include "Tab.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

enum class Kind { Tab, Frm };

std::unique_ptr<SelectorControl> make(Kind kind)
{
    if (kind == Kind::Tab)
        return std::make_unique<Tab>();
    return std::make_unique<Frm>();
}

QColor captionColour(const SelectorControl &c)
{
    return c.captionLabel()->palette().color(QPalette::WindowText);
}

QWidget *facePart(const SelectorControl &c)
{
    return c.findChild<QLabel *>(QStringLiteral("M"));
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TstTabFrm : public QObject
{
    Q_OBJECT

private slots:
    void looks_data();
    void looks();
    void clickSelects_data();
    void clickSelects();
    void gesturesThatAreNoClick_data();
    void gesturesThatAreNoClick();
    void handlerRewritingOwnCaptionStillEndsSelected_data();
    void handlerRewritingOwnCaptionStillEndsSelected();
    void captionWriteRestoresNormal_data();
    void captionWriteRestoresNormal();
    void resizeStretchesFaceCaptionStays_data();
    void resizeStretchesFaceCaptionStays();
    void storedCaption_data();
    void storedCaption();

private:
    void kinds();
};

void TstTabFrm::kinds()
{
    QTest::addColumn<Kind>("kind");
    QTest::newRow("Tab") << Kind::Tab;
    QTest::newRow("Frm") << Kind::Frm;
}

void TstTabFrm::looks_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QSize>("faceSize");
    QTest::addColumn<QSize>("designSize");
    QTest::addColumn<QColor>("normalColour");
    QTest::addColumn<QColor>("selectedColour");
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::newRow("Tab") << Kind::Tab << QSize(113, 33) << QSize(113, 33) << QColor(Qt::white) << QColor(Qt::black)
                         << 10.5 << true;
    QTest::newRow("Frm") << Kind::Frm << QSize(155, 50) << QSize(155, 228) << QColor(Qt::black) << QColor(Qt::white)
                         << 12.0 << false;
}

void TstTabFrm::looks()
{
    QFETCH(Kind, kind);
    QFETCH(QSize, faceSize);
    QFETCH(QSize, designSize);
    QFETCH(QColor, normalColour);
    QFETCH(QColor, selectedColour);
    QFETCH(qreal, pointSize);
    QFETCH(bool, bold);
    auto c = make(kind);
    QCOMPARE(c->normalFace().size(), faceSize);
    QCOMPARE(c->selectedFace().size(), faceSize);
    QVERIFY(c->normalFace().toImage() != c->selectedFace().toImage());
    QCOMPARE(c->size(), designSize);
    QVERIFY(!c->showsSelectedLook());
    QCOMPARE(c->displayedFace().toImage(), c->normalFace().toImage());
    QCOMPARE(captionColour(*c), normalColour);
    QCOMPARE(c->captionLabel()->font().family(), QStringLiteral("微软雅黑"));
    QCOMPARE(c->captionLabel()->font().pointSizeF(), pointSize);
    QCOMPARE(c->captionLabel()->font().bold(), bold);
    QVERIFY(selectedColour != normalColour);
}

void TstTabFrm::clickSelects_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("onCaption");
    QTest::addColumn<QColor>("selectedColour");
    QTest::newRow("Tab on face") << Kind::Tab << "初级鉴别" << false << QColor(Qt::black);
    QTest::newRow("Tab on caption") << Kind::Tab << "初级鉴别" << true << QColor(Qt::black);
    QTest::newRow("Frm on face") << Kind::Frm << "IP地址查询" << false << QColor(Qt::white);
    QTest::newRow("Frm on caption") << Kind::Frm << "IP地址查询" << true << QColor(Qt::white);
    QTest::newRow("Frm empty caption") << Kind::Frm << "" << false << QColor(Qt::white);
}

void TstTabFrm::clickSelects()
{
    QFETCH(Kind, kind);
    QFETCH(QString, caption);
    QFETCH(bool, onCaption);
    QFETCH(QColor, selectedColour);
    auto c = make(kind);
    c->setCaption(caption);
    c->show();
    QCOMPARE(c->captionLabel()->text(), caption);

    // While Click is being handled the control still shows its normal look.
    bool normalDuringHandler = false;
    connect(c.get(), &SelectorControl::Click, this, [&] { normalDuringHandler = !c->showsSelectedLook(); });
    QSignalSpy clicks(c.get(), &SelectorControl::Click);
    QWidget *target = onCaption ? static_cast<QWidget *>(c->captionLabel()) : facePart(*c);
    const QPoint at = onCaption ? c->captionLabel()->rect().center() : QPoint(3, 3);
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(normalDuringHandler);
    QVERIFY(c->showsSelectedLook());
    QCOMPARE(c->displayedFace().toImage(), c->selectedFace().toImage());
    QCOMPARE(captionColour(*c), selectedColour);

    // Clicking again raises Click again and stays selected.
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QCOMPARE(clicks.count(), 2);
    QVERIFY(c->showsSelectedLook());
}

void TstTabFrm::gesturesThatAreNoClick_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("gesture");
    // 0: left press on the face, release outside it; 1: right click;
    // 2: press on the caption, release on the face.
    for (Kind k : {Kind::Tab, Kind::Frm}) {
        const char *name = k == Kind::Tab ? "Tab" : "Frm";
        QTest::newRow(qPrintable(QString("%1 release outside").arg(name))) << k << 0;
        QTest::newRow(qPrintable(QString("%1 right button").arg(name))) << k << 1;
        QTest::newRow(qPrintable(QString("%1 caption to face").arg(name))) << k << 2;
    }
}

void TstTabFrm::gesturesThatAreNoClick()
{
    QFETCH(Kind, kind);
    QFETCH(int, gesture);
    auto c = make(kind);
    c->setCaption(QStringLiteral("高级鉴别"));
    c->show();
    QSignalSpy clicks(c.get(), &SelectorControl::Click);
    QWidget *face = facePart(*c);
    QLabel *label = c->captionLabel();
    switch (gesture) {
    case 0:
        QTest::mousePress(face, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseRelease(face, Qt::LeftButton, {}, QPoint(face->width() + 20, 3));
        break;
    case 1:
        QTest::mouseClick(face, Qt::RightButton, {}, QPoint(3, 3));
        break;
    case 2:
        QTest::mousePress(label, Qt::LeftButton, {}, label->rect().center());
        QTest::mouseRelease(face, Qt::LeftButton, {}, QPoint(3, 3));
        break;
    }
    QCOMPARE(clicks.count(), 0);
    QVERIFY(!c->showsSelectedLook());
}

void TstTabFrm::handlerRewritingOwnCaptionStillEndsSelected_data()
{
    kinds();
}

void TstTabFrm::handlerRewritingOwnCaptionStillEndsSelected()
{
    QFETCH(Kind, kind);
    auto c = make(kind);
    auto other = make(kind);
    c->setCaption(QStringLiteral("中级鉴别"));
    other->setCaption(QStringLiteral("初级鉴别"));
    c->show();
    // The other control was selected earlier; the host resets both.
    QTest::mouseClick(facePart(*other), Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(other->showsSelectedLook());
    connect(c.get(), &SelectorControl::Click, this, [&] {
        other->setCaption(other->Caption());
        c->setCaption(QStringLiteral("改过的标题"));
    });
    QTest::mouseClick(facePart(*c), Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(c->showsSelectedLook());
    QCOMPARE(c->Caption(), QStringLiteral("改过的标题"));
    QVERIFY(!other->showsSelectedLook());
}

void TstTabFrm::captionWriteRestoresNormal_data()
{
    kinds();
}

void TstTabFrm::captionWriteRestoresNormal()
{
    QFETCH(Kind, kind);
    auto c = make(kind);
    const QColor normal = captionColour(*c);
    c->setCaption(QStringLiteral("手机归属查询"));
    c->show();
    QSignalSpy clicks(c.get(), &SelectorControl::Click);
    QTest::mouseClick(facePart(*c), Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(c->showsSelectedLook());
    c->setCaption(QStringLiteral("手机归属查询")); // the same caption again
    QVERIFY(!c->showsSelectedLook());
    QCOMPARE(c->displayedFace().toImage(), c->normalFace().toImage());
    QCOMPARE(captionColour(*c), normal);
    QCOMPARE(clicks.count(), 1); // writing raises no event
}

void TstTabFrm::resizeStretchesFaceCaptionStays_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QSize>("hostSize");
    QTest::addColumn<int>("centreLine");
    QTest::addColumn<int>("top");
    QTest::newRow("Tab") << Kind::Tab << QSize(113, 33) << 56 << 6;
    QTest::newRow("Frm on the side bar") << Kind::Frm << QSize(161, 49) << 78 << 13;
    QTest::newRow("Frm narrower") << Kind::Frm << QSize(100, 40) << 78 << 13;
}

void TstTabFrm::resizeStretchesFaceCaptionStays()
{
    QFETCH(Kind, kind);
    QFETCH(QSize, hostSize);
    QFETCH(int, centreLine);
    QFETCH(int, top);
    auto c = make(kind);
    c->setCaption(QStringLiteral("网站流量排名查询"));
    c->resize(hostSize);
    c->show();
    QCOMPARE(facePart(*c)->geometry(), QRect(QPoint(0, 0), hostSize));
    QLabel *label = c->captionLabel();
    QCOMPARE(label->y(), top);
    QVERIFY(qAbs(label->geometry().center().x() + 1 - centreLine) <= 1);
    // A shorter caption stays on the same line.
    c->setCaption(QStringLiteral("工商"));
    QVERIFY(qAbs(label->geometry().center().x() + 1 - centreLine) <= 1);
    QCOMPARE(label->y(), top);
    // The grabbed control shows the face stretched: its far corner has the
    // face's colour, not the window's.
    const QImage shot = c->grab().toImage();
    const QImage face = c->normalFace().toImage();
    QCOMPARE(shot.size(), hostSize * c->devicePixelRatioF());
    QCOMPARE(QColor(shot.pixel(shot.width() / 2, shot.height() - 3)).name(),
             QColor(face.pixel(face.width() / 2, face.height() - 3)).name());
}

void TstTabFrm::storedCaption_data()
{
    kinds();
}

void TstTabFrm::storedCaption()
{
    QFETCH(Kind, kind);
    auto c = make(kind);
    c->setCaption(QStringLiteral("原来的"));
    c->show();
    QTest::mouseClick(facePart(*c), Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(c->showsSelectedLook());

    // A missing key keeps the current caption, and loading still gives the normal look.
    PropertyBag empty;
    c->ReadProperties(empty);
    QCOMPARE(c->Caption(), QStringLiteral("原来的"));
    QVERIFY(!c->showsSelectedLook());

    PropertyBag bag;
    bag.write(QStringLiteral("Caption"), QStringLiteral("发票真伪查询"));
    c->ReadProperties(bag);
    QCOMPARE(c->Caption(), QStringLiteral("发票真伪查询"));

    // Saving writes the caption always, an empty one too.
    c->setCaption(QString());
    PropertyBag saved;
    c->WriteProperties(saved);
    QVERIFY(saved.contains(QStringLiteral("Caption")));
    QCOMPARE(saved.read(QStringLiteral("Caption"), QStringLiteral("x")).toString(), QString());
}

QTEST_MAIN(TstTabFrm)
#include "tst_tabfrm.moc"
