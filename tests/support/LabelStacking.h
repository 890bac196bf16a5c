#pragma once

#include "Command.h"
#include "Text.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>

// How the text labels of a window lie against the boxes and buttons beside
// them: each pair of a plain label showing a text and a text box, list or
// button of the same parent whose places overlap, and which of the two lies
// above. Pictures (labels with no text) are left out.
struct LabelStacking {
    QStringList labelsAbove; // "label over control"
    QStringList labelsBelow; // "label under control"
};

inline bool typedIntoOrPressed(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractButton *>(widget)
           || qobject_cast<const QAbstractScrollArea *>(widget) || qobject_cast<const Command *>(widget)
           || qobject_cast<const Text *>(widget);
}

inline LabelStacking labelStacking(const QWidget *root, Qt::FindChildOptions depth = Qt::FindChildrenRecursively)
{
    LabelStacking found;
    for (const QLabel *label : root->findChildren<QLabel *>(QString(), depth)) {
        if (label->metaObject() != &QLabel::staticMetaObject || label->text().isEmpty() || !label->parentWidget())
            continue;
        // Children are listed bottom-most first.
        const QObjectList &siblings = label->parentWidget()->children();
        const qsizetype labelAt = siblings.indexOf(label);
        for (qsizetype i = 0; i < siblings.size(); ++i) {
            auto *control = qobject_cast<const QWidget *>(siblings.at(i));
            if (!control || !typedIntoOrPressed(control) || !control->geometry().intersects(label->geometry()))
                continue;
            const QString pair = label->objectName() + (i < labelAt ? " over " : " under ") + control->objectName();
            (i < labelAt ? found.labelsAbove : found.labelsBelow).append(pair);
        }
    }
    return found;
}
