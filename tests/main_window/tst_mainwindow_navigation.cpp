// Tabs, side-bar items and panels of the main window, clicked through the
// real controls.

#include "MainWindowFixture.h"

#include "Endpoints.h"
#include "Frm.h"
#include "Tab.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

void click(SelectorControl *control)
{
    QVERIFY(control);
    QTest::mouseClick(control->findChild<QWidget *>(QStringLiteral("M")), Qt::LeftButton, {}, QPoint(3, 3));
}

SelectorControl *control(Form1 &form, const QString &name)
{
    if (SelectorControl *tab = form.tab(name))
        return tab;
    return form.item(name);
}

const QStringList PanelNames{"TabSJ",       "TabIP",  "TabSFZ", "TabYM", "TabZhuJi", "TabRenQi", "TabLiuXing",
                             "TabShuLiang", "TabTel", "TabUS",  "TabQM", "TabTXM",   "TabPost"};
const QStringList TabNames{"Tab1", "Tab2", "Tab3", "Tab4"};
const QStringList ItemNames{"FrmSJ",       "FrmIP",  "FrmSFZ",       "FrmYM",  "FrmFile",   "FrmPost",
                            "frmZhuJi",    "frmRenQi", "frmLiuXing", "frmShuLiang", "frmICP", "frmGongShang",
                            "frmTel",      "frmUSSafe", "frmTB",     "frmTXM", "frmShui"};

QStringList shownPanels(Form1 &form)
{
    QStringList shown;
    for (const QString &name : PanelNames)
        if (!form.panel(name)->isHidden())
            shown << name;
    return shown;
}

QStringList shownGroups(Form1 &form)
{
    QStringList shown;
    for (const char *name : {"frmCJ", "frmZJ", "frmGJ"})
        if (!form.group(QLatin1String(name))->isHidden())
            shown << QLatin1String(name);
    return shown;
}

QStringList selectedControls(Form1 &form)
{
    QStringList selected;
    for (const QString &name : TabNames + ItemNames)
        if (control(form, name)->showsSelectedLook())
            selected << name;
    return selected;
}

QString icon(MessageBoxes::Icon icon)
{
    switch (icon) {
    case MessageBoxes::Icon::Critical:
        return QStringLiteral("critical");
    case MessageBoxes::Icon::Information:
        return QStringLiteral("information");
    case MessageBoxes::Icon::Exclamation:
        return QStringLiteral("exclamation");
    case MessageBoxes::Icon::None:
        break;
    }
    return QStringLiteral("none");
}

} // namespace

class TstForm1Navigation : public QObject
{
    Q_OBJECT

private slots:
    void startsWithNothingChosen();
    void tabs_data();
    void tabs();
    void items_data();
    void items();
    void edgeCases_data();
    void edgeCases();
};

void TstForm1Navigation::startsWithNothingChosen()
{
    MainWindowFixture f({});
    Form1 &form = *f.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(shownPanels(form).isEmpty());
    QVERIFY(shownGroups(form).isEmpty());
    QVERIFY(selectedControls(form).isEmpty());
    QVERIFY(form.findChild<QLabel *>(QStringLiteral("Label3"))->isVisible());
    for (const QString &name : PanelNames) {
        QWidget *panel = form.panel(name);
        QVERIFY2(panel, qPrintable(name));
        QCOMPARE(panel->objectName(), name);
        QCOMPARE(panel->parentWidget(), &form);
        QCOMPARE(panel->geometry(), Twips::rect(2640, 1680, 9255, 6375));
        QCOMPARE(panel->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(panel->autoFillBackground());
    }
    QVERIFY(!form.panel(QStringLiteral("TabNothing")));
    for (const char *name : {"frmCJ", "frmZJ", "frmGJ"}) {
        QWidget *group = form.group(QLatin1String(name));
        QCOMPARE(group->geometry(), Twips::rect(120, 1680, 2415, 6495));
        QCOMPARE(group->palette().color(QPalette::Window), QColor(Qt::white));
    }
}

void TstForm1Navigation::tabs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("left");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("group");
    QTest::newRow("Tab1") << "Tab1" << 90 << "初级鉴别" << "frmCJ";
    QTest::newRow("Tab2") << "Tab2" << 1770 << "中级鉴别" << "frmZJ";
    QTest::newRow("Tab3") << "Tab3" << 3450 << "高级鉴别" << "frmGJ";
    QTest::newRow("Tab4") << "Tab4" << 5130 << "增值服务" << "";
}

