// Every plain push button of the main window's tools is pressed by Enter and
// keypad Enter while it has the focus, as by Space: the keys run the tool's
// query through the real main window, its tools and the stand-in services.

#include "MainWindowFixture.h"
#include "ResultBox.h"
#include "StandinFixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

// What shows that the button's handler ran.
enum class Sign {
    Box,     // a message box with a text that begins with this
    Request, // the stand-in was asked for this path and query
    Shown,   // the control "control" shows a text that begins with this
    Report,  // the report window was asked for with this address
};

// The text a label, button or box shows.
QString shownText(const QWidget *control)
{
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto *box = qobject_cast<const ResultBox *>(control))
        return box->text();
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(Sign)

class TstToolButtonKeys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { standin.emplace(); }
    void cleanupTestCase() { standin.reset(); }
    void keysPressFocusedButton_data();
    void keysPressFocusedButton();

private:
    std::optional<StandinFixture> standin;
};

void TstToolButtonKeys::keysPressFocusedButton_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("input"); // the panel's box that gets "typed"
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Sign>("sign");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("expected");

    const QString self = QCoreApplication::applicationFilePath();
    struct Row {
        const char *name;
        QString panel, button, input, typed;
        Sign sign;
        QString control, expected;
    };
    const QList<Row> rows{
        {"mobile", "TabSJ", "cmdShouJiChaXun", "txtShouJi", "13800138000", Sign::Request, {},
         "/search.asp?action=mobile&mobile=13800138000"},
        {"ip", "TabIP", "cmdIPChaXun", "txtIP", "1.2.3.256", Sign::Shown, "txtIPJG", "    输入的IP地址不合法！"},
        {"id card", "TabSFZ", "cmdShenFenZhengChaXun", "txtSFZ", "12345", Sign::Box, {}, "身份证号输入错误！"},
        {"whois", "TabYM", "cmdYuMingChaXun", "txtYuMing", "example.cn", Sign::Request, {}, "/whois/example.cn"},
        {"file dialog", "TabQM", "cmdFile", "txtFile", {}, Sign::Box, {}, "您没有选择文件！"},
        {"sha1", "TabQM", "cmdSHA1", "txtFile", self, Sign::Shown, "Label9", "文件摘要(SHA1)："},
        {"md5", "TabQM", "cmdMD5", "txtFile", self, Sign::Shown, "Label9", "文件摘要(MD5)："},
        {"signature", "TabQM", "cmdCer", "txtFile", "/nonexistent/setup.exe", Sign::Shown, "Label9",
         "您选择的文件没有数字签名"},
        {"host lookup", "TabZhuJi", "cmdZhuJiChaXun", "txtZhuji", "http://a.cn", Sign::Box, {},
         "网址输入错误！"},
        {"traffic rank", "TabRenQi", "cmdRenQiChaxun", "txtRenQi", "abc", Sign::Box, {},
         "请输入正确的网址！错误号ORVN#03"},
        {"page rank", "TabLiuXing", "cmdLiuXingChaXun", "txtLiuXing", "a.cn", Sign::Box, {}, "网址错误！"},
        {"host count", "TabShuLiang", "cmdGO", "txtSLURL", "-x.cn", Sign::Box, {}, "输入的域名不能以“-”开头，否则无法查询！请去掉！"},
        {"telephone", "TabTel", "cmdTelChaXun", "txtTel", "0755", Sign::Box, {}, "电话号码格式为 010-12345678 ！"},
        {"number range", "TabTel", "Command5", "Text3", "2345678", Sign::Box, {}, "出现未知错误！"},
        {"e-mail help", "TabTel", "Command4", "txtTel", {}, Sign::Box, {}, "1、Outlook"},
        {"url safety", "TabUS", "cmdUS", "txtUS", "a.cn", Sign::Box, {}, "请输入完整正确的网址！错误号#03"},
        {"report", "TabUS", "Command12", "txtUS", "bad.example.cn", Sign::Report, {}, "http://bad.example.cn"},
        {"barcode registry", "TabTXM", "cmdTXM", "txtTXM", "690", Sign::Box, {}, "请输入正确条形码！"},
        {"barcode check", "TabTXM", "Command1", "txtTXM", "690", Sign::Box, {},
         "真伪鉴定需要输入13位完整条形码，请将条形码补充完整！"},
        {"post code", "TabPost", "cmdPost", "txtPost", "深圳", Sign::Shown, "txtPostJG", "查询中......"},
    };
    for (const Row &row : rows) {
        for (const auto &[keyName, key, modifiers] :
             {std::tuple{"Return", Qt::Key_Return, Qt::KeyboardModifiers()},
              std::tuple{"keypad Enter", Qt::Key_Enter, Qt::KeyboardModifiers(Qt::KeypadModifier)}}) {
            Q_UNUSED(key);
            Q_UNUSED(modifiers);
            QTest::addRow("%s, %s", row.name, keyName)
                << row.panel << row.button << row.input << row.typed << row.sign << row.control << row.expected;
        }
    }
}

