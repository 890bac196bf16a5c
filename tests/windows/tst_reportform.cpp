#include "ReportForm.h"

#include <QTest>

// The report form's checks, without the window: each row is a form as the
// user might leave it, and what comes out is either the report that goes into
// the page or the box that turns it down, with the address field as the
// checks leave it.
namespace {

using Icon = MessageBoxes::Icon;

const QString Reason = QStringLiteral("冒充淘宝骗取货款，已有多人受骗。");
const QString Site = QStringLiteral("http://www.bad-shop.cn");

} // namespace

class TestReportForm : public QObject
{
    Q_OBJECT
private slots:
    void checks_data();
    void checks();
};

void TestReportForm::checks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QList<int>>("greyed");
    QTest::addColumn<QString>("reason"); // as the form sends it, CR LF
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("addressAfter");
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<QString>("title"); // empty: the report goes out
    QTest::addColumn<QString>("text");

    const QList<int> one{0};
    const QList<int> none;
    const QString entry = QStringLiteral("数据录入错误");
    const QString noName = QStringLiteral("请正确认真填写网站/网店的名称！");
    const QString badAddress = QStringLiteral("请正确填写网站/网店的网址！");
    const QString noCategory = QStringLiteral("请选择举报类别！");
    const QString badReason = QStringLiteral("请认真填写举报理由以便快速处理！");
    const QString badEmail = QStringLiteral("请正确填写邮箱，以便发送反馈结果！");
    const QString badCode = QStringLiteral("请正确填写验证码！");

    // The report goes out.
    QTest::newRow("all good") << "店" << Site << QList<int>{1, 9} << none << Reason << "me@a.cn" << "7394" << Site
                              << Icon::None << "" << "";
    QTest::newRow("only the last category") << "店" << Site << QList<int>{11} << none << Reason << "me@a.cn" << "7394"
                                            << Site << Icon::None << "" << "";
    QTest::newRow("greyed beside a ticked one is left out")
        << "店" << Site << QList<int>{4} << QList<int>{2, 7} << Reason << "me@a.cn" << "7394" << Site << Icon::None
        << "" << "";
    QTest::newRow("8 characters get the scheme") << "店" << "www.a.cn" << one << none << Reason << "me@a.cn" << "7394"
                                                 << "http://www.a.cn" << Icon::None << "" << "";
    QTest::newRow("8 characters with the scheme stay") << "店" << "http://a" << one << none << Reason << "me@a.cn"
                                                       << "7394" << "http://a" << Icon::None << "" << "";
    QTest::newRow("secure scheme gets it too") << "店" << "https://a.cn" << one << none << Reason << "me@a.cn" << "7394"
                                               << "http://https://a.cn" << Icon::None << "" << "";
    QTest::newRow("capital scheme gets it too") << "店" << "HTTP://A.CN" << one << none << Reason << "me@a.cn"
                                                << "7394" << "http://HTTP://A.CN" << Icon::None << "" << "";
    QTest::newRow("10-character reason") << "店" << Site << one << none << "1234567890" << "me@a.cn" << "7394" << Site
                                         << Icon::None << "" << "";
    QTest::newRow("line break counts two") << "店" << Site << one << none << "1234\r\n1234" << "me@a.cn" << "7394"
                                           << Site << Icon::None << "" << "";
    QTest::newRow("6 characters without an at sign") << "店" << Site << one << none << Reason << "abcdef" << "7394"
                                                     << Site << Icon::None << "" << "";
    QTest::newRow("any 4 characters") << "店" << Site << one << none << Reason << "me@a.cn" << "验证 码" << Site
                                      << Icon::None << "" << "";

    // Step 1: the name.
    QTest::newRow("no name") << "" << Site << one << none << Reason << "me@a.cn" << "7394" << Site << Icon::Critical
                             << entry << noName;
    QTest::newRow("no name: the address keeps its text") << "" << "www.a.cn" << one << none << Reason << "me@a.cn"
                                                         << "7394" << "www.a.cn" << Icon::Critical << entry << noName;
    QTest::newRow("everything empty: the name first") << "" << "" << none << none << "" << "" << "" << ""
                                                      << Icon::Critical << entry << noName;
    // Step 2: the address's length, before the scheme goes in front.
    QTest::newRow("scheme alone") << "店" << "http://" << one << none << Reason << "me@a.cn" << "7394" << "http://"
                                  << Icon::Critical << entry << badAddress;
    QTest::newRow("7 characters get no scheme") << "店" << "a.cn/xy" << none << none << "" << "" << "" << "a.cn/xy"
                                                << Icon::Critical << entry << badAddress;
    // Step 3: a ticked category; the scheme stays from here on.
    QTest::newRow("no category: the scheme stays") << "店" << "www.a.cn" << none << none << Reason << "me@a.cn"
                                                   << "7394" << "http://www.a.cn" << Icon::Critical << entry
                                                   << noCategory;
    QTest::newRow("a greyed box is not ticked") << "店" << Site << none << QList<int>{0, 11} << Reason << "me@a.cn"
                                                << "7394" << Site << Icon::Critical << entry << noCategory;
    QTest::newRow("no category before a short reason") << "店" << Site << none << none << "短" << "" << "" << Site
                                                        << Icon::Critical << entry << noCategory;
    // Step 4: the reason, the one refusal with the exclamation icon.
    QTest::newRow("9-character reason") << "店" << Site << one << none << "123456789" << "me@a.cn" << "7394" << Site
                                        << Icon::Exclamation << "理由填写不正确" << badReason;
    QTest::newRow("short with a line break") << "店" << "www.a.cn" << one << none << "1234\r\n123" << "me@a.cn"
                                             << "7394" << "http://www.a.cn" << Icon::Exclamation << "理由填写不正确"
                                             << badReason;
    QTest::newRow("short reason before a short e-mail") << "店" << Site << one << none << "" << "" << "" << Site
                                                        << Icon::Exclamation << "理由填写不正确" << badReason;
    // Step 5: the e-mail.
    QTest::newRow("5-character e-mail") << "店" << Site << one << none << Reason << "a@b.c" << "7394" << Site
                                        << Icon::Critical << entry << badEmail;
    QTest::newRow("short e-mail before a bad code") << "店" << Site << one << none << Reason << "" << "" << Site
                                                    << Icon::Critical << entry << badEmail;
    // Step 6: the captcha code, exactly 4 characters.
    QTest::newRow("3-character code") << "店" << Site << one << none << Reason << "me@a.cn" << "739" << Site
                                      << Icon::Critical << entry << badCode;
    QTest::newRow("5-character code") << "店" << Site << one << none << Reason << "me@a.cn" << "73945" << Site
                                      << Icon::Critical << entry << badCode;
}