void TstForm1Navigation::tabs()
{
    QFETCH(QString, name);
    QFETCH(int, left);
    QFETCH(QString, caption);
    QFETCH(QString, group);
    MainWindowFixture f({});
    Form1 &form = *f.form;
    Tab *tab = form.tab(name);
    QVERIFY(tab);
    QCOMPARE(tab->parentWidget(), &form);
    QCOMPARE(tab->geometry(), Twips::rect(left, 1125, 1695, 495));
    QCOMPARE(tab->Caption(), caption);
    // Another tab selected first, so the switch shows.
    click(form.tab(name == "Tab1" ? "Tab3" : "Tab1"));
    click(tab);
    QCOMPARE(selectedControls(form), QStringList{name});
    QCOMPARE(shownGroups(form), group.isEmpty() ? QStringList{} : QStringList{group});
    // The other tabs are put back with their own captions.
    const QStringList captions{"初级鉴别", "中级鉴别", "高级鉴别", "增值服务"};
    for (int i = 0; i < TabNames.size(); ++i)
        QCOMPARE(form.tab(TabNames[i])->Caption(), captions[i]);
}

void TstForm1Navigation::items_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("panel"); // empty: opens something outside
    const struct {
        const char *group, *name;
        int top;
        const char *caption, *panel;
    } rows[] = {
        {"frmCJ", "FrmSJ", 0, "手机归属查询", "TabSJ"},
        {"frmCJ", "FrmIP", 720, "IP地址查询", "TabIP"},
        {"frmCJ", "FrmSFZ", 1440, "身份证校验", "TabSFZ"},
        {"frmCJ", "FrmYM", 2160, "域名信息查询", "TabYM"},
        {"frmCJ", "FrmFile", 2880, "文件安全校验", "TabQM"},
        {"frmCJ", "FrmPost", 3600, "邮政编码查询", "TabPost"},
        {"frmZJ", "frmZhuJi", 0, "主机位置查询", "TabZhuJi"},
        {"frmZJ", "frmRenQi", 720, "网站流量排名查询", "TabRenQi"},
        {"frmZJ", "frmLiuXing", 1440, "网站流行度查询", "TabLiuXing"},
        {"frmZJ", "frmShuLiang", 2160, "网站主机数量查询", "TabShuLiang"},
        {"frmGJ", "frmICP", 0, "网站ICP备案查询", ""},
        {"frmGJ", "frmGongShang", 720, "工商查询", ""},
        {"frmGJ", "frmTel", 1440, "Email及固话查询", "TabTel"},
        {"frmGJ", "frmUSSafe", 2160, "网址安全云鉴定", "TabUS"},
        {"frmGJ", "frmTB", 2880, "淘宝店铺信用查询", ""},
        {"frmGJ", "frmTXM", 3600, "商品条形码查询", "TabTXM"},
        {"frmGJ", "frmShui", 4320, "发票真伪查询", ""},
    };
    for (const auto &row : rows) {
        const QString group = QLatin1String(row.group);
        const QString tab = group == "frmCJ" ? "Tab1" : group == "frmZJ" ? "Tab2" : "Tab3";
        QTest::newRow(row.name) << tab << group << QString(row.name) << row.top << QString::fromUtf8(row.caption)
                                << QString(row.panel);
    }
}

