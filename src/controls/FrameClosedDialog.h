#pragma once

#include <QDialog>

class QKeyEvent;

// A dialog window that closes by its own buttons or the close box of its
// title bar only: QDialog would take Esc as a cancel and close.
class FrameClosedDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FrameClosedDialog(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
