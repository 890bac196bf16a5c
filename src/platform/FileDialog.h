#pragma once

#include <QString>

class QWidget;

// The file-open dialog. Tools get it through their constructors so a test
// can answer in place of a person.
class FileDialog
{
public:
    virtual ~FileDialog() = default;
    // Shows the dialog modally and returns the chosen full path, or an empty
    // string when the user cancelled. A typed name of a file that does not
    // exist is accepted. filter is a Qt name filter, "Description (*.a *.b)";
    // only the description is shown, as written, and the patterns filter.
    virtual QString getOpenFileName(QWidget *owner, const QString &title, const QString &filter,
                                    const QString &startDir) = 0;
};

// The program's dialog: a QFileDialog that accepts any file name.
class QtFileDialog : public FileDialog
{
public:
    QString getOpenFileName(QWidget *owner, const QString &title, const QString &filter,
                            const QString &startDir) override;
};
