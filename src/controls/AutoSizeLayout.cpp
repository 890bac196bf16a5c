#include "AutoSizeLayout.h"

#include <QFontMetrics>
#include <QLabel>

AutoSizeLayout::AutoSizeLayout(QWidget *parent) : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
    // The parent keeps the size it was given: this layout holds no items.
    setSizeConstraint(QLayout::SetNoConstraint);
}

void AutoSizeLayout::add(QLabel *label, Wrap wrap)
{
    QWidget *parent = label->parentWidget();
    if (!parent)
        return;
    auto *layout = dynamic_cast<AutoSizeLayout *>(parent->layout());
    if (!layout) {
        if (parent->layout()) {
            qWarning("AutoSizeLayout: %s has a layout of another kind", qPrintable(parent->objectName()));
            label->adjustSize();
            return;
        }
        layout = new AutoSizeLayout(parent);
    }
    bool known = false;
    for (Entry &entry : layout->m_labels)
        if (entry.label == label) {
            entry.wrap = wrap;
            known = true;
        }
    // A label not yet shown tells its parent nothing when its text changes:
    // the layout fits it when it is shown (setGeometry, or invalidate when it
    // is shown on its own).
    if (!known)
        layout->m_labels.append({label, wrap});
    layout->fit({label, wrap});
}

void AutoSizeLayout::invalidate()
{
    QLayout::invalidate();
    fitAll();
}

void AutoSizeLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    fitAll();
}

void AutoSizeLayout::addItem(QLayoutItem *item)
{
    // Nothing is placed by this layout.
    delete item;
}

void AutoSizeLayout::fitAll()
{
    m_labels.removeIf([](const Entry &entry) { return entry.label.isNull(); });
    for (const Entry &entry : std::as_const(m_labels))
        fit(entry);
}

void AutoSizeLayout::fit(const Entry &entry)
{
    QLabel *label = entry.label;
    // Turning the wrapping on or off below tells this layout again.
    if (!label || m_fitting)
        return;
    m_fitting = true;
    if (entry.wrap == Wrap::Never) {
        label->resize(label->sizeHint());
    } else {
        const QMargins margins = label->contentsMargins();
        const int frame = margins.left() + margins.right() + 2 * label->margin();
        const int oneLine = QFontMetrics(label->font()).size(0, label->text()).width() + frame;
        const int room = label->parentWidget()->width() - label->x();
        if (oneLine <= room) {
            label->setWordWrap(false);
            label->resize(label->sizeHint());
        } else {
            label->setWordWrap(true);
            label->resize(room, label->heightForWidth(room));
        }
    }
    m_fitting = false;
}
