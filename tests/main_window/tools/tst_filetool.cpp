#include "FileDialog.h"
#include "FileTool.h"
#include "Fonts.h"
#include "ToolPanelRig.h"
#include "Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

// The panel is built into a plain widget standing for TabQM and driven
// through its real controls. The dialog is a recorder; the signature check
// is the real one, trusting the test root of the signed images.

namespace
{

const QString Choose = QStringLiteral("请选择一个文件");
const QString Loading = QStringLiteral("正在加载文件信息中......");
const QString Hashing = QStringLiteral("正在获取文件摘要中......");
const QString ValidText = QStringLiteral("该文件已经包含合法的数字签名，发布者已通过验证！");
const QString NoSignatureText = QStringLiteral("您选择的文件没有数字签名，发布者未通过验证！");
const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Olive(128, 128, 0);

struct DialogCall {
    QString title;
    QString filter;
    QString startDir;
    QWidget *owner;
};

class RecordingFileDialog : public FileDialog
{
public:
    QString getOpenFileName(QWidget *owner, const QString &title, const QString &filter,
                            const QString &startDir) override
    {
        calls.append({title, filter, startDir, owner});
        if (onShow)
            onShow();
        return answer;
    }
    QList<DialogCall> calls;
    QString answer; // empty: the user cancels
    std::function<void()> onShow;
};

QString coreutilsDigest(const QString &tool, const QString &path)
{
    QProcess process;
    process.start(tool, {path});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("%1 failed").arg(tool);
    return QString::fromLatin1(process.readAllStandardOutput()).section(' ', 0, 0).toUpper();
}

QColor textColour(QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class TestFileTool : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void tabOrder();
    void startState();
    void dialogCancelled();
    void chosenFileCheckedAtOnce_data();
    void chosenFileCheckedAtOnce();
    void digestKeepsTheVerdictColour();
    void statusWrapsOnlyPastThePanelEdge_data();
    void statusWrapsOnlyPastThePanelEdge();
    void emptyingDisablesTypingEnables();
    void digestTakesThePathAsTyped_data();
    void digestTakesThePathAsTyped();
    void failingDigest_data();
    void failingDigest();
    void progressFill_data();
    void progressFill();
    void checkStartedDuringDigestRunsFirst_data();
    void checkStartedDuringDigestRunsFirst();
    void fileGrowsDuringDigest();
    void fileCutShortDuringCheck();
    void realDialogAcceptsATypedNewName();

private:
    template <typename T> T *control(const char *name)
    {
        T *found = m_panel->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit *txtFile() { return control<QLineEdit>("txtFile"); }
    QLabel *label9() { return control<QLabel>("Label9"); }
    QPushButton *button(const char *name) { return control<QPushButton>(name); }
    bool checkButtonsEnabled()
    {
        return button("cmdSHA1")->isEnabled() && button("cmdMD5")->isEnabled() && button("cmdCer")->isEnabled();
    }
    bool checkButtonsDisabled()
    {
        return !button("cmdSHA1")->isEnabled() && !button("cmdMD5")->isEnabled() && !button("cmdCer")->isEnabled();
    }
    QString write(const QString &relative, const QByteArray &bytes);
    QString image(const QString &name) const { return m_images.filePath(name); }
    void buildPanel(const BetweenChunks &betweenSignatureChunks = {});

    QDir m_images;
    QTemporaryDir m_work;
    std::unique_ptr<ToolPanelRig> m_rig;
    RecordingMessageBoxes *m_boxes = nullptr;
    QWidget *m_window = nullptr;
    QWidget *m_panel = nullptr;
    RecordingFileDialog *m_dialog = nullptr;
    FileTool *m_tool = nullptr;
};

void TestFileTool::initTestCase()
{
    Fonts::install(); // the program's fonts: the status line's fit depends on them
    const QString dir = qEnvironmentVariable("KORDELVANE_SIGNED_IMAGES");
    QVERIFY2(!dir.isEmpty() && QFile::exists(dir + "/signed.exe"),
             "run through ctest: the make_signed_images step makes the signed images");
    m_images = QDir(dir);
    QVERIFY(m_work.isValid());
}

void TestFileTool::init()
{
    buildPanel();
}

void TestFileTool::buildPanel(const BetweenChunks &betweenSignatureChunks)
{
    // The panel does no page fetch: no stand-in server.
    m_rig = std::make_unique<ToolPanelRig>(ToolPanelOptions{.status = QString(), .ownStandin = false});
    m_boxes = &m_rig->boxes;
    m_window = &m_rig->window;
    m_panel = m_rig->panel;
    m_panel->setObjectName("TabQM");
    m_dialog = new RecordingFileDialog;
    m_tool = new FileTool(m_panel, m_rig->context, *m_dialog, TrustAnchors::fromFile(image("ca.crt")),
                          betweenSignatureChunks);
    m_rig->show();
}

void TestFileTool::cleanup()
{
    m_rig.reset(); // the panel and the tool with it
    delete m_dialog;
}

QString TestFileTool::write(const QString &relative, const QByteArray &bytes)
{
    const QString path = m_work.filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestFileTool::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place"); // twips
    QTest::addColumn<QString>("text");
    QTest::newRow("txtFile") << "txtFile" << QRect(1200, 480, 6015, 375) << "";
    QTest::newRow("cmdFile") << "cmdFile" << QRect(7200, 480, 975, 375) << "查询";
    QTest::newRow("cmdSHA1") << "cmdSHA1" << QRect(480, 960, 1455, 375) << "验证SHA1";
    QTest::newRow("cmdMD5") << "cmdMD5" << QRect(2040, 960, 1335, 375) << "验证MD5";
    QTest::newRow("cmdCer") << "cmdCer" << QRect(3480, 960, 1815, 375) << "验证数字签名";
    QTest::newRow("Picture4") << "Picture4" << QRect(465, 2655, 7395, 255) << "";
    QTest::newRow("Picture3") << "Picture3" << QRect(480, 2670, 15, 230) << "";
    QTest::newRow("Label10")
        << "Label10" << QRect(600, 3960, 7815, 615)
        << "    哪些文件包含数字签名？只有可执行文件、dll文件等才存在数字签名，音视频文件通常没有数字签名。"
           "所以本功能仅适用于对exe、dll、sys等可进行数字签名文件的验证。";
    QTest::newRow("Label11")
        << "Label11" << QRect(600, 4800, 7815, 855)
        << "    验证数字签名意义：正规软件厂商发布的软件均会含有合法且通过验证发布者的数字签名，"
           "病毒等非法文件没有数字签名或有数字签名但没通过验证，通过这点您可以查询出文件的合法性及安全性。"
           "通常Win98/2000的程序没有数字签名，这是正常现象。文件越大验证所需时间越长。";
    // Auto-sized labels: only the corner is fixed.
    QTest::newRow("Label6") << "Label6" << QRect(360, 600, -1, -1) << "文件路径：";
    QTest::newRow("Label9") << "Label9" << QRect(3600, 1560, -1, -1) << "请选择一个文件";
    QTest::newRow("Label25") << "Label25" << QRect(600, 5640, -1, -1)
                             << "    本功能来自Orvalent文件数字签名验证模块及相关数字签名证书颁发机构。";
}

void TestFileTool::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    QWidget *widget = m_panel->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget(), m_panel);
    QCOMPARE(widget->pos(), Twips::rect(place.x(), place.y(), 0, 0).topLeft());
    if (place.width() >= 0)
        QCOMPARE(widget->size(), Twips::rect(0, 0, place.width(), place.height()).size());
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        QCOMPARE(label->text(), text);
        if (place.width() < 0)
            QCOMPARE(label->size(), label->sizeHint());
        if (name.startsWith("Label1") || name == "Label25")
            QCOMPARE(textColour(label), QColor(84, 84, 84));
    } else if (auto *pushButton = qobject_cast<QPushButton *>(widget)) {
        QCOMPARE(pushButton->text(), text);
    } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        QCOMPARE(edit->text(), text);
    }
}

