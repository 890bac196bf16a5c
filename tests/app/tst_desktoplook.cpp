// How the windows look on a Linux desktop, checked on their pixels, with a
// screenshot of each for a person to look at:
//
//     build/screenshots/report-window.png   the report window
//     build/screenshots/title-bar.png       the main window's title bar and tab strip
//     build/screenshots/file-panel.png      the file panel with its longest verdict
//     build/screenshots/result-box.png      a result box with its scroll bar
//
// The program folder is the built one (its real pictures); the browsers are
// recording stand-ins, as no page is loaded here.
#include "Fonts.h"
#include "Form1.h"
#include "Form3.h"
#include "Frm.h"
#include "MainWindowBinding.h"
#include "PageFetcher.h"
#include "ProgramFolder.h"
#include "RecordingBrowser.h"
#include "Recorders.h"
#include "ResultBox.h"
#include "RunRandom.h"
#include "Screenshots.h"
#include "SecondaryWindows.h"
#include "Tab.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QtTest>

#include <memory>

namespace
{

void save(const QImage &image, const char *name)
{
    QVERIFY(image.save(screenshotsDir() + QLatin1Char('/') + QLatin1String(name)));
}

// Mean lightness of an area of a picture.
double lightness(const QImage &image, const QRect &area)
{
    double sum = 0;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x, ++count)
            sum += QColor(image.pixel(x, y)).lightnessF();
    return count ? sum / count : 0;
}

} // namespace

