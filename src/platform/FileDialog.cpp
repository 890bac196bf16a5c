#include "FileDialog.h"

#include "FileOpenDialog.h"

QString QtFileDialog::getOpenFileName(QWidget *owner, const QString &title, const QString &filter,
                                      const QString &startDir)
{
    FileOpenDialog dialog(owner, title, startDir, filter);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}