void TestFileTool::tabOrder()
{
    const char *order[] = {"txtFile", "cmdFile", "cmdSHA1", "cmdMD5", "cmdCer"};
    for (int i = 0; i + 1 < 5; ++i)
        QCOMPARE(m_panel->findChild<QWidget *>(order[i])->nextInFocusChain(),
                 m_panel->findChild<QWidget *>(order[i + 1]));
}

void TestFileTool::startState()
{
    QVERIFY(checkButtonsEnabled());
    QCOMPARE(txtFile()->text(), QString());
    QCOMPARE(label9()->text(), Choose);
    // The fill lies over the track and is red.
    QWidget *fill = control<QWidget>("Picture3");
    QCOMPARE(fill->palette().color(QPalette::Window), Red);
    QVERIFY(m_panel->children().indexOf(fill) > m_panel->children().indexOf(control<QWidget>("Picture4")));
}

void TestFileTool::dialogCancelled()
{
    txtFile()->setText("/earlier/path.exe");
    QString shownWhileOpen;
    QColor colourWhileOpen;
    m_dialog->onShow = [&] {
        shownWhileOpen = label9()->text();
        colourWhileOpen = textColour(label9());
    };
    m_boxes->onShow = [&](const RecordedBox &) { QCOMPARE(label9()->text(), Choose); };
    QTest::mouseClick(button("cmdFile"), Qt::LeftButton);

    QCOMPARE(m_dialog->calls.size(), 1);
    const DialogCall call = m_dialog->calls.first();
    QCOMPARE(call.title, QStringLiteral("请选择文件"));
    QCOMPARE(call.startDir, QDir::rootPath());
    QCOMPARE(call.owner, m_window);
    // Qt's form: the old description, then the three patterns.
    QCOMPARE(call.filter, QStringLiteral("Digital Ceramic Files(*.exe);(*.dll);(*.sys) (*.exe *.dll *.sys)"));
    QCOMPARE(shownWhileOpen, Loading);
    QCOMPARE(colourWhileOpen, Blue);

    QCOMPARE(m_boxes->boxes.size(), 1);
    QCOMPARE(m_boxes->boxes[0].icon, MessageBoxes::Icon::Exclamation);
    QCOMPARE(m_boxes->boxes[0].title, QStringLiteral("没有选择文件"));
    QCOMPARE(m_boxes->boxes[0].text, QStringLiteral("您没有选择文件！"));
    QCOMPARE(label9()->text(), Choose);
    QCOMPARE(textColour(label9()), Blue);
    QCOMPARE(txtFile()->text(), QStringLiteral("/earlier/path.exe"));
}

