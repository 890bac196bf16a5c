// Renders every look of every control into the build folder
// (screenshots/controls-*.png) for a person to look at, and checks that the
// looks are told apart on screen: each grab differs from the others of its
// control.

#include "Command.h"
#include "FaceProbe.h"
#include "Fonts.h"
#include "Option.h"
#include "Screenshots.h"
#include "Text.h"
#include "Twips.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

QImage grabAndSave(QWidget *control, const QString &name)
{
    const QImage image = control->grab().toImage();
    const QString path = QDir(screenshotsDir()).filePath(QStringLiteral("controls-") + name + QStringLiteral(".png"));
    if (!image.save(path))
        qWarning("cannot write %s", qPrintable(path));
    return image;
}

void verifyAllDiffer(const QList<QImage> &images)
{
    for (int i = 0; i < images.size(); ++i)
        for (int j = i + 1; j < images.size(); ++j)
            QVERIFY2(images[i] != images[j], qPrintable(QStringLiteral("looks %1 and %2 look the same").arg(i).arg(j)));
}

} // namespace

class TestControlScreenshots : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Fonts::install();
    }
    void command();
    void option();
    void text();
};

void TestControlScreenshots::command()
{
    QWidget window;
    window.resize(200, 80);
    auto *button = new Command(&window);
    button->setGeometry(Twips::rect(300, 300, 1335, 375));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    button->setCaption(QStringLiteral("提交举报"));
    auto *face = button->findChild<QLabel *>(QStringLiteral("M"));

    QList<QImage> looks;
    looks << grabAndSave(button, QStringLiteral("command-normal"));
    Pointer::move(face, face->rect().center());
    looks << grabAndSave(button, QStringLiteral("command-hover"));
    Pointer::press(face, Qt::LeftButton, face->rect().center());
    looks << grabAndSave(button, QStringLiteral("command-pressed"));
    Pointer::release(face, Qt::LeftButton, QPoint(-50, -50));
    button->setEnabled(false);
    looks << grabAndSave(button, QStringLiteral("command-disabled"));
    verifyAllDiffer(looks);
}

void TestControlScreenshots::option()
{
    QWidget window;
    window.resize(120, 60);
    auto *option = new Option(&window);
    option->move(15, 15);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *face = option->findChild<QLabel *>(QStringLiteral("M"));

    QList<QImage> looks;
    for (const bool on : {true, false}) {
        const QString state = on ? QStringLiteral("on") : QStringLiteral("off");
        option->setEnabled(on);
        looks << grabAndSave(option, QStringLiteral("option-%1-normal").arg(state));
        Pointer::move(face, face->rect().center());
        looks << grabAndSave(option, QStringLiteral("option-%1-hover").arg(state));
        Pointer::press(face, Qt::LeftButton, face->rect().center());
        looks << grabAndSave(option, QStringLiteral("option-%1-pressed").arg(state));
        Pointer::release(face, Qt::LeftButton, QPoint(-50, -50));
    }
    verifyAllDiffer(looks);
}

void TestControlScreenshots::text()
{
    QWidget window;
    window.resize(320, 60);
    auto *text = new Text(&window);
    text->setGeometry(Twips::rect(150, 150, 4215, 420));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QList<QImage> looks;
    looks << grabAndSave(text, QStringLiteral("text-empty"));
    text->setText(QStringLiteral("http://www.example.cn/举报"));
    looks << grabAndSave(text, QStringLiteral("text-filled"));
    text->setEnabled(false);
    looks << grabAndSave(text, QStringLiteral("text-disabled"));
    verifyAllDiffer(looks);
}

QTEST_MAIN(TestControlScreenshots)
#include "tst_controlscreenshots.moc"
