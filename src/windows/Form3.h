#pragma once

#include "ProgramFolder.h"
#include "ReportForm.h"
#include "SurfaceDrag.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>

class BrowserFactory;
class BrowserView;
class Command;
class MessageBoxes;
class PictureBox;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class ReportSubmission;
class Text;

// The malicious-site report window. It shows a form of its own and keeps the
// report service's page loaded in a browser view below its visible area
// (WebBrowser1): a report copies the fields into the page's inputs by name,
// ticks the page's category boxes by position and clicks every image of the
// page; the first page that completes afterwards is searched for the
// service's confirmation. The page's first image, the captcha, is shown in
// Picture1, and its size tells that the page is ready. A second view (WebT)
// looks up a page's title for the name field. The window is borderless,
// dragged by its background and closed by Command3 or the close picture M3,
// both of which show the main window again and unload this one. The report's
// way into the page and back is a ReportSubmission over WebBrowser1, and the
// checks of the form are ReportForm's; the window hands them its fields, shows
// what they answer and runs its buttons.
class Form3 : public QWidget
{
    Q_OBJECT
public:
    struct Dependencies {
        MessageBoxes &boxes;
        BrowserFactory &browsers;
        ProgramFolder folder;             // for "\IMG\JB.jpg"
        QPixmap M30, M31, M32;             // the main window's close pictures
        std::function<void()> showMainWindow;
    };

    static constexpr int CategoryCount = ReportForm::CategoryCount;
    // Picture1's border, pixels on each side; the box measures the picture
    // plus twice this.
    static constexpr int CaptchaBorder = 2;
    // The box size (border included) of the report page's captcha, twips.
    static constexpr int ReadyWidth = 690;
    static constexpr int ReadyHeight = 300;
    // The most room the box may take, border included, twips: up to the
    // logo on its right and the status line below. A larger picture is shown
    // scaled down to fit, so it never covers those.
    static constexpr int CaptchaRoomWidth = 840;
    static constexpr int CaptchaRoomHeight = 540;

    explicit Form3(Dependencies dependencies, QWidget *parent = nullptr);
    ~Form3() override;

    // Runs each time the window becomes the program's active window.
    void Form_Activate();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void cmdT_Click();
    void WebBrowser1_DocumentComplete();
    void WebT_TitleChange(const QString &title);
    void Picture1_Change();
    void M3_Click();
    void M3_MouseDown();
    void M3_MouseMove();

    Text *Text1() const { return m_Text1; } // site name
    Text *Text2() const { return m_Text2; } // site address
    QPlainTextEdit *Text3() const { return m_Text3; } // reason
    Text *Text4() const { return m_Text4; } // e-mail
    Text *Text5() const { return m_Text5; } // captcha code
    QCheckBox *Check1(int index) const { return m_Check1.at(index); }
    QLabel *Label6() const { return m_Label6; }
    QLabel *Picture1() const { return m_Picture1; }
    PictureBox *M3() const { return m_M3; }
    Command *Command1() const { return m_Command1; }
    Command *Command2() const { return m_Command2; }
    Command *Command3() const { return m_Command3; }
    Command *cmdT() const { return m_cmdT; }
    BrowserView *WebBrowser1() const { return m_WebBrowser1; }
    BrowserView *WebT() const { return m_WebT; }
    bool ReportPending() const;
    bool TitlePending() const { return m_TitlePending; }

    // The reason as the form sends it: line breaks as CR LF.
    QString reasonText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void Form_Load();
    void showStatus(const QString &status);
    void showCaptcha(const QImage &picture);
    void unload();

    MessageBoxes &m_boxes;
    BrowserFactory &m_browsers;
    ProgramFolder m_folder;
    QPixmap m_M30, m_M31, m_M32;
    std::function<void()> m_showMainWindow;

    QPixmap m_background;
    Text *m_Text1 = nullptr;
    Text *m_Text2 = nullptr;
    QPlainTextEdit *m_Text3 = nullptr;
    Text *m_Text4 = nullptr;
    Text *m_Text5 = nullptr;
    std::array<QCheckBox *, CategoryCount> m_Check1{};
    QLabel *m_Label6 = nullptr;
    QLabel *m_Picture1 = nullptr;
    QSize m_captchaSize; // the shown captcha's own size, before any scaling
    PictureBox *m_M3 = nullptr;
    Command *m_Command1 = nullptr;
    Command *m_Command2 = nullptr;
    Command *m_Command3 = nullptr;
    Command *m_cmdT = nullptr;
    BrowserView *m_WebBrowser1 = nullptr;
    BrowserView *m_WebT = nullptr;
    ReportSubmission *m_submission = nullptr;

    bool m_TitlePending = false;
    SurfaceDrag m_drag{*this};
    bool m_unloading = false;
};
