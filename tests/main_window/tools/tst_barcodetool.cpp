#include "BarcodeCases.h"
#include "BarcodePanel.h"
#include "FakeRegistryView.h"
#include "RenderedText.h"

#include <QSignalSpy>

// The barcode panel driven through its real controls, the registry's page
// held by a stand-in view that fills, submits and answers the form the way
// the registry does.
class TestBarcodeTool : public QObject
{
    Q_OBJECT
private slots:
    void controlsAtTheirPlaces();
    void localCheck_data();
    void localCheck();
    void manufacturerInputRefused_data();
    void manufacturerInputRefused();
    void lookups_data();
    void lookups();
    void resultWrittenOnceComplete_data();
    void resultWrittenOnceComplete();
    void pressedBeforeThePageLoaded();
    void noBrowserMeetsTheWaitBox();
    void pageWithoutTheFormMeetsTheWaitBox_data();
    void pageWithoutTheFormMeetsTheWaitBox();
    void completionsWhileIdleAreIgnored();
    void newQueryWhileTheRetryIsOut_data();
    void newQueryWhileTheRetryIsOut();

private:
    static BarcodePanel::MakeView fakeView(FakeRegistryView **made)
    {
        return [made](QWidget *panel, const QRect &place) {
            auto *view = new FakeRegistryView(panel);
            view->widget()->setGeometry(place);
            *made = view;
            return view;
        };
    }
    // The activation's load of the registry form, completed and looked at
    // by the tool.
    static bool loadForm(BarcodePanel &rig, FakeRegistryView *view)
    {
        view->load(BarcodeCases::standinPage("form.html"));
        return QTest::qWaitFor([&rig] { return rig.tool->formThere() == std::optional(true); }, 60000);
    }
};

void TestBarcodeTool::controlsAtTheirPlaces()
{
    FakeRegistryView *view = nullptr;
    BarcodePanel rig(fakeView(&view));
    auto *Label29 = rig.find<QLabel>("Label29");
    auto *Label27 = rig.find<QLabel>("Label27");
    QCOMPARE(rig.txtTXM->geometry(), QRect(144, 80, 153, 25));
    QCOMPARE(rig.txtTXM->maxLength(), 13);
    QCOMPARE(rig.cmdTXM->geometry(), QRect(296, 80, 81, 25));
    QCOMPARE(rig.cmdTXM->text(), QStringLiteral("厂商识别"));
    QCOMPARE(rig.Command1->geometry(), QRect(376, 80, 81, 25));
    QCOMPARE(rig.Command1->text(), QStringLiteral("真伪鉴定"));
    QCOMPARE(rig.Text4->geometry(), QRect(120, 112, 337, 177));
    QVERIFY(rig.Text4->isReadOnly());
    QCOMPARE(rig.Text4->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(rig.Text4->text(), QStringLiteral("查询结果"));
    QCOMPARE(Label29->geometry(), QRect(96, 24, 364, 49));
    QCOMPARE(
        Label29->text(),
        QStringLiteral(
            "    查询条形码请输入完整13位条形码，提供两种功能，厂商识别可以调出厂家及厂家信用（不能查询图书等出版物），"
            "真伪鉴定用于鉴定条形码真伪（可以查询一切商品）。"));
    QCOMPARE(Label27->text(), QStringLiteral("条形码："));
    QCOMPARE(Label27->font().pointSizeF(), 10.5);
    QVERIFY(Label27->font().bold());
    QCOMPARE(Label27->pos(), QPoint(88, 82));
    const QList<QWidget *> controls{rig.txtTXM, rig.cmdTXM, rig.Command1, rig.Text4, Label29, Label27};
    for (QWidget *child : controls)
        QCOMPARE(child->parentWidget(), rig.panel);
}

void TestBarcodeTool::localCheck_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("result"); // null: refused with the "长度不够" box
    QTest::newRow("12 characters") << "690123456789" << QString();
    QTest::newRow("sum 128, check digit 2") << "6901234567892" << BarcodeTool::ValidText;
    QTest::newRow("sum 128, last digit 3") << "6901234567893" << BarcodeTool::FakeText;
    QTest::newRow("sum 110, check digit 0") << "6901234567830" << BarcodeTool::ValidText;
    QTest::newRow("a letter counts 0") << "69012345678A9" << BarcodeTool::ValidText;
    QTest::newRow("a letter counts 0, not its place") << "69012345678A2" << BarcodeTool::FakeText;
}