void TstToolButtonKeys::keysPressFocusedButton()
{
    QFETCH(QString, panel);
    QFETCH(QString, button);
    QFETCH(QString, input);
    QFETCH(QString, typed);
    QFETCH(Sign, sign);
    QFETCH(QString, control);
    QFETCH(QString, expected);
    const bool keypad = QString::fromLatin1(QTest::currentDataTag()).endsWith(QLatin1String("keypad Enter"));

    MainWindowFixture f({});
    Form1 &form = *f.form;
    QSignalSpy reports(&form, &Form1::reportRequestedFor);
    const qsizetype requestsBefore = standin->server.requests().size();
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QWidget *tool = form.panel(panel);
    QVERIFY(tool);
    tool->show();
    tool->raise();
    auto *box = tool->findChild<QLineEdit *>(input);
    QVERIFY2(box, qPrintable(input));
    box->setText(typed);
    auto *push = tool->findChild<QPushButton *>(button);
    QVERIFY2(push, qPrintable(button));
    push->setFocus(Qt::TabFocusReason);
    QVERIFY(push->hasFocus());

    // The file panel's button opens the file dialog: it is cancelled.
    QTimer cancel;
    cancel.setInterval(10);
    connect(&cancel, &QTimer::timeout, [] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    cancel.start();

    if (keypad)
        QTest::keyClick(push, Qt::Key_Enter, Qt::KeypadModifier);
    else
        QTest::keyClick(push, Qt::Key_Return);

    switch (sign) {
    case Sign::Box: {
        QTRY_COMPARE_WITH_TIMEOUT(f.boxes.boxes.size(), 1, 30000);
        QVERIFY2(f.boxes.boxes.first().text.startsWith(expected), qPrintable(f.boxes.boxes.first().text));
        break;
    }
    case Sign::Request: {
        QList<QByteArray> asked;
        QTRY_VERIFY_WITH_TIMEOUT((asked = [&] {
                                     QList<QByteArray> paths;
                                     const auto all = standin->server.requests();
                                     for (qsizetype i = requestsBefore; i < all.size(); ++i)
                                         paths.append(all.at(i).pathAndQuery);
                                     return paths;
                                 }())
                                     .contains(expected.toUtf8()),
                                 10000);
        break;
    }
    case Sign::Shown: {
        auto *shown = tool->findChild<QWidget *>(control);
        QVERIFY2(shown, qPrintable(control));
        QTRY_VERIFY2_WITH_TIMEOUT(shownText(shown).startsWith(expected), qPrintable(shownText(shown)), 30000);
        break;
    }
    case Sign::Report:
        QTRY_COMPARE_WITH_TIMEOUT(reports.size(), 1, 30000);
        QCOMPARE(reports.first().first().toString(), expected);
        break;
    }
    QCOMPARE(f.fatalEnd.count, 0);
}

QTEST_MAIN(TstToolButtonKeys)
#include "tst_toolbuttonkeys.moc"
