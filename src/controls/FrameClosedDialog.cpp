#include "FrameClosedDialog.h"

#include <QKeyEvent>

FrameClosedDialog::FrameClosedDialog(QWidget *parent) : QDialog(parent) {}

void FrameClosedDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