void TestFileTool::chosenFileCheckedAtOnce_data()
{
    QTest::addColumn<QString>("source"); // signed image copied to the chosen place
    QTest::addColumn<QString>("chosen"); // relative to the work folder
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("signed") << "signed.exe"
                            << "signed.exe" << ValidText << Green;
    QTest::newRow("unsigned") << "unsigned.exe"
                              << "unsigned.exe" << NoSignatureText << Red;
    QTest::newRow("typed name of no file") << ""
                                           << "not-there.exe" << NoSignatureText << Red;
    // The program's own name proves nothing: such files are checked like any other.
    QTest::newRow("copy named after the program") << "unsigned.exe"
                                                  << "kordelvane.exe.scr" << NoSignatureText << Red;
    QTest::newRow("program's name in any case") << "unsigned.exe"
                                                << "KordelVane.EXE" << NoSignatureText << Red;
    QTest::newRow("in a folder of that name") << "unsigned.exe"
                                              << "Kordelvane.exe/setup.exe" << NoSignatureText << Red;
    QTest::newRow("path longer than 255 bytes")
        << "signed.exe" << QString(120, 'd') + "/" + QString(120, 'e') + "/" + QString(40, 'f') + ".exe" << ValidText
        << Green;
}

void TestFileTool::chosenFileCheckedAtOnce()
{
    QFETCH(QString, source);
    QFETCH(QString, chosen);
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    const QString path =
        source.isEmpty() ? m_work.filePath(chosen)
                         : write(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_') + "/" + chosen, [&] {
                               QFile f(image(source));
                               f.open(QIODevice::ReadOnly);
                               return f.readAll();
                           }());
    m_dialog->answer = path;
    // An emptied box leaves the buttons off; the chosen path turns them on.
    txtFile()->setText("x");
    txtFile()->clear();
    QVERIFY(checkButtonsDisabled());
    QTest::mouseClick(button("cmdFile"), Qt::LeftButton);

    QVERIFY(m_boxes->boxes.isEmpty());
    QCOMPARE(txtFile()->text(), path);
    QCOMPARE(label9()->text(), text);
    QCOMPARE(textColour(label9()), colour);
    QCOMPARE(label9()->size(), label9()->sizeHint());
    QVERIFY(checkButtonsEnabled());
}

