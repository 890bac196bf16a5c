#pragma once

#include "ProgramFolder.h"
#include "SurfaceDrag.h"

#include <QPixmap>
#include <QWidget>

class Command;
class MessageBoxes;
class PageFetcher;
class PictureBox;
class ProgramFolder;
class QLabel;
class QPlainTextEdit;
class ShellOpen;

// The update window: checks the maker's version notice on request, shows the
// update text and opens the download page. Borderless, dragged by its own
// surface, closed through a close picture that borrows the main window's.
class Form4 : public QWidget
{
    Q_OBJECT
public:
    // The three close pictures (normal, hover, pressed) are the main window's.
    struct ClosePictures {
        QPixmap normal, hover, pressed;
    };
    Form4(PageFetcher &fetcher, MessageBoxes &boxes, ShellOpen &shell, const ProgramFolder &folder,
          const ClosePictures &closePictures, QWidget *parent = nullptr);

    Command *Command1() const { return m_command1; }
    Command *Command2() const { return m_command2; }
    Command *Command3() const { return m_command3; }
    QLabel *Label2() const { return m_label2; }
    QLabel *Label4() const { return m_label4; }
    QLabel *Label5() const { return m_label5; }
    QPlainTextEdit *Text1() const { return m_text1; }
    PictureBox *M3() const { return m_m3; }
    QString NewestVersion() const { return m_newestVersion; }

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void Form_Load();

    PageFetcher &m_fetcher;
    MessageBoxes &m_boxes;
    ShellOpen &m_shell;
    ClosePictures m_close;
    QPixmap m_background;
    QString m_newestVersion;
    QString m_pageText;
    SurfaceDrag m_drag{*this};

    QLabel *m_label2 = nullptr;
    QLabel *m_label4 = nullptr;
    QLabel *m_label5 = nullptr;
    QLabel *m_image1 = nullptr;
    QPlainTextEdit *m_text1 = nullptr;
    Command *m_command1 = nullptr;
    Command *m_command2 = nullptr;
    Command *m_command3 = nullptr;
    PictureBox *m_m3 = nullptr;
    ProgramFolder m_folder;
};
