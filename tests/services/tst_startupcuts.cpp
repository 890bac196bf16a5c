// The start-up's text rules: the newer-version test, the three cuts and the
// installation checks, and the committed pages they are read from.
#include "InstallationChecks.h"
#include "PageText.h"
#include "ProgramFolder.h"
#include "ProgramVersion.h"
#include "RenderedText.h"
#include "StartupCuts.h"
#include "VersionNotice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

const QString AllFiles[] = {
    QStringLiteral("\\IMG\\JB.jpg"),    QStringLiteral("\\IMG\\Main.jpg"), QStringLiteral("\\IMG\\Sector5.jpg"),
    QStringLiteral("\\IMG\\Title.jpg"), QStringLiteral("\\IMG\\Set.jpg"),  QStringLiteral("\\使用说明书.pdf"),
    QStringLiteral("\\Tessaview.exe"),
};

void touch(const ProgramFolder &folder, const QString &resource)
{
    const QString path = folder.path(resource);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

// A cut's text, or which error it throws.
template <typename CutFunction>
QString outcome(CutFunction cut, const QString &page)
{
    try {
        return cut(page);
    } catch (const OverflowError &) {
        return QStringLiteral("<overflow>");
    } catch (const InvalidArgumentError &) {
        return QStringLiteral("<invalid argument>");
    }
}

QString readSource(const QString &relative)
{
    QFile file(qEnvironmentVariable("KORDELVANE_SOURCE_DIR") + QLatin1Char('/') + relative);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

class TestStartupCuts : public QObject
{
    Q_OBJECT
private slots:
    void newerVersion_data()
    {
        QTest::addColumn<QString>("newest");
        QTest::addColumn<bool>("newer");
        QTest::newRow("5.6") << "5.6" << true;
        QTest::newRow("6.0") << "6.0" << true;
        QTest::newRow("5.5a") << "5.5a" << true;
        QTest::newRow("5.5 trailing blank") << "5.5 " << true;
        QTest::newRow("5.5 trailing CR LF") << "5.5\r\n" << true;
        QTest::newRow("5.5 same") << "5.5" << false;
        QTest::newRow("5.10 sorts before 5.5") << "5.10" << false;
        QTest::newRow("10.0 sorts before 5.5") << "10.0" << false;
        QTest::newRow("5 is a prefix") << "5" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("leading blank") << " 5.6" << false;
        QTest::newRow("first difference decides") << "5.4z" << false;
    }
    void newerVersion()
    {
        QFETCH(QString, newest);
        QFETCH(bool, newer);
        QCOMPARE(IsNewerVersion(newest, ProgramVersion), newer);
    }

    void surrogatesCompareByCodeUnit()
    {
        // U+10000 is D800 DC00 in UTF-16, below U+E000 by code unit.
        const QString astral = QString::fromUtf16(u"\U00010000");
        const QString privateUse = QString::fromUtf16(u"\uE000");
        QVERIFY(IsNewerVersion(privateUse, astral));
        QVERIFY(!IsNewerVersion(astral, privateUse));
    }

    void newestVersion_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("newest");
        QTest::newRow("notice") << "The Newest Vision：5.6########\r\n###Update Text###\r\nline\r\n#End#" << true
                                << "5.6";
        QTest::newRow("blank kept") << "The Newest Vision：5.5 ########" << true << "5.5 ";
        QTest::newRow("empty version") << "The Newest Vision：########" << true << "";
        QTest::newRow("text before the marker") << "公告\r\nThe Newest Vision：6.0########" << true << "6.0";
        // Without its marker the version is cut from position 18 up to the
        // first "########"; only a negative length leaves no cut.
        QTest::newRow("ASCII colon is not the marker") << "The Newest Vision:5.6########" << true << ":5.6";
        QTest::newRow("marker missing") << "0123456789012345678901234567.9########" << true << "78901234567.9";
        QTest::newRow("marker missing, end at 18") << "01234567890123456########" << true << "";
        QTest::newRow("marker missing, end before 18") << "0123456789########" << false << "";
        QTest::newRow("end marker missing") << "The Newest Vision：5.6" << false << "";
        QTest::newRow("end marker first") << "########\r\nThe Newest Vision：5.6" << false << "";
        QTest::newRow("empty page") << "" << false << "";
    }
    void newestVersion()
    {
        QFETCH(QString, page);
        QFETCH(bool, cut);
        QFETCH(QString, newest);
        const std::optional<QString> found = NoticeNewestVersion(page);
        QCOMPARE(found.has_value(), cut);
        if (cut)
            QCOMPARE(*found, newest);
    }

    // The update window's cuts: fixed offsets and 16-bit positions, whatever
    // stands at the marker.
    void updateWindowCuts_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("newest");
        QTest::addColumn<QString>("updateText");
        const QString overflow = QStringLiteral("<overflow>");
        const QString invalid = QStringLiteral("<invalid argument>");
        QTest::newRow("notice")
            << "The Newest Vision：5.6########\r\n###Update Text###\r\n修正了若干问题\r\n增加一项\r\n#End#" << "5.6"
            << "修正了若干问题\r\n增加一项";
        QTest::newRow("empty update text") << "The Newest Vision：########\r\n###Update Text###\r\n\r\n#End#" << ""
                                           << "";
        QTest::newRow("LF line breaks lose a character at each end")
            << "The Newest Vision：5.6########\n###Update Text###\nabc\n#End#" << "5.6" << "b";
        QTest::newRow("start marker missing: the cut starts at character 18")
            << "abcdefghijklmnopq5.6########" << "5.6" << invalid;
        QTest::newRow("no #End#") << "The Newest Vision：5.6########\r\n###Update Text###\r\nabc" << "5.6" << invalid;
        QTest::newRow("end marker before the start") << "########The Newest Vision：5.6" << invalid << invalid;
        QTest::newRow("start marker beyond 32749")
            << QString(32749, QLatin1Char('x')) + "The Newest Vision：5.6########" << overflow << invalid;
        QTest::newRow("update marker beyond 32767")
            << "The Newest Vision：5.6########" + QString(32768, QLatin1Char('x')) + "###Update Text###\r\nabc\r\n#End#"
            << "5.6" << overflow;
    }
    void updateWindowCuts()
    {
        QFETCH(QString, page);
        QFETCH(QString, newest);
        QFETCH(QString, updateText);
        QCOMPARE(outcome(NoticeNewestVersionCut, page), newest);
        QCOMPARE(outcome(NoticeUpdateText, page), updateText);
    }

    // The update text ends two characters before "#End#", the two taken off
    // the position before it is held in 16 bits: "#End#" may stand at 32769
    // (end 32767), and only from 32770 on does the end overflow.
    void updateTextEnd_data()
    {
        QTest::addColumn<int>("endMarker"); // position of "#End#"
        QTest::addColumn<bool>("overflows");
        QTest::newRow("32766") << 32766 << false;
        QTest::newRow("32767") << 32767 << false;
        QTest::newRow("32768") << 32768 << false;
        QTest::newRow("32769") << 32769 << false;
        QTest::newRow("32770") << 32770 << true;
    }
    void updateTextEnd()
    {
        QFETCH(int, endMarker);
        QFETCH(bool, overflows);
        // The update text starts at 51, right behind the marker's line break.
        const QString head = QStringLiteral("The Newest Vision：5.6########\r\n###Update Text###\r\n");
        QCOMPARE(head.size(), 50);
        const QString updateText(endMarker - 53, QLatin1Char('u'));
        const QString page = head + updateText + QStringLiteral("\r\n#End#");
        QCOMPARE(FindTextPos(NoticeMarkers::UpdateTextEnd, page), endMarker);
        const QString cut = outcome(NoticeUpdateText, page);
        if (overflows)
            QCOMPARE(cut, QStringLiteral("<overflow>"));
        else
            QVERIFY2(cut == updateText, qPrintable(cut.left(40) + QStringLiteral("... (%1 characters)").arg(cut.size())));
    }

    void ownAddress_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("address");
        QTest::newRow("page") << "您的IP地址是：[1.2.3.4] 来自：广东省" << true << "1.2.3.4";
        QTest::newRow("first ] counts") << "您的IP地址是：[1.2.3.4]]" << true << "1.2.3.4";
        QTest::newRow("empty brackets") << "您的IP地址是：[]" << true << "";
        // Without its marker the address is cut from position 9 up to the
        // first "]".
        QTest::newRow("marker missing") << "abcdefghij]" << true << "ij";
        QTest::newRow("other marker") << "您的地址：[1.2.3.4]" << true << "2.3.4";
        QTest::newRow("marker missing, ] at 9") << "abcdefgh]" << true << "";
        QTest::newRow("marker missing, ] before 9") << "abc]defghij" << false << "";
        QTest::newRow("] before the marker") << "[菜单] 您的IP地址是：[1.2.3.4]" << false << "";
        QTest::newRow("no ]") << "您的IP地址是：[1.2.3.4" << false << "";
    }
    void ownAddress()
    {
        QFETCH(QString, page);
        QFETCH(bool, cut);
        QFETCH(QString, address);
        const std::optional<QString> found = OwnAddressCut(page);
        QCOMPARE(found.has_value(), cut);
        if (cut)
            QCOMPARE(*found, address);
    }

    void locationLine_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("line");
        QTest::newRow("one line") << "查询结果\r\n本站主数据：广东省深圳市 电信\r\n参考数据一：广东省" << true
                                  << "广东省深圳市 电信";
        QTest::newRow("last line ends the text") << "本站主数据：北京市\r\n" << true << "北京市";
        QTest::newRow("empty line") << "本站主数据：\r\n参考数据" << true << "";
        QTest::newRow("lone LF is inside the line") << "本站主数据：上海\n市\r\n" << true << "上海\n市";
        QTest::newRow("lone CR is inside the line") << "本站主数据：上海\r市\r\n" << true << "上海\r市";
        QTest::newRow("CR LF before the marker is not the end") << "标题\r\n本站主数据：天津\r\n" << true << "天津";
        // Without its marker the line is cut from position 6.
        QTest::newRow("marker missing") << "ABCDEFGHIJ first line\r\nsecond line" << true << "FGHIJ first line";
        QTest::newRow("marker missing, CR LF at 6") << "ABCDE\r\nF" << true << "";
        QTest::newRow("marker missing, CR LF only before 6") << "AB\r\nCDEFGH" << false << "";
        QTest::newRow("marker missing, short page") << "ABCD" << false << "";
        QTest::newRow("no CR LF after the marker") << "标题\r\n本站主数据：广东省深圳市" << false << "";
        QTest::newRow("marker at the very end") << "标题\r\n本站主数据：" << false << "";
        QTest::newRow("CR at the very end") << "本站主数据：广东\r" << false << "";
    }
    void locationLine()
    {
        QFETCH(QString, page);
        QFETCH(bool, cut);
        QFETCH(QString, line);
        int turns = 0;
        const std::optional<QString> found = LocationLineCut(page, [&turns] { ++turns; });
        QCOMPARE(found.has_value(), cut);
        if (cut) {
            QCOMPARE(*found, line);
            // Window events are let through once for every character passed.
            QCOMPARE(turns, line.size());
        }
    }

    void installationChecks_data()
    {
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QString>("message");
        const QString graphic = QStringLiteral("Graphic资源丢失！您可能从小网站下载了本软件。请重新下载本软件！");
        QTest::newRow("all present") << QStringList() << QString();
        QTest::newRow("JB.jpg") << QStringList{"\\IMG\\JB.jpg"} << graphic;
        QTest::newRow("Main.jpg") << QStringList{"\\IMG\\Main.jpg"} << graphic;
        QTest::newRow("Sector5.jpg") << QStringList{"\\IMG\\Sector5.jpg"} << graphic;
        QTest::newRow("Title.jpg") << QStringList{"\\IMG\\Title.jpg"} << graphic;
        QTest::newRow("Set.jpg") << QStringList{"\\IMG\\Set.jpg"} << graphic;
        QTest::newRow("manual") << QStringList{"\\使用说明书.pdf"}
                                << "数据文件丢失！您可能从小网站下载了本软件。请重新下载本软件！";
        QTest::newRow("sibling tool") << QStringList{"\\Tessaview.exe"}
                                      << "相关组件丢失！您可能从小网站下载了本软件。请重新下载本软件！";
        QTest::newRow("first check wins")
            << QStringList{"\\Tessaview.exe", "\\使用说明书.pdf", "\\IMG\\Set.jpg"} << graphic;
        QTest::newRow("manual before sibling") << QStringList{"\\Tessaview.exe", "\\使用说明书.pdf"}
                                               << "数据文件丢失！您可能从小网站下载了本软件。请重新下载本软件！";
    }
    void installationChecks()
    {
        QFETCH(QStringList, missing);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const ProgramFolder folder(dir.path());
        for (const QString &file : AllFiles)
            if (!missing.contains(file))
                touch(folder, file);
        const std::optional<QString> failure = FirstFailedInstallationCheck(folder);
        QCOMPARE(failure.value_or(QString()), message);
    }

    void onlyOrdinaryFilesCount_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("wrong case") << "case";
        QTest::newRow("dangling link") << "link";
    }
    void onlyOrdinaryFilesCount()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const ProgramFolder folder(dir.path());
        for (const QString &file : AllFiles)
            if (file != QStringLiteral("\\Tessaview.exe"))
                touch(folder, file);
        const QString path = folder.path(QStringLiteral("\\Tessaview.exe"));
        if (kind == QStringLiteral("folder"))
            QVERIFY(QDir().mkpath(path));
        else if (kind == QStringLiteral("case"))
            touch(folder, QStringLiteral("\\tessaview.exe"));
        else
            QVERIFY(QFile::link(dir.path() + QStringLiteral("/gone"), path));
        QCOMPARE(FirstFailedInstallationCheck(folder).value_or(QString()),
                 QStringLiteral("相关组件丢失！您可能从小网站下载了本软件。请重新下载本软件！"));
    }

    void publishedNoticeIsThisVersion()
    {
        // The notice on the maker's site says 5.5: this version starts
        // without a version message.
        const QString text = RenderInnerText(readSource(QStringLiteral("site/version.htm")));
        QCOMPARE(NoticeNewestVersion(text).value_or(QStringLiteral("<no cut>")), ProgramVersion);
        QVERIFY(text.indexOf(QStringLiteral("###Update Text###")) < text.indexOf(QStringLiteral("#End#")));
    }
};

QTEST_GUILESS_MAIN(TestStartupCuts)
#include "tst_startupcuts.moc"