void TestFileTool::digestKeepsTheVerdictColour()
{
    m_dialog->answer = image("unsigned.exe");
    QTest::mouseClick(button("cmdFile"), Qt::LeftButton);
    QCOMPARE(textColour(label9()), Red);

    QTest::mouseClick(button("cmdMD5"), Qt::LeftButton);
    QCOMPARE(label9()->text(), "文件摘要(MD5)：" + coreutilsDigest("md5sum", image("unsigned.exe")));
    QCOMPARE(textColour(label9()), Red);
    QTest::mouseClick(button("cmdSHA1"), Qt::LeftButton);
    QCOMPARE(label9()->text(), "文件摘要(SHA1)：" + coreutilsDigest("sha1sum", image("unsigned.exe")));
    QCOMPARE(textColour(label9()), Red);
    QVERIFY(checkButtonsEnabled());
    // The digest rendering ends with the fill full: 7395 - 45 twips.
    QCOMPARE(control<QWidget>("Picture3")->width(), Twips::toPixels(7350));
}

void TestFileTool::statusWrapsOnlyPastThePanelEdge_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("digest"); // the SHA1 button after the check
    QTest::addColumn<bool>("oneLine");
    // The digest line is wider than the help texts' column but fits the panel.
    QTest::newRow("SHA1 digest") << "unsigned.exe" << true << true;
    QTest::newRow("long verdict") << "untrusted.exe" << false << false;
}

void TestFileTool::statusWrapsOnlyPastThePanelEdge()
{
    QFETCH(QString, file);
    QFETCH(bool, digest);
    QFETCH(bool, oneLine);
    m_dialog->answer = image(file);
    QTest::mouseClick(button("cmdFile"), Qt::LeftButton);
    if (digest)
        QTest::mouseClick(button("cmdSHA1"), Qt::LeftButton);
    QLabel *label = label9();
    const QFontMetrics metrics(label->font());
    const int textWidth = metrics.horizontalAdvance(label->text());
    if (digest)
        QCOMPARE(label->text(), "文件摘要(SHA1)：" + coreutilsDigest("sha1sum", image(file)));
    QVERIFY(label->x() + textWidth > control<QLabel>("Label10")->geometry().right() + 1);
    QVERIFY2((label->x() + textWidth <= m_panel->width()) == oneLine,
             qPrintable(QStringLiteral("%1 px from %2 in %3").arg(textWidth).arg(label->x()).arg(m_panel->width())));

    QCoreApplication::processEvents(); // a layout pass changes nothing
    QVERIFY2(label->geometry().right() < m_panel->width(),
             qPrintable(QStringLiteral("ends at %1 of %2").arg(label->geometry().right()).arg(m_panel->width())));
    if (oneLine) {
        QVERIFY(label->width() >= textWidth);
        QVERIFY(label->height() < 2 * metrics.height());
    } else {
        QVERIFY(label->wordWrap());
        QVERIFY(label->height() >= label->heightForWidth(label->width()));
        QVERIFY(label->height() >= 2 * metrics.height());
    }
}