void TestBarcodeTool::localCheck()
{
    QFETCH(QString, code);
    QFETCH(QString, result);
    FakeRegistryView *view = nullptr;
    BarcodePanel rig(fakeView(&view));
    rig.press(rig.Command1, code);
    if (result.isNull()) {
        QCOMPARE(rig.boxes.boxes.size(), 1);
        QCOMPARE(rig.boxes.boxes[0].icon, MessageBoxes::Icon::Critical);
        QCOMPARE(rig.boxes.boxes[0].title, QStringLiteral("长度不够"));
        QCOMPARE(rig.boxes.boxes[0].text, QStringLiteral("真伪鉴定需要输入13位完整条形码，请将条形码补充完整！"));
        QCOMPARE(rig.Text4->text(), QStringLiteral("查询结果"));
    } else {
        QVERIFY(rig.boxes.boxes.isEmpty());
        QCOMPARE(rig.Text4->text(), result);
    }
    // The local check asks nobody.
    QVERIFY(rig.settle());
    QCOMPARE(view->steps, QStringList());
    QCOMPARE(rig.status->text(), QStringLiteral("before"));
}

void TestBarcodeTool::manufacturerInputRefused_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("12 characters") << "690123456789" << QStringLiteral("请输入正确条形码！");
    QTest::newRow("empty") << "" << QStringLiteral("请输入正确条形码！");
    QTest::newRow("a letter") << "69012345678A9" << QStringLiteral("请输入数字！");
    QTest::newRow("an exponent without digits") << "690123456789e" << QStringLiteral("请输入数字！");
    QTest::newRow("a blank in the exponent") << "6901234567e 8" << QStringLiteral("请输入数字！");
}

void TestBarcodeTool::manufacturerInputRefused()
{
    QFETCH(QString, code);
    QFETCH(QString, text);
    FakeRegistryView *view = nullptr;
    BarcodePanel rig(fakeView(&view));
    rig.press(rig.cmdTXM, code);
    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes[0].icon, MessageBoxes::Icon::Critical);
    QCOMPARE(rig.boxes.boxes[0].title, QStringLiteral("错误"));
    QCOMPARE(rig.boxes.boxes[0].text, text);
    QCOMPARE(rig.Text4->text(), QStringLiteral("查询结果"));
    QVERIFY(!rig.state.BarcodePending);
    QVERIFY(rig.settle());
    QCOMPARE(view->steps, QStringList());
}

void TestBarcodeTool::lookups_data()
{
    BarcodeCases::addLookupRows();
}

void TestBarcodeTool::lookups()
{
    QFETCH(QString, code);
    QFETCH(QString, answer8);
    QFETCH(QString, answer7);
    QFETCH(int, leftCutStart);
    QFETCH(int, leftCutEnd);
    QFETCH(QStringList, sent);
    QFETCH(QString, result);

    FakeRegistryView *view = nullptr;
    BarcodePanel rig(fakeView(&view));
    QVERIFY(loadForm(rig, view));
    view->answerTo = [&](const QString &prefix) {
        if (prefix == code.left(8))
            return answer8;
        if (prefix == code.left(7) && !answer7.isNull())
            return answer7;
        return QStringLiteral("<html><body>unexpected query</body></html>");
    };
    rig.state.CutStart = leftCutStart;
    rig.state.CutEnd = leftCutEnd;

    rig.press(rig.cmdTXM, code);
    QCOMPARE(rig.Text4->text(), BarcodeTool::ProgressText);
    QVERIFY(rig.state.BarcodePending);
    QTRY_VERIFY_WITH_TIMEOUT(view->submitted.size() == sent.size() && !rig.state.BarcodePending, 60000);
    QVERIFY(rig.settle());

    QCOMPARE(rig.Text4->text(), result);
    QCOMPARE(view->submitted, sent);
    QStringList steps;
    for (const QString &prefix : sent)
        steps << QStringLiteral("click txtcode") << QStringLiteral("set txtcode ") + prefix << QStringLiteral("click Btnok");
    QCOMPARE(view->steps, steps);
    QVERIFY(!rig.state.BarcodePending);
    QVERIFY(!rig.state.BarcodeShortRetry);
    QVERIFY(rig.boxes.boxes.isEmpty());
    QCOMPARE(rig.status->text(), QStringLiteral("before"));
}

