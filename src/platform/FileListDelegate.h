#pragma once

#include <QStyledItemDelegate>

class QDateTime;

// Draws the file dialog's detail list with its type and date columns in the
// program's locale. Qt's file list writes its dates in the machine's locale
// whatever the program's, and names a folder's type through a catalogue
// entry that Qt's Chinese translation lacks; the files' own type names
// already come from the MIME database in the program's locale.
class FileListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // A modification time as the list shows it: the locale's short date and time.
    static QString dateText(const QDateTime &modified);
    // A folder's type name, the MIME database's in the locale ("文件夹").
    static QString folderTypeName();

    // The text the list shows in a cell.
    QString cellText(const QModelIndex &index) const;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