void TestFileTool::emptyingDisablesTypingEnables()
{
    txtFile()->setFocus();
    QTest::keyClicks(txtFile(), "ab");
    QVERIFY(checkButtonsEnabled());
    QTest::keyClick(txtFile(), Qt::Key_Backspace);
    QVERIFY(checkButtonsEnabled());
    QTest::keyClick(txtFile(), Qt::Key_Backspace);
    QVERIFY(checkButtonsDisabled());
    QTest::keyClicks(txtFile(), "c");
    QVERIFY(checkButtonsEnabled());
}

void TestFileTool::digestTakesThePathAsTyped_data()
{
    QTest::addColumn<QString>("name");    // file in the work folder, as written
    QTest::addColumn<QString>("padding"); // blanks typed around the full path
    QTest::addColumn<bool>("digestFound");
    QTest::addColumn<QString>("verdict");
    // Blanks around an existing path: the check trims them, the digest does not.
    QTest::newRow("blanks around the path") << "signed.exe"
                                            << "  " << false << ValidText;
    // A name that ends in a blank: the digest finds it, the trimmed check does not.
    QTest::newRow("name ending in a blank") << "blank.exe "
                                            << "" << true << NoSignatureText;
}

void TestFileTool::digestTakesThePathAsTyped()
{
    QFETCH(QString, name);
    QFETCH(QString, padding);
    QFETCH(bool, digestFound);
    QFETCH(QString, verdict);
    QFile::remove(m_work.filePath(name));
    QVERIFY(QFile::copy(image("signed.exe"), m_work.filePath(name)));
    const QString typed = padding + m_work.filePath(name) + padding;
    txtFile()->setText(typed);

    QTest::mouseClick(button("cmdMD5"), Qt::LeftButton);
    if (digestFound) {
        QCOMPARE(label9()->text(), "文件摘要(MD5)：" + coreutilsDigest("md5sum", m_work.filePath(name)));
    } else {
        QVERIFY2(label9()->text().contains(QStringLiteral("找不到该文件")), qPrintable(label9()->text()));
    }
    QTest::mouseClick(button("cmdCer"), Qt::LeftButton);
    QCOMPARE(label9()->text(), verdict);
    QCOMPARE(txtFile()->text(), typed);
}

void TestFileTool::failingDigest_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("number");
    QTest::newRow("missing file") << "missing"
                                  << "找不到该文件"
                                  << "53";
    QTest::newRow("folder") << "folder"
                            << "找不到该文件"
                            << "53";
    QTest::newRow("unreadable file") << "unreadable"
                                     << "没有读取该文件的权限"
                                     << "70";
}

void TestFileTool::failingDigest()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QFETCH(QString, number);
    QString path;
    if (kind == "missing") {
        path = m_work.filePath("gone.exe");
    } else if (kind == "folder") {
        path = m_work.path();
    } else if (::geteuid() != 0) {
        path = write("locked.exe", "x");
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    } else {
        // chmod 000 does not stop root; sysfs refuses a write-only attribute to everyone.
        QDirIterator it("/sys/class", QDir::Files | QDir::System, QDirIterator::Subdirectories);
        for (int looked = 0; path.isEmpty() && it.hasNext() && looked < 20000; ++looked) {
            const QString candidate = it.next();
            struct stat status {
            };
            if (::stat(QFile::encodeName(candidate).constData(), &status) == 0 && S_ISREG(status.st_mode) &&
                (status.st_mode & 0777) == 0200 && !QFile(candidate).open(QIODevice::ReadOnly))
                path = candidate;
        }
        if (path.isEmpty())
            QSKIP("running as root and no write-only sysfs attribute to stand for an unreadable file");
    }
    txtFile()->setText(path);
    QTest::mouseClick(button("cmdSHA1"), Qt::LeftButton);
    QVERIFY2(label9()->text().contains(reason) && label9()->text().contains(number), qPrintable(label9()->text()));
    QVERIFY(checkButtonsEnabled());
    QVERIFY(m_boxes->boxes.isEmpty());
}

