#include "ShellOpen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

void DesktopShellOpen::open(const QString &target)
{
    const bool isFile = QFileInfo(target).isAbsolute();
    QDesktopServices::openUrl(isFile ? QUrl::fromLocalFile(target) : QUrl(target, QUrl::TolerantMode));
}

bool DesktopShellOpen::start(const QString &program)
{
    return QProcess::startDetached(program, {});
}
