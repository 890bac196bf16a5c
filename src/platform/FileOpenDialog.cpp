#include "FileOpenDialog.h"

#include "FileListDelegate.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>

#include <algorithm>

namespace {

enum Column { NameColumn, SizeColumn, TypeColumn, DateColumn, ColumnCount };

// The file names a Qt name filter ("Description (*.a *.b)") lets through,
// one made-up name a pattern.
QStringList sampleNames(const QStringList &filters)
{
    static const QRegularExpression patterns(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    QStringList names;
    for (const QString &filter : filters) {
        const QRegularExpressionMatch match = patterns.match(filter);
        if (!match.hasMatch())
            continue;
        for (QString pattern : match.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            names.append(pattern.replace(QLatin1Char('*'), QLatin1Char('x')).replace(QLatin1Char('?'), QLatin1Char('x')));
    }
    return names;
}

} // namespace

FileOpenDialog::FileOpenDialog(QWidget *owner, const QString &title, const QString &startDir, const QString &filter)
    : QFileDialog(owner, title, startDir, filter)
{
    setAcceptMode(QFileDialog::AcceptOpen);
    // AnyFile, not ExistingFile: a typed name is taken even when no such file exists.
    setFileMode(QFileDialog::AnyFile);
    setOption(QFileDialog::HideNameFilterDetails, true);
    // Qt's own dialog everywhere: some desktop dialogs refuse a name that does not exist.
    setOption(QFileDialog::DontUseNativeDialog, true);
    // The list with its columns, whatever view the last dialog was left in.
    setViewMode(QFileDialog::Detail);
    setItemDelegate(new FileListDelegate(this));

    // The name takes what the other columns leave; they are as wide as what
    // they show. Set after the dialog has restored its last header.
    if (QTreeView *list = detailList()) {
        QHeaderView *header = list->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
        for (int column : {SizeColumn, TypeColumn, DateColumn})
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

QTreeView *FileOpenDialog::detailList() const
{
    return findChild<QTreeView *>(QStringLiteral("treeView"));
}

int FileOpenDialog::neededListWidth() const
{
    const QTreeView *list = detailList();
    const QFontMetrics metrics = list->fontMetrics();
    // A cell's text has the focus frame's margin and a pixel on either side.
    const int padding = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1) +
                        metrics.averageCharWidth();
    const auto cellWidth = [&](const QString &text) { return metrics.horizontalAdvance(text) + padding; };

    QStringList types{FileListDelegate::folderTypeName()};
    const QMimeDatabase mimes;
    for (const QString &name : sampleNames(nameFilters()))
        for (const QMimeType &type : mimes.mimeTypesForFileName(name))
            types.append(type.comment());
    int typeWidth = 0;
    for (const QString &type : types)
        typeWidth = std::max(typeWidth, cellWidth(type));

    // Two-digit day and month, and the widest size Qt writes below the next unit.
    const int dateWidth = cellWidth(FileListDelegate::dateText(QDateTime(QDate(2000, 12, 28), QTime(20, 58))));
    const int sizeWidth = cellWidth(QLocale::system().formattedDataSize(1023 * 1024 + 1023));

    const QHeaderView *header = list->header();
    int width = header->sectionSize(NameColumn) + list->verticalScrollBar()->sizeHint().width();
    width += std::max(sizeWidth, header->sectionSizeHint(SizeColumn));
    width += std::max(typeWidth, header->sectionSizeHint(TypeColumn));
    width += std::max(dateWidth, header->sectionSizeHint(DateColumn));
    return width;
}

void FileOpenDialog::showEvent(QShowEvent *event)
{
    QFileDialog::showEvent(event);
    const QTreeView *list = detailList();
    if (!list)
        return;
    // Laid out but not yet on the screen: widening now is not seen as a jump.
    const int shortfall = neededListWidth() - list->viewport()->width();
    if (shortfall <= 0)
        return;
    int wanted = width() + shortfall;
    if (const QScreen *screen = this->screen())
        wanted = std::min(wanted, screen->availableGeometry().width());
    resize(std::max(wanted, width()), height());
}
