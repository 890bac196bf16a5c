#pragma once

#include <QFileDialog>

class QTreeView;

// Qt's own file-open dialog as the program shows it: any typed name is
// taken, the filter shows its description only, the detail list writes its
// types and dates in the program's locale, and the dialog opens wide enough
// that the type and date columns show whole beside the name.
class FileOpenDialog : public QFileDialog
{
    Q_OBJECT
public:
    FileOpenDialog(QWidget *owner, const QString &title, const QString &startDir, const QString &filter);

    // The detail list (Qt's "treeView").
    QTreeView *detailList() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The width the list needs for a name column of its first width and the
    // size, type and date columns whole, with the types the filter can show.
    int neededListWidth() const;
};
