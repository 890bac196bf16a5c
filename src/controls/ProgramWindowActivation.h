#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Tells when a window becomes the program's active window in the sense of the
// old desktop: when it is first activated, and each time the user comes back
// to it from another window of this program. Coming back from another
// application does not count.
//
// How the two are told apart: every window activation inside the program
// reaches the application as a WindowActivate event on the activated
// top-level widget. Switching to another application sends none (the program
// only loses its active window), so the last window of the program that was
// activated stays this window, and returning to it finds it there. Message
// boxes, file dialogs, menus and tooltips are not windows of the program in
// this sense: returning from them does not count either.
class ProgramWindowActivation : public QObject
{
    Q_OBJECT
public:
    explicit ProgramWindowActivation(QWidget *window);
    ~ProgramWindowActivation() override;

    static bool countsAsProgramWindow(const QWidget *window);

signals:
    void activated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QPointer<QWidget> m_lastProgramWindow;
    bool m_everActivated = false;
};
