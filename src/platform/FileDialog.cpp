#include "FileDialog.h"

#include <QFileDialog>

QString QtFileDialog::getOpenFileName(QWidget *owner, const QString &title, const QString &filter,
                                      const QString &startDir)
{
    QFileDialog dialog(owner, title, startDir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // AnyFile, not ExistingFile: a typed name is taken even when no such file exists.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    // Qt's own dialog everywhere: some desktop dialogs refuse a name that does not exist.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}
