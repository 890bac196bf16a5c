#include "MessageBoxes.h"

#include <QMessageBox>

void QtMessageBoxes::show(Icon icon, const QString &title, const QString &text, QWidget *owner)
{
    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
    case Icon::None: qtIcon = QMessageBox::NoIcon; break;
    case Icon::Critical: qtIcon = QMessageBox::Critical; break;
    case Icon::Exclamation: qtIcon = QMessageBox::Warning; break;
    case Icon::Information: qtIcon = QMessageBox::Information; break;
    }
    QMessageBox box(qtIcon, title, text, QMessageBox::Ok, owner);
    // Texts can carry a page's words: they show as written, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
