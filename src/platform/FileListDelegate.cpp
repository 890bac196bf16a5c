#include "FileListDelegate.h"

#include <QDateTime>
#include <QFileSystemModel>
#include <QLocale>
#include <QMimeDatabase>

namespace {
// The columns of Qt's file list.
constexpr int TypeColumn = 2;
constexpr int DateColumn = 3;
} // namespace

QString FileListDelegate::dateText(const QDateTime &modified)
{
    return QLocale().toString(modified, QLocale::ShortFormat);
}

QString FileListDelegate::folderTypeName()
{
    return QMimeDatabase().mimeTypeForName(QStringLiteral("inode/directory")).comment();
}

QString FileListDelegate::cellText(const QModelIndex &index) const
{
    if (const auto *files = qobject_cast<const QFileSystemModel *>(index.model())) {
        if (index.column() == TypeColumn && files->isDir(index))
            return folderTypeName();
        if (index.column() == DateColumn)
            return dateText(files->lastModified(index));
    }
    return displayText(index.data(Qt::DisplayRole), QLocale());
}

void FileListDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->features & QStyleOptionViewItem::HasDisplay)
        option->text = cellText(index);
}