class TestDesktopLook : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Fonts::install();
        m_binding = std::make_unique<MainWindowBinding>(
            MainWindowBinding::Services{m_fetcher, m_boxes, m_shell,
                                        ProgramFolder(qEnvironmentVariable("KORDELVANE_PROGRAM_DIR")), &m_browsers,
                                        m_random});
        m_binding->writeLocation(QStringLiteral("广东省深圳市 电信"));
        m_binding->showMain();
        QVERIFY(QTest::qWaitForWindowExposed(form1()));
    }

    void reportCategoriesOnWhite()
    {
        m_binding->secondaryWindows()->showReport();
        Form3 *report = m_binding->secondaryWindows()->report();
        QVERIFY(report);
        QVERIFY(QTest::qWaitForWindowExposed(report));
        const QImage window = report->grab().toImage();
        save(window, "report-window.png");

        const QList<QCheckBox *> boxes = report->findChildren<QCheckBox *>();
        QCOMPARE(boxes.size(), 12);
        for (QCheckBox *box : boxes) {
            // The strip right of the caption is the box's own background.
            const QRect place = box->geometry();
            const QRect strip(place.right() - 6, place.top() + 1, 5, place.height() - 2);
            for (int y = strip.top(); y <= strip.bottom(); ++y)
                for (int x = strip.left(); x <= strip.right(); ++x)
                    QVERIFY2(window.pixel(x, y) == qRgb(255, 255, 255),
                             qPrintable(box->objectName() + QStringLiteral(" at %1,%2: %3")
                                                                .arg(x).arg(y).arg(window.pixel(x, y), 0, 16)));
            QCOMPARE(box->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        }
        report->close();
    }

    // Nothing of the tab strip is drawn over the title picture: its rows
    // show on the window exactly as loaded, except where the title buttons
    // sit on it.
    void titlePictureWhole()
    {
        Form1 *form = form1();
        const QImage title(qEnvironmentVariable("KORDELVANE_PROGRAM_DIR") + QStringLiteral("/IMG/Title.jpg"));
        QCOMPARE(title.size(), QSize(800, 76));
        const QImage window = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
        save(window.copy(0, 0, 800, 112), "title-bar.png");
        const QImage expected = title.convertToFormat(QImage::Format_RGB32);
        const int buttonsLeft = form->findChild<QWidget *>(QStringLiteral("M1"))->x();
        for (int y = 0; y < 76; ++y)
            for (int x = 0; x < 800; ++x) {
                if (x >= buttonsLeft && y < 19)
                    continue;
                QVERIFY2(window.pixel(x, y) == expected.pixel(x, y),
                         qPrintable(QStringLiteral("title pixel %1,%2 covered").arg(x).arg(y)));
            }
    }

    // The thumb is the part of the scroll bar that stands out from its track.
    void scrollThumbReadsAsThumb()
    {
        Form1 *form = form1();
        emit form->item(QStringLiteral("FrmPost"))->Click();
        auto *box = form->panel(QStringLiteral("TabPost"))->findChild<ResultBox *>(QStringLiteral("txtPostJG"));
        QVERIFY(box && box->isVisible());
        QString lines;
        for (int i = 0; i < 60; ++i)
            lines += QStringLiteral("第%1行：查询结果\r\n").arg(i);
        box->setText(lines);
        QScrollBar *bar = box->verticalScrollBar();
        QTRY_VERIFY_WITH_TIMEOUT(bar->maximum() > 0, 20000);
        const QImage image = bar->grab().toImage();
        save(box->grab().toImage(), "result-box.png");

        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.pageStep = bar->pageStep();
        option.singleStep = bar->singleStep();
        option.subControls = QStyle::SC_All;
        const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
        const QRect groove = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, bar);
        QVERIFY(thumb.isValid() && groove.height() > thumb.height());
        const QRect thumbMiddle = thumb.adjusted(3, 3, -3, -3);
        const QRect trackBelow(groove.left() + 3, thumb.bottom() + 4, groove.width() - 6,
                               groove.bottom() - thumb.bottom() - 8);
        QVERIFY(trackBelow.height() > 4);
        const double thumbLight = lightness(image, thumbMiddle);
        const double trackLight = lightness(image, trackBelow);
        QVERIFY2(thumbLight < trackLight - 0.05,
                 qPrintable(QStringLiteral("thumb %1, track %2").arg(thumbLight).arg(trackLight)));
    }

    // The longest verdict stands whole inside the file panel.
    void longVerdictInsidePanel()
    {
        Form1 *form = form1();
        QWidget *panel = form->panel(QStringLiteral("TabQM"));
        emit form->item(QStringLiteral("FrmFile"))->Click();
        QVERIFY(panel->isVisible());
        const QString dir = qEnvironmentVariable("KORDELVANE_SIGNED_IMAGES");
        QVERIFY2(QFile::exists(dir + QStringLiteral("/untrusted.exe")), qPrintable(dir));
        panel->findChild<QLineEdit *>(QStringLiteral("txtFile"))->setText(dir + QStringLiteral("/untrusted.exe"));
        QTest::mouseClick(panel->findChild<QPushButton *>(QStringLiteral("cmdCer")), Qt::LeftButton);

        QLabel *verdict = panel->findChild<QLabel *>(QStringLiteral("Label9"));
        const QString text = QStringLiteral("该文件有数字签名！发布者未通过验证，证书颁发机构未通过验证，请小心谨慎运行！");
        QCOMPARE(verdict->text(), text);
        save(panel->grab().toImage(), "file-panel.png");

        // Inside the panel, and tall enough for every line its width needs.
        const QRect place = verdict->geometry();
        QVERIFY2(panel->rect().contains(place), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                .arg(place.x()).arg(place.y())
                                                                .arg(place.width()).arg(place.height())));
        QVERIFY(place.height() >= verdict->heightForWidth(place.width()));
        if (!verdict->wordWrap())
            QVERIFY(place.width() >= verdict->fontMetrics().horizontalAdvance(text));
        // It still starts at its design corner, and a short text goes back to one line.
        QCOMPARE(place.topLeft(), QPoint(240, 104));
        panel->findChild<QLineEdit *>(QStringLiteral("txtFile"))->setText(dir + QStringLiteral("/unsigned.exe"));
        QTest::mouseClick(panel->findChild<QPushButton *>(QStringLiteral("cmdCer")), Qt::LeftButton);
        QVERIFY(!verdict->wordWrap());
        QVERIFY(verdict->height() < 2 * verdict->fontMetrics().lineSpacing());
        QCOMPARE(verdict->width(), verdict->sizeHint().width());
    }

private:
    Form1 *form1() const { return m_binding->form1(); }

    RecordingFatalEnd m_fatalEnd;
    PageFetcher m_fetcher{m_fatalEnd};
    RecordingMessageBoxes m_boxes;
    RecordingShellOpen m_shell;
    RecordingBrowserFactory m_browsers;
    RunRandom m_random;
    std::unique_ptr<MainWindowBinding> m_binding;
};

QTEST_MAIN(TestDesktopLook)
#include "tst_desktoplook.moc"
