// The labels of every window lie beneath the boxes and buttons they overlap:
// a label over a box covers its edge and takes the clicks meant for it.

#include "Form2.h"
#include "Form3.h"
#include "Form4.h"
#include "Form5.h"
#include "LabelStacking.h"
#include "PageFetcher.h"
#include "Recorders.h"
#include "RecordingBrowser.h"
#include "RunRandom.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

class TestWindowLabels : public QObject
{
    Q_OBJECT
private slots:
    void labelsLieUnderBoxesAndButtons_data();
    void labelsLieUnderBoxesAndButtons();

private:
    RecordingFatalEnd m_fatal;
    PageFetcher m_fetcher{m_fatal};
    RunRandom m_random;
    RecordingMessageBoxes m_boxes;
    RecordingShellOpen m_shell;
    RecordingBrowserFactory m_browsers;
    QTemporaryDir m_folder;
};

using MakeWindow = std::function<QWidget *()>;
Q_DECLARE_METATYPE(MakeWindow)

void TestWindowLabels::labelsLieUnderBoxesAndButtons_data()
{
    QTest::addColumn<MakeWindow>("make");
    const ProgramFolder folder(m_folder.path());
    QTest::newRow("paid services") << MakeWindow([this] { return new Form2(m_fetcher, m_random); });
    QTest::newRow("report") << MakeWindow([this, folder] {
        return new Form3(Form3::Dependencies{m_boxes, m_browsers, folder, {}, {}, {}, [] {}});
    });
    QTest::newRow("update") << MakeWindow([this, folder] {
        return new Form4(m_fetcher, m_boxes, m_shell, folder, Form4::ClosePictures{});
    });
    QTest::newRow("about") << MakeWindow([] { return new Form5; });
}

void TestWindowLabels::labelsLieUnderBoxesAndButtons()
{
    QFETCH(MakeWindow, make);
    const std::unique_ptr<QWidget> window(make());
    const LabelStacking stacking = labelStacking(window.get());
    QVERIFY2(stacking.labelsAbove.isEmpty(), qPrintable(stacking.labelsAbove.join(QStringLiteral(", "))));
    QCOMPARE(m_fatal.count, 0);
}

QTEST_MAIN(TestWindowLabels)
#include "tst_windowlabels.moc"