void TstForm1Navigation::items()
{
    QFETCH(QString, tab);
    QFETCH(QString, group);
    QFETCH(QString, name);
    QFETCH(int, top);
    QFETCH(QString, caption);
    QFETCH(QString, panel);
    MainWindowFixture f({.sibling = true});
    Form1 &form = *f.form;
    form.show();
    Frm *item = form.item(name);
    QVERIFY(item);
    QCOMPARE(item->parentWidget(), form.group(group));
    QCOMPARE(item->geometry(), Twips::rect(0, top, 2415, 735));
    QCOMPARE(item->Caption(), caption);

    click(form.tab(tab));
    QVERIFY(item->isVisible());
    // Another item of the group first, whose panel the click must hide.
    const QString neighbour = name == "FrmIP" ? "FrmSJ" : name == "frmTel" ? "frmUSSafe" : group == "frmCJ" ? "FrmIP"
                              : group == "frmZJ"                          ? "frmRenQi"
                                                                          : "frmTel";
    if (neighbour != name)
        click(form.item(neighbour));
    click(item);
    QCOMPARE(selectedControls(form), (QStringList{tab, name}));
    QCOMPARE(shownPanels(form), panel.isEmpty() ? QStringList{} : QStringList{panel});
    QCOMPARE(shownGroups(form), QStringList{group});
    QCOMPARE(item->Caption(), caption); // the reset writes the same captions back
}

void TstForm1Navigation::edgeCases_data()
{
    QTest::addColumn<QString>("files");      // "sibling", "sibling that fails", or ""
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("panel");      // the one panel shown after the clicks, or ""
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QStringList>("boxes");  // icon|title|text; "paid-services" for the paid-services window
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<QStringList>("started"); // relative to the program folder

    const QString icp = QStringLiteral("http://%1/icp/publish/query/icpMemoInfo_showPage.action").arg(Endpoints::IcpHost);
    const QString search = QStringLiteral("http://%1/s?wd=%B9%A4%C9%CC%BE%D6").arg(Endpoints::SearchHost);
    const QString tax = QStringLiteral("http://%1/n480462/n481069/n3759321/").arg(Endpoints::TaxInvoiceHost);
    const QString icpBox = QStringLiteral(
        "information|提示|本功能由于相关政府部门网站不能做成接口形式，只能用户手动查询，前往网站后按提示操作即可！");
    const QString searchBox = QStringLiteral(
        "information|提示|本功能由于全国分局很多，且经常变动，所以用户需手动查询，大部分省市企业信用在工商局网站，"
        "部分企业信用网站是单独的（如北京），用户可以在百度上搜索到各省市的相关部门进行查询。");
    const QString lostTool = QStringLiteral("critical|找不到工具|该工具丢失或损坏，请重新下载Orvalent！");

    QTest::newRow("FrmIP twice keeps the panel and its content")
        << "" << QStringList{"Tab1", "FrmIP", "FrmIP"} << "TabIP" << "frmCJ" << QStringList{"Tab1", "FrmIP"}
        << QStringList{} << QStringList{} << QStringList{};
    QTest::newRow("Tab2 hides the panel and shows the home texts")
        << "" << QStringList{"Tab1", "FrmIP", "Tab2"} << "" << "frmZJ" << QStringList{"Tab2"} << QStringList{}
        << QStringList{} << QStringList{};
    QTest::newRow("items across groups")
        << "" << QStringList{"Tab1", "FrmSJ", "Tab2", "frmZhuJi"} << "TabZhuJi" << "frmZJ"
        << QStringList{"Tab2", "frmZhuJi"} << QStringList{} << QStringList{} << QStringList{};
    QTest::newRow("frmICP hides the panel, shows its box, then opens the page")
        << "" << QStringList{"Tab3", "frmTel", "frmICP"} << "" << "frmGJ" << QStringList{"Tab3", "frmICP"}
        << QStringList{icpBox} << QStringList{icp} << QStringList{};
    QTest::newRow("frmGongShang the same with the search")
        << "" << QStringList{"Tab3", "frmUSSafe", "frmGongShang"} << "" << "frmGJ"
        << QStringList{"Tab3", "frmGongShang"} << QStringList{searchBox} << QStringList{search} << QStringList{};
    QTest::newRow("frmShui opens without a box")
        << "" << QStringList{"Tab3", "frmTXM", "frmShui"} << "" << "frmGJ" << QStringList{"Tab3", "frmShui"}
        << QStringList{} << QStringList{tax} << QStringList{};
    QTest::newRow("frmTB starts the sibling tool")
        << "sibling" << QStringList{"Tab3", "frmTel", "frmTB"} << "" << "frmGJ" << QStringList{"Tab3", "frmTB"}
        << QStringList{} << QStringList{} << QStringList{"/Tessaview.exe"};
    QTest::newRow("frmTB without the sibling tool")
        << "" << QStringList{"Tab3", "frmTel", "frmTB"} << "" << "frmGJ" << QStringList{"Tab3", "frmTB"}
        << QStringList{lostTool} << QStringList{} << QStringList{};
    QTest::newRow("frmTB with a sibling tool that does not start")
        << "sibling that fails" << QStringList{"Tab3", "frmTB"} << "" << "frmGJ" << QStringList{"Tab3", "frmTB"}
        << QStringList{lostTool} << QStringList{} << QStringList{"/Tessaview.exe"};
    QTest::newRow("Tab4 hides the side bar and stays selected after its box")
        << "" << QStringList{"Tab1", "FrmSFZ", "Tab4"} << "" << "" << QStringList{"Tab4"}
        << QStringList{"paid-services"} << QStringList{} << QStringList{};
    QTest::newRow("a tab after Tab4") << "" << QStringList{"Tab4", "Tab1"} << "" << "frmCJ" << QStringList{"Tab1"}
                                      << QStringList{"paid-services"} << QStringList{} << QStringList{};
}

