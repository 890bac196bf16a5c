// Page words that hold markup show as their characters in the program's own
// boxes and labels: a page must never paint into the program's windows.
#include "Endpoints.h"
#include "Form4.h"
#include "MessageBoxes.h"
#include "StartupHarness.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QtTest>

namespace
{

// The notice writes its markup as character references, so the rendered
// version reads as markup.
const QString MarkedUpVersion =
    QStringLiteral("<span style=\"color:#ff0000;font-size:28pt\">9.9 请立即拨打客服电话</span>");
const QString MarkedUpVersionSource =
    QStringLiteral("&lt;span style=\"color:#ff0000;font-size:28pt\"&gt;9.9 请立即拨打客服电话&lt;/span&gt;");

void routeNotice(StandinServer &server, const QString &version)
{
    const QUrl address(Endpoints::versionNotice());
    server.setRoute(address.host(), address.path().toUtf8(),
                    StandinServer::html(QStringLiteral("<html><body>The Newest Vision：") + version
                                        + QStringLiteral("########<br>###Update Text###<br>说明<br>#End#</body></html>")));
}

// What a real message box showed, read while it is open; then it is closed.
struct SeenBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
};

class BoxWatcher : public QObject
{
public:
    BoxWatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen.append({box->windowTitle(), box->text(), box->textFormat()});
            box->accept();
        });
        m_timer.start(20);
    }
    QList<SeenBox> seen;

private:
    QTimer m_timer;
};

} // namespace

class TestPlainText : public QObject
{
    Q_OBJECT
private slots:
    void versionBoxShowsTheCharacters();
    void updateWindowShowsTheCharacters();
};

void TestPlainText::versionBoxShowsTheCharacters()
{
    StandinFixture standin;
    routeNotice(standin.server, MarkedUpVersionSource);
    StartupHarness startup;
    startup.layOut();
    QtMessageBoxes boxes; // the program's own boxes, not a recorder
    BoxWatcher watcher;
    Form6 form(startup.fetcher, boxes, startup.shell, startup.folder, startup.mainWindow, startup.clock,
               startup.programEnd);
    form.Form_Initialize();

    QCOMPARE(watcher.seen.size(), 1);
    const SeenBox box = watcher.seen.first();
    QCOMPARE(box.title, QStringLiteral("版本信息"));
    QCOMPARE(box.format, Qt::PlainText);
    QVERIFY2(box.text.contains(QStringLiteral("最新版本是：") + MarkedUpVersion + QStringLiteral("，")),
             qPrintable(box.text));
}

void TestPlainText::updateWindowShowsTheCharacters()
{
    StandinFixture standin;
    routeNotice(standin.server, MarkedUpVersionSource);
    RecordingFatalEnd fatal;
    PageFetcher fetcher(fatal);
    RecordingMessageBoxes boxes;
    RecordingShellOpen shell;
    QTemporaryDir folder;
    QPixmap close(46, 19);
    close.fill(Qt::blue);
    Form4 window(fetcher, boxes, shell, ProgramFolder(folder.path()), {close, close, close});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Command1_Click();

    // The newest version, read from the page, stands in a label of the window.
    QLabel *label = window.Label5();
    QCOMPARE(label->text(), QStringLiteral("最新版本：") + MarkedUpVersion);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    // Every label of the window shows its text as written.
    for (const QLabel *any : window.findChildren<QLabel *>())
        QVERIFY2(any->textFormat() == Qt::PlainText, qPrintable(any->objectName()));
}

QTEST_MAIN(TestPlainText)
#include "tst_plaintext.moc"