void TestReportForm::checks()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QList<int>, ticked);
    QFETCH(QList<int>, greyed);
    QFETCH(QString, reason);
    QFETCH(QString, email);
    QFETCH(QString, code);
    QFETCH(QString, addressAfter);
    QFETCH(Icon, icon);
    QFETCH(QString, title);
    QFETCH(QString, text);

    ReportForm::Fields fields{name, address, reason, email, code, {}};
    fields.categories.fill(Qt::Unchecked);
    for (int i : ticked)
        fields.categories[i] = Qt::Checked;
    for (int i : greyed)
        fields.categories[i] = Qt::PartiallyChecked;

    const ReportForm::Checked checked = ReportForm::check(fields);
    QCOMPARE(checked.address, addressAfter);

    if (title.isEmpty()) {
        const auto *report = std::get_if<ReportSubmission::Report>(&checked.outcome);
        QVERIFY2(report, "the report was refused");
        QCOMPARE(report->title, name);
        QCOMPARE(report->url, addressAfter);
        QCOMPARE(report->describe, reason);
        QCOMPARE(report->email, email);
        QCOMPARE(report->validateCode, code);
        QCOMPARE(report->categories, ticked);
        return;
    }
    const auto *refusal = std::get_if<ReportForm::Refusal>(&checked.outcome);
    QVERIFY2(refusal, "the report went out");
    QCOMPARE(refusal->icon, icon);
    QCOMPARE(refusal->title, title);
    QCOMPARE(refusal->text, text);
}

QTEST_APPLESS_MAIN(TestReportForm)
#include "tst_reportform.moc"
