#pragma once

#include <QLayout>
#include <QList>
#include <QPointer>

class QLabel;

// The labels of a panel or window that size themselves to their text. When a
// label's text or font changes, Qt tells its parent's layout at once
// (invalidate), while the layout request it posts waits for the event loop;
// the blocking page fetches run no event loop, so a status text set before a
// fetch stood cut for the whole fetch. This layout places no items: it only
// gives each of its labels the size its text needs, the moment it changes.
class AutoSizeLayout : public QLayout
{
public:
    enum class Wrap {
        Never,       // one line, however long
        AtParentEdge // one line as long as it fits the parent, else wrapped at the parent's right edge
    };

    // From now on the label keeps its left and top and takes the size its
    // text needs; the layout is made on the label's parent when it has none.
    static void add(QLabel *label, Wrap wrap = Wrap::Never);

    void invalidate() override;
    void setGeometry(const QRect &rect) override;

    void addItem(QLayoutItem *item) override;
    QLayoutItem *itemAt(int) const override { return nullptr; }
    QLayoutItem *takeAt(int) override { return nullptr; }
    int count() const override { return 0; }
    QSize sizeHint() const override { return {}; }
    QSize minimumSize() const override { return {}; }

private:
    explicit AutoSizeLayout(QWidget *parent);

    struct Entry {
        QPointer<QLabel> label;
        Wrap wrap;
    };
    void fitAll();
    void fit(const Entry &entry);

    QList<Entry> m_labels;
    bool m_fitting = false;
};
