#include "BoxFatalEnd.h"

#include "ProgramEnd.h"

#include <QMessageBox>
#include <QString>

void BoxFatalEnd::showAndEnd(const char *title, const char *text)
{
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(title), QString::fromUtf8(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    EndProgramNow();
}
