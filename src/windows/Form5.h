#pragma once

#include "FrameClosedDialog.h"

class QLabel;
class QListWidget;

// The about box: product name, icon and version, the installed components,
// the rights and developer lines and the legal warning. Closed by its close box only.
class Form5 : public FrameClosedDialog
{
    Q_OBJECT
public:
    explicit Form5(QWidget *parent = nullptr);

    QListWidget *List1() const { return m_list; }
    QLabel *Label2() const { return m_label2; }

    // The components, in the order the list shows them.
    static const QStringList &ComponentNames();

private:
    void Form_Load();

    QListWidget *m_list = nullptr;
    QLabel *m_label2 = nullptr;
};
