#pragma once

#include <QString>

class QWidget;

// Modal message boxes with one OK button. Windows get this through their
// constructors so a test can record the boxes instead of waiting on a person.
class MessageBoxes
{
public:
    enum class Icon { None, Critical, Exclamation, Information };
    virtual ~MessageBoxes() = default;
    // Returns when the user has closed the box.
    virtual void show(Icon icon, const QString &title, const QString &text, QWidget *owner = nullptr) = 0;
};

// The program's boxes: QMessageBox with the matching icon, at least as wide
// as the window manager's title bar needs for the title.
class QtMessageBoxes : public MessageBoxes
{
public:
    void show(Icon icon, const QString &title, const QString &text, QWidget *owner = nullptr) override;

    // The width a title bar needs to show the title whole beside its icon and buttons.
    static int titleWidth(const QString &title);
};
