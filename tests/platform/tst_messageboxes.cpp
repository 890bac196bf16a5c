// The program's message boxes are at least as wide as their title bar needs:
// a window manager cuts a title that does not fit ("没有… 文件").

#include "MessageBoxes.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class TestMessageBoxes : public QObject
{
    Q_OBJECT
private slots:
    void boxIsAsWideAsItsTitle_data();
    void boxIsAsWideAsItsTitle();
};

void TestMessageBoxes::boxIsAsWideAsItsTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("no file chosen") << "没有选择文件" << "您没有选择文件！";
    QTest::newRow("title longer than the text") << "该工具丢失或损坏，请重新下载Orvalent" << "好";
}

void TestMessageBoxes::boxIsAsWideAsItsTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, text);
    QtMessageBoxes boxes;
    int width = -1;
    QString shownTitle, shownText;
    QTimer watch;
    watch.setInterval(10);
    connect(&watch, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            width = box->width();
            shownTitle = box->windowTitle();
            shownText = box->text();
            box->accept();
        }
    });
    watch.start();
    boxes.show(MessageBoxes::Icon::Exclamation, title, text);

    QCOMPARE(shownTitle, title);
    QCOMPARE(shownText, text);
    // The title in a bold title font, beside the window icon and the
    // minimise, maximise and close buttons of an ordinary title bar (about
    // 24 px each).
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    const int needed = QFontMetrics(titleFont).horizontalAdvance(title) + 4 * 24;
    QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 px for a title that needs %2").arg(width).arg(needed)));
}

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