void TestFileTool::progressFill_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("twips");
    QTest::newRow("a third") << 1.0 / 3 << 2450;
    QTest::newRow("half") << 0.5 << 3675;
    QTest::newRow("full") << 1.0 << 7350;
}

void TestFileTool::progressFill()
{
    QFETCH(double, fraction);
    QFETCH(int, twips);
    QWidget *fill = control<QWidget>("Picture3");
    m_tool->reportProgress(fraction);
    QCOMPARE(fill->width(), Twips::toPixels(twips));
    QCOMPARE(fill->geometry().topLeft(), Twips::rect(480, 2670, 0, 0).topLeft());
    QCOMPARE(fill->height(), Twips::toPixels(230));
    // A signature check leaves the fill as the last report made it.
    txtFile()->setText(image("unsigned.exe"));
    QTest::mouseClick(button("cmdCer"), Qt::LeftButton);
    QCOMPARE(fill->width(), Twips::toPixels(twips));
}

void TestFileTool::checkStartedDuringDigestRunsFirst_data()
{
    QTest::addColumn<QString>("meanwhile"); // what the user does inside the first digest
    QTest::addColumn<QString>("shown");     // Label9 once the first digest has finished
    QTest::addColumn<QColor>("colour");
    // The box holds another path at the end: the later check's result stays.
    QTest::newRow("signature check of another file") << "check other" << "valid" << Green;
    QTest::newRow("digest of another file") << "digest other" << "sha1 of other" << Red;
    // No check of the other path: no result of the first one next to it either.
    QTest::newRow("another path typed, nothing checked") << "type other" << "choose" << Red;
    // The box holds the first path again: its digest is shown.
    QTest::newRow("another path typed, then the first again") << "type other and back" << "md5 of first" << Red;
}

void TestFileTool::checkStartedDuringDigestRunsFirst()
{
    QFETCH(QString, meanwhile);
    QFETCH(QString, shown);
    QFETCH(QColor, colour);
    // Three full chunks, so the digest yields in the middle of the file.
    QByteArray bytes(3 * 32768 + 5, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7);
    const QString first = write("first.bin", bytes);
    const QString other = write("other.bin", bytes.left(40000) + "other");
    // Chosen through the dialog: not an image, so the red "no signature"
    // verdict, whose colour the digests keep.
    m_dialog->answer = first;
    QTest::mouseClick(button("cmdFile"), Qt::LeftButton);
    QCOMPARE(textColour(label9()), Red);

    QStringList seenInside;
    bool disabledInside = false;
    bool ran = false;
    // Runs in the yield after the first digest's first progress report.
    QTimer::singleShot(0, this, [&] {
        ran = true;
        seenInside << label9()->text();
        disabledInside = checkButtonsDisabled();
        txtFile()->setText(meanwhile == "check other" ? image("signed.exe") : other);
        QVERIFY(checkButtonsEnabled());
        if (meanwhile == "check other")
            QTest::mouseClick(button("cmdCer"), Qt::LeftButton);
        else if (meanwhile == "digest other")
            QTest::mouseClick(button("cmdSHA1"), Qt::LeftButton);
        else if (meanwhile == "type other and back")
            txtFile()->setText(first);
        seenInside << label9()->text();
    });
    QTest::mouseClick(button("cmdMD5"), Qt::LeftButton);

    QVERIFY(ran);
    QVERIFY(disabledInside);
    const QString expected = shown == "valid"           ? ValidText
                             : shown == "sha1 of other" ? "文件摘要(SHA1)：" + coreutilsDigest("sha1sum", other)
                             : shown == "choose"        ? Choose
                                                        : "文件摘要(MD5)：" + coreutilsDigest("md5sum", first);
    // The later check ran to its end inside the first digest.
    QCOMPARE(seenInside.first(), Hashing);
    if (meanwhile == "check other" || meanwhile == "digest other")
        QCOMPARE(seenInside.last(), expected);
    QCOMPARE(label9()->text(), expected);
    QCOMPARE(textColour(label9()), colour);
    QVERIFY(checkButtonsEnabled());
}

