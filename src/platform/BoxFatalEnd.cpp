#include "BoxFatalEnd.h"

#include <QMessageBox>
#include <QString>
#include <cstdio>
#include <unistd.h>

void BoxFatalEnd::showAndEnd(const char *title, const char *text)
{
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(title), QString::fromUtf8(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    std::fflush(nullptr);
    ::_exit(0);
}
