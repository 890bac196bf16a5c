// The program folder the build lays out: every file the start-up checks
// for, the pictures at the sizes the windows draw them, the manual as a PDF
// that carries its Chinese font, and the sibling tool that opens its page.
#include "Endpoints.h"
#include "InstallationChecks.h"
#include "ProgramFolder.h"

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

QString programDir()
{
    return qEnvironmentVariable("KORDELVANE_PROGRAM_DIR");
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A stand-in xdg-open that writes the address it was given to a file.
QString fakeOpener(const QTemporaryDir &dir, const QString &record)
{
    const QString script = dir.filePath(QStringLiteral("xdg-open"));
    QFile file(script);
    file.open(QIODevice::WriteOnly);
    file.write("#!/bin/sh\nprintf '%s' \"$*\" > '" + record.toUtf8() + ".tmp' && mv '" + record.toUtf8() + ".tmp' '" +
               record.toUtf8() + "'\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return dir.path();
}

} // namespace

class TestProgramFolder : public QObject
{
    Q_OBJECT
private slots:
    void passesTheInstallationChecks()
    {
        QVERIFY(!programDir().isEmpty());
        const std::optional<QString> failure = FirstFailedInstallationCheck(ProgramFolder(programDir()));
        QVERIFY2(!failure, qPrintable(failure.value_or(QString())));
    }

    void picturesAtTheirSizes_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<QSize>("size");
        QTest::newRow("title bar") << "\\IMG\\Title.jpg" << QSize(800, 76);
        QTest::newRow("main background") << "\\IMG\\Main.jpg" << QSize(800, 466);
        QTest::newRow("report window") << "\\IMG\\JB.jpg" << QSize(699, 508);
        QTest::newRow("update window") << "\\IMG\\Set.jpg" << QSize(700, 511);
        QTest::newRow("update picture") << "\\IMG\\Sector5.jpg" << QSize(344, 272);
    }
    void picturesAtTheirSizes()
    {
        QFETCH(QString, resource);
        QFETCH(QSize, size);
        QImageReader reader(ProgramFolder(programDir()).path(resource));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.size(), size);
        QVERIFY(!reader.read().isNull());
    }

    void manualCarriesItsFont()
    {
        const QByteArray pdf = readAll(ProgramFolder(programDir()).path(QStringLiteral("\\使用说明书.pdf")));
        QVERIFY(pdf.startsWith("%PDF-"));
        // The font program itself is inside, not only its name.
        QVERIFY(pdf.contains("/FontFile2"));
        QVERIFY(pdf.contains("WenQuanYi"));
        // A manual for every tool takes pages, not a stub.
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral("/Count (\\d+)")).match(QString::fromLatin1(pdf));
        QVERIFY(pages.hasMatch());
        QVERIFY(pages.captured(1).toInt() >= 3);
    }

    void manualCoversEveryToolAndWindow_data()
    {
        QTest::addColumn<QString>("caption");
        for (const char *caption : {"手机归属查询",     "IP地址查询",       "身份证校验",
                                    "域名信息查询",     "文件安全校验",     "邮政编码查询",
                                    "主机位置查询",     "网站流量排名查询", "网站流行度查询",
                                    "网站主机数量查询", "网站ICP备案查询",  "工商查询",
                                    "Email及固话查询",  "网址安全云鉴定",   "淘宝店铺信用查询",
                                    "商品条形码查询",   "发票真伪查询",     "举报恶意网站",
                                    "联系方式",         "检查更新",         "关于",
                                    "增值服务"})
            QTest::newRow(caption) << QString::fromUtf8(caption);
    }
    void manualCoversEveryToolAndWindow()
    {
        QFETCH(QString, caption);
        const QString source = QString::fromUtf8(
            readAll(qEnvironmentVariable("KORDELVANE_SOURCE_DIR") + QStringLiteral("/resources/manual/manual.md")));
        QVERIFY(source.contains(QStringLiteral("「") + caption + QStringLiteral("」")));
    }

    void siblingToolOpensTheShopCreditSearch()
    {
        QTemporaryDir bin;
        const QString record = bin.filePath(QStringLiteral("opened.txt"));
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PATH"), fakeOpener(bin, record) + QStringLiteral(":/usr/bin:/bin"));
        tool.setProcessEnvironment(env);
        tool.start(ProgramFolder(programDir()).path(QStringLiteral("\\Tessaview.exe")), {});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 30000);
        QCOMPARE(QString::fromUtf8(readAll(record)), Endpoints::shopCreditSearch());
    }

    void siblingToolWithoutABrowserOpener()
    {
        QTemporaryDir emptyBin;
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PATH"), emptyBin.path());
        tool.setProcessEnvironment(env);
        tool.start(ProgramFolder(programDir()).path(QStringLiteral("\\Tessaview.exe")), {});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 1);
        QVERIFY(tool.readAllStandardError().contains("xdg-open"));
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
