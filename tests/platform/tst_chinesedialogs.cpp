// Qt's own words in the program's standard dialogs come out in Chinese once
// the program's translation loader has run: the boxes of the message layer,
// the buttons a box can carry, and the labels of the file dialog; the file
// dialog's list writes its types and dates in Chinese, in columns that show
// whole. The test runs under the C locale (LANG=C).
#include "FileDialog.h"
#include "FileListDelegate.h"
#include "MessageBoxes.h"
#include "QtTranslations.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <functional>

#include <sys/time.h>

namespace
{

// Runs the check on the modal dialog that the call opens, then closes it.
template <typename Dialog>
void onModal(const std::function<void(Dialog *)> &check, const std::function<void()> &open)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        seen = true;
        check(dialog);
        dialog->reject();
    });
    poll.start();
    open();
    QVERIFY(seen);
}

QStringList labelTexts(const QWidget *dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog->findChildren<QLabel *>())
        texts.append(label->text().remove(QLatin1Char('&')));
    return texts;
}

// Sets a file's or folder's modification time (local time).
bool setModified(const QString &path, const QDateTime &when)
{
    const timeval times[2] = {{static_cast<time_t>(when.toSecsSinceEpoch()), 0},
                              {static_cast<time_t>(when.toSecsSinceEpoch()), 0}};
    return ::utimes(QFile::encodeName(path).constData(), times) == 0;
}

} // namespace

class TestChineseDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The program loads the catalogue whatever the locale says.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(InstallQtChineseTranslations(*qApp));
    }

    void programBoxSaysOkInChinese()
    {
        QtMessageBoxes boxes;
        QString okText;
        onModal<QMessageBox>([&](QMessageBox *box) { okText = box->button(QMessageBox::Ok)->text(); },
                             [&] { boxes.show(MessageBoxes::Icon::Information, QStringLiteral("提示"),
                                              QStringLiteral("查询完成"), nullptr); });
        QCOMPARE(okText, QStringLiteral("确定"));
    }

    void boxButtons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("ok") << int(QMessageBox::Ok) << QStringLiteral("确定");
        QTest::newRow("yes") << int(QMessageBox::Yes) << QStringLiteral("是(Y)");
        QTest::newRow("no") << int(QMessageBox::No) << QStringLiteral("否(N)");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << QStringLiteral("取消");
    }
    void boxButtons()
    {
        QFETCH(int, button);
        QFETCH(QString, text);
        QMessageBox box(QMessageBox::Question, QStringLiteral("提示"), QStringLiteral("继续吗？"),
                        QMessageBox::StandardButton(button));
        QCOMPARE(box.button(QMessageBox::StandardButton(button))->text().remove(QLatin1Char('&')), text);
    }

    void fileDialogLabelsAreChinese()
    {
        QtFileDialog dialog;
        QStringList labels;
        QStringList buttons;
        QString lookIn;
        onModal<QFileDialog>(
            [&](QFileDialog *shown) {
                QVERIFY(shown->testOption(QFileDialog::DontUseNativeDialog));
                labels = labelTexts(shown);
                for (const QPushButton *button : shown->findChild<QDialogButtonBox *>()->findChildren<QPushButton *>())
                    buttons.append(button->text().remove(QLatin1Char('&')));
            },
            [&] { dialog.getOpenFileName(nullptr, QStringLiteral("请选择文件"),
                                         QStringLiteral("Digital Ceramic Files(*.exe);(*.dll);(*.sys) (*.exe *.dll *.sys)"),
                                         QDir::rootPath()); });
        // None of Qt's English words is left, and the catalogue's Chinese ones are there.
        for (const char *english : {"Look in:", "File name:", "Files of type:"})
            QVERIFY2(!labels.contains(QLatin1String(english)), english);
        QVERIFY2(labels.contains(QStringLiteral("查找范围：")), qPrintable(labels.join(QLatin1Char('|'))));
        QVERIFY2(labels.contains(QStringLiteral("文件名称(N)：")), qPrintable(labels.join(QLatin1Char('|'))));
        QVERIFY2(labels.contains(QStringLiteral("文件类型：")), qPrintable(labels.join(QLatin1Char('|'))));
        QVERIFY2(buttons.contains(QStringLiteral("打开(O)")),
                 qPrintable(buttons.join(QLatin1Char('|'))));
        QVERIFY2(buttons.contains(QStringLiteral("取消")), qPrintable(buttons.join(QLatin1Char('|'))));
    }

    // A folder and an executable in the list: their types and dates read in
    // Chinese (the C locale would write "Folder" and "14 Mar 2009 09:05:00"),
    // and the type and date columns show whole beside the name, unscrolled.
    void fileDialogListIsChinese()
    {
        QCOMPARE(QLocale::system().name(), QStringLiteral("C"));
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QDateTime modified(QDate(2009, 3, 14), QTime(9, 5));
        const QString tools = folder.filePath(QStringLiteral("工具"));
        const QString setup = folder.filePath(QStringLiteral("setup.exe"));
        QVERIFY(QDir().mkdir(tools));
        QFile program(setup);
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write(QByteArray("MZ").append(QByteArray(510, '\0')));
        program.close();
        QVERIFY(setModified(tools, modified));
        QVERIFY(setModified(setup, modified));

        QtFileDialog dialog;
        QMap<QString, QStringList> rows; // name: type, date
        QString widths;
        onModal<QFileDialog>(
            [&](QFileDialog *shown) {
                auto *list = shown->findChild<QTreeView *>(QStringLiteral("treeView"));
                QVERIFY(list);
                QVERIFY(list->isVisible());
                auto *files = qobject_cast<QFileSystemModel *>(list->model());
                QVERIFY(files);
                const QModelIndex root = files->index(folder.path());
                QTRY_COMPARE_WITH_TIMEOUT(files->rowCount(root), 2, 30000);
                auto *cells = qobject_cast<FileListDelegate *>(list->itemDelegateForIndex(files->index(0, 2, root)));
                QVERIFY(cells);
                for (int row = 0; row < 2; ++row) {
                    const QModelIndex name = files->index(row, 0, root);
                    rows.insert(name.data().toString(), {cells->cellText(files->index(row, 2, root)),
                                                         cells->cellText(files->index(row, 3, root))});
                }
                // Every column as wide as what it shows, and the last one ends in view.
                QAbstractItemView *view = list;
                QHeaderView *header = list->header();
                QTRY_VERIFY_WITH_TIMEOUT(header->sectionSize(2) >= view->sizeHintForColumn(2), 20000);
                for (int column = 0; column < 4; ++column)
                    widths += QStringLiteral("%1:%2/%3 ").arg(column).arg(header->sectionSize(column)).arg(view->sizeHintForColumn(column));
                widths += QStringLiteral("viewport %1").arg(list->viewport()->width());
                for (int column = 0; column < 4; ++column)
                    QVERIFY2(header->sectionSize(column) >= view->sizeHintForColumn(column), qPrintable(widths));
                QVERIFY2(header->sectionViewportPosition(3) + header->sectionSize(3) <= list->viewport()->width(),
                         qPrintable(widths));
            },
            [&] { dialog.getOpenFileName(nullptr, QStringLiteral("请选择文件"),
                                         QStringLiteral("Digital Ceramic Files(*.exe);(*.dll);(*.sys) (*.exe *.dll *.sys)"),
                                         folder.path()); });
        QCOMPARE(rows.value(QStringLiteral("工具")), (QStringList{QStringLiteral("文件夹"), QStringLiteral("2009/3/14 09:05")}));
        QCOMPARE(rows.value(QStringLiteral("setup.exe")),
                 (QStringList{QStringLiteral("DOS/Windows 可执行文件"), QStringLiteral("2009/3/14 09:05")}));
    }
};

QTEST_MAIN(TestChineseDialogs)
#include "tst_chinesedialogs.moc"