void TestBarcodeTool::resultWrittenOnceComplete_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("creditReadFails");
    QTest::addColumn<QString>("result");
    // In the page's text the rating stands right behind the name, inside
    // the company cut: 深圳市华南电子有限公司AAA级.
    QTest::newRow("credit read: the whole result at once")
        << BarcodeCases::standinPage("company.html") << false
        << QStringLiteral("公司名称：深圳市华南电子有限公司\r\n企业信用：AAA级");
    QTest::newRow("credit read fails: the progress text stays")
        << BarcodeCases::standinPage("company.html") << true << BarcodeTool::ProgressText;
    QTest::newRow("credit read fails on a complaint page: the complaint stays")
        << BarcodeCases::registryPage(
               QStringLiteral("<p>条码位数太少</p>")
               + BarcodeCases::listing("69012345", QStringLiteral("深圳市 华南 电子有限公司"), BarcodeCases::Credit,
                                       QStringLiteral("查看")))
        << true << BarcodeAnswer::WrongPrefixText;
}

void TestBarcodeTool::resultWrittenOnceComplete()
{
    QFETCH(QString, answer);
    QFETCH(bool, creditReadFails);
    QFETCH(QString, result);
    FakeRegistryView *view = nullptr;
    BarcodePanel rig(fakeView(&view));
    QVERIFY(loadForm(rig, view));
    view->answerTo = [&](const QString &) { return answer; };
    if (creditReadFails)
        view->unreadable << BarcodeAnswer::CreditElement;
    QStringList shown;
    connect(rig.Text4, &QPlainTextEdit::textChanged, this, [&] {
        if (shown.isEmpty() || shown.last() != rig.Text4->text())
            shown << rig.Text4->text();
    });

    rig.press(rig.cmdTXM, QStringLiteral("6901234567892"));
    QTRY_VERIFY_WITH_TIMEOUT(view->submitted.size() == 1 && !rig.state.BarcodePending, 60000);
    QVERIFY(rig.settle());
    QCOMPARE(rig.Text4->text(), result);
    // Nothing half made was ever in sight: the progress text, then the result.
    QStringList expected{BarcodeTool::ProgressText};
    if (result != BarcodeTool::ProgressText)
        expected << result;
    QCOMPARE(shown, expected);
}

void TestBarcodeTool::pressedBeforeThePageLoaded()
{
    FakeRegistryView *view = nullptr;
    BarcodePanel rig(fakeView(&view));
    rig.press(rig.cmdTXM, QStringLiteral("6901234567892"));
    // Within the click: no page has completed, so there is no form to fill.
    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes[0].icon, MessageBoxes::Icon::Exclamation);
    QCOMPARE(rig.boxes.boxes[0].title, QStringLiteral("请稍等"));
    QCOMPARE(rig.boxes.boxes[0].text, QStringLiteral("接口正在连接，请稍后再查询！"));
    QCOMPARE(rig.Text4->text(), BarcodeTool::ProgressText);
    QVERIFY(rig.settle());
    QCOMPARE(view->steps, QStringList());
    QVERIFY(rig.state.BarcodePending);

    // The registry page arrives (the reload at the next activation): its
    // completion is taken as the answer, and the form page lists nobody.
    const QString form = BarcodeCases::standinPage("form.html");
    view->load(form);
    QTRY_VERIFY_WITH_TIMEOUT(!rig.state.BarcodePending, 60000);
    QVERIFY(rig.settle());
    QCOMPARE(rig.state.PageText, RenderInnerText(form));
    QCOMPARE(rig.Text4->text(), BarcodeTool::ProgressText);
    QVERIFY(view->submitted.isEmpty());
    QCOMPARE(rig.boxes.boxes.size(), 1);
}

void TestBarcodeTool::noBrowserMeetsTheWaitBox()
{
    BarcodePanel rig([](QWidget *, const QRect &) { return nullptr; });
    rig.press(rig.cmdTXM, QStringLiteral("6901234567892"));
    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes[0].title, QStringLiteral("请稍等"));
    QVERIFY(rig.state.BarcodePending);
}

