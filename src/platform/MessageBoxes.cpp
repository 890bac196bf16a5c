#include "MessageBoxes.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

int QtMessageBoxes::titleWidth(const QString &title)
{
    // Window managers draw titles in the system's title font, most of them
    // bold; a bold measure keeps a normal one whole too.
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    // The bar is about one and a half lines high and its pieces about
    // square: the window icon and up to three buttons (minimise, maximise,
    // close) take six lines' height, and half a line on each side of the
    // title keeps it off them.
    return metrics.horizontalAdvance(title) + 7 * metrics.height();
}

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
    // A box narrower than its title has the title cut by the window manager
    // ("没有… 文件"). QMessageBox sizes itself to its layout's minimum width,
    // so a row as wide as the title needs keeps it whole.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidth(title), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}
