// Qt's own words in the program's standard dialogs come out in Chinese once
// the program's translation loader has run: the boxes of the message layer,
// the buttons a box can carry, and the labels of the file dialog.
#include "FileDialog.h"
#include "MessageBoxes.h"
#include "QtTranslations.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

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
};

QTEST_MAIN(TestChineseDialogs)
#include "tst_chinesedialogs.moc"