void TestFileTool::fileGrowsDuringDigest()
{
    // The file grows after the digest's first chunk: no digest of its first
    // part, but the text that it changed while it was read.
    const QString path = write("growing.bin", QByteArray(3 * 32768 + 5, 'g'));
    txtFile()->setText(path);
    bool grown = false;
    QTimer::singleShot(0, this, [&] {
        QFile file(path);
        grown = file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write("more") == 4;
    });
    QTest::mouseClick(button("cmdSHA1"), Qt::LeftButton);

    QVERIFY(grown);
    QVERIFY2(label9()->text().contains("该文件在读取过程中被改动") && label9()->text().contains("62"),
             qPrintable(label9()->text()));
    QVERIFY(checkButtonsEnabled());
    QVERIFY(m_boxes->boxes.isEmpty());
    // Left alone, the grown file gets the digest of all of it.
    QTest::mouseClick(button("cmdSHA1"), Qt::LeftButton);
    QCOMPARE(label9()->text(), "文件摘要(SHA1)：" + coreutilsDigest("sha1sum", path));
}

void TestFileTool::fileCutShortDuringCheck()
{
    // The chosen file is cut short after the check's first chunk: the panel
    // shows the verdict for an unreadable file and the program goes on.
    QFile signedImage(image("signed.exe"));
    QVERIFY(signedImage.open(QIODevice::ReadOnly));
    const QString path = write("cut-short.exe", signedImage.readAll());
    int chunks = 0;
    QString shownMeanwhile;
    cleanup();
    buildPanel([&] {
        if (++chunks == 1) {
            shownMeanwhile = label9()->text();
            QVERIFY(checkButtonsDisabled());
            QVERIFY(QFile::resize(path, 0x100));
        }
    });
    m_dialog->answer = path;
    QTest::mouseClick(button("cmdFile"), Qt::LeftButton);

    QVERIFY(chunks >= 1);
    QCOMPARE(shownMeanwhile, FileTool::CheckingSignatureText);
    QCOMPARE(label9()->text(), NoSignatureText);
    QCOMPARE(textColour(label9()), Red);
    QVERIFY(checkButtonsEnabled());
    QVERIFY(m_boxes->boxes.isEmpty());
    // Whole again, the same file is valid: only the cut changed the verdict.
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::copy(image("signed.exe"), path));
    chunks = 1; // the hook has done its one change
    QTest::mouseClick(button("cmdCer"), Qt::LeftButton);
    QCOMPARE(label9()->text(), ValidText);
}

void TestFileTool::realDialogAcceptsATypedNewName()
{
    const QString typed = m_work.filePath("typed-new-name.exe");
    QVERIFY(!QFile::exists(typed));
    QString title;
    QString shownFilter;
    QStringList filters;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        if (auto *combo = dialog->findChild<QComboBox *>("fileTypeCombo"))
            shownFilter = combo->currentText();
        auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
        QVERIFY(name);
        name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
    });
    QtFileDialog dialog;
    const QString chosen = dialog.getOpenFileName(m_window, QString::fromUtf8(FileTool::DialogTitle),
                                                  QString::fromUtf8(FileTool::DialogFilter), m_work.path());
    QCOMPARE(chosen, typed);
    QCOMPARE(title, QStringLiteral("请选择文件"));
    QCOMPARE(filters, QStringList{QString::fromUtf8(FileTool::DialogFilter)});
    QCOMPARE(shownFilter, QStringLiteral("Digital Ceramic Files(*.exe);(*.dll);(*.sys)"));
}

QTEST_MAIN(TestFileTool)
#include "tst_filetool.moc"
