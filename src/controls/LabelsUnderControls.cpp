#include "LabelsUnderControls.h"

#include "Command.h"
#include "Option.h"
#include "Text.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

bool IsBoxOrButton(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QLineEdit *>(widget)
           || qobject_cast<const QAbstractScrollArea *>(widget) || qobject_cast<const QComboBox *>(widget)
           || qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const Command *>(widget)
           || qobject_cast<const Text *>(widget) || qobject_cast<const Option *>(widget);
}

void LabelsUnderControls(QWidget *window)
{
    const QList<QLabel *> labels = window->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        // Only labels that show a text: pictures are QLabels too, and lie
        // where they lie by design (the title picture over the tabs, a
        // verdict badge inside its address box).
        if (label->metaObject() != &QLabel::staticMetaObject || label->text().isEmpty() || !label->parentWidget())
            continue;
        // A parent's children are in stacking order, the bottom-most first:
        // the boxes and buttons made before the label lie beneath it.
        const QObjectList &siblings = label->parentWidget()->children();
        const qsizetype labelAt = siblings.indexOf(label);
        for (qsizetype i = 0; i < labelAt; ++i) {
            auto *sibling = qobject_cast<QWidget *>(siblings.at(i));
            if (sibling && IsBoxOrButton(sibling) && sibling->geometry().intersects(label->geometry())) {
                // Under the lowest of them is under all of them.
                label->stackUnder(sibling);
                break;
            }
        }
    }
}