void TestBarcodeTool::pageWithoutTheFormMeetsTheWaitBox_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("error page") << QStringLiteral("<html><body><h1>404 Not Found</h1></body></html>");
    QTest::newRow("input without the button")
        << QStringLiteral("<html><body><input name=\"txtcode\" id=\"txtcode\"></body></html>");
}

void TestBarcodeTool::pageWithoutTheFormMeetsTheWaitBox()
{
    QFETCH(QString, page);
    FakeRegistryView *view = nullptr;
    BarcodePanel rig(fakeView(&view));
    QVERIFY(loadForm(rig, view));
    // The next activation's load brings a page without the form.
    view->load(page);
    QTRY_COMPARE_WITH_TIMEOUT(rig.tool->formThere(), std::optional(false), 60000);
    rig.press(rig.cmdTXM, QStringLiteral("6901234567892"));
    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.boxes[0].title, QStringLiteral("请稍等"));
    QVERIFY(rig.state.BarcodePending);
    QVERIFY(rig.settle());
    QCOMPARE(view->steps, QStringList());
}

void TestBarcodeTool::completionsWhileIdleAreIgnored()
{
    FakeRegistryView *view = nullptr;
    BarcodePanel rig(fakeView(&view));
    QVERIFY(loadForm(rig, view));
    view->answerTo = [](const QString &) { return BarcodeCases::standinPage("company.html"); };
    rig.press(rig.cmdTXM, QStringLiteral("6901234567892"));
    QTRY_VERIFY_WITH_TIMEOUT(!rig.state.BarcodePending, 60000);
    QVERIFY(rig.settle());
    const QString shown = rig.Text4->text();
    const QString pageText = rig.state.PageText;
    QVERIFY(shown.startsWith(QStringLiteral("公司名称：")));

    // The activation reloads the form, twice: nobody is waiting for it.
    QSignalSpy completions(view, &BrowserView::documentComplete);
    view->load(BarcodeCases::standinPage("notfound.html"));
    view->load(BarcodeCases::standinPage("form.html"));
    QTRY_COMPARE_WITH_TIMEOUT(completions.count(), 2, 60000);
    QVERIFY(rig.settle());
    QCOMPARE(rig.Text4->text(), shown);
    QCOMPARE(rig.state.PageText, pageText);
    QCOMPARE(view->submitted.size(), 1);
}

void TestBarcodeTool::newQueryWhileTheRetryIsOut_data()
{
    QTest::addColumn<QString>("answer8");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QString>("result");
    QTest::newRow("company: cut behind 8 digits")
        << BarcodeCases::standinPage("company.html") << QStringList{QStringLiteral("69012345")}
        << QStringLiteral("公司名称：深圳市华南电子有限公司\r\n企业信用：AAA级");
    QTest::newRow("no record: the 7-digit query follows")
        << BarcodeCases::standinPage("notfound.html")
        << QStringList{QStringLiteral("69012345"), QStringLiteral("6901234")} << BarcodeAnswer::NotListedText;
}

void TestBarcodeTool::newQueryWhileTheRetryIsOut()
{
    QFETCH(QString, answer8);
    QFETCH(QStringList, sent);
    QFETCH(QString, result);
    FakeRegistryView *view = nullptr;
    BarcodePanel rig(fakeView(&view));
    QVERIFY(loadForm(rig, view));
    view->answerTo = [&](const QString &prefix) {
        return prefix.size() == 8 ? answer8 : BarcodeCases::standinPage("notfound.html");
    };
    // The 7-digit retry of an earlier code has been sent and not answered.
    rig.state.BarcodePending = true;
    rig.state.BarcodeShortRetry = true;

    rig.press(rig.cmdTXM, QStringLiteral("6901234567892"));
    QTRY_VERIFY_WITH_TIMEOUT(view->submitted.size() == sent.size() && !rig.state.BarcodePending, 60000);
    QVERIFY(rig.settle());
    QCOMPARE(rig.Text4->text(), result);
    QCOMPARE(view->submitted, sent);
    QVERIFY(!rig.state.BarcodeShortRetry);
}

QTEST_MAIN(TestBarcodeTool)
#include "tst_barcodetool.moc"