void TstForm1Navigation::edgeCases()
{
    QFETCH(QString, files);
    QFETCH(QStringList, clicks);
    QFETCH(QString, panel);
    QFETCH(QString, group);
    QFETCH(QStringList, selected);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, opened);
    QFETCH(QStringList, started);
    MainWindowFixture f({.sibling = !files.isEmpty()});
    f.shell.startSucceeds = files != "sibling that fails";
    Form1 &form = *f.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // Something typed into every panel earlier: navigation never clears it.
    for (const QString &name : PanelNames) {
        auto *input = new QLineEdit(form.panel(name));
        input->setObjectName(QStringLiteral("probe"));
        input->setText(QStringLiteral("之前的输入"));
    }

    // While a box is open (or the paid-services window is asked for), no
    // panel shows and no page has been opened yet.
    QStringList seenBoxes;
    QStringList whileOpen;
    auto look = [&] {
        whileOpen << QStringLiteral("panels=%1 opened=%2 groups=%3")
                         .arg(shownPanels(form).join(','))
                         .arg(f.shell.opened.size())
                         .arg(shownGroups(form).join(','));
    };
    f.boxes.onShow = [&](const RecordedBox &box) {
        seenBoxes << icon(box.icon) + '|' + box.title + '|' + box.text;
        look();
    };
    QWidget paidServices;
    connect(&form, &Form1::paidServicesRequested, this, [&] {
        seenBoxes << QStringLiteral("paid-services");
        look();
        paidServices.show(); // modeless: the handler goes on at once
    });

    for (const QString &name : clicks)
        click(control(form, name));
    paidServices.close();

    QCOMPARE(shownPanels(form), panel.isEmpty() ? QStringList{} : QStringList{panel});
    QCOMPARE(shownGroups(form), group.isEmpty() ? QStringList{} : QStringList{group});
    QCOMPARE(selectedControls(form), selected);
    QCOMPARE(seenBoxes, boxes);
    for (const QString &seen : whileOpen)
        QVERIFY2(seen.startsWith(QStringLiteral("panels= opened=0")), qPrintable(seen));
    if (boxes.contains(QStringLiteral("paid-services")))
        QVERIFY(whileOpen.last().endsWith(QStringLiteral("groups="))); // the side bar went first
    QCOMPARE(f.shell.opened, opened);
    QStringList expectedStarts;
    for (const QString &program : started)
        expectedStarts << f.dir.path() + program;
    QCOMPARE(f.shell.started, expectedStarts);
    for (const QString &name : PanelNames)
        QCOMPARE(form.panel(name)->findChild<QLineEdit *>(QStringLiteral("probe"))->text(), QStringLiteral("之前的输入"));
    QCOMPARE(f.ended, 0);
}

QTEST_MAIN(TstForm1Navigation)
#include "tst_mainwindow_navigation.moc"
