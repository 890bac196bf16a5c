#pragma once

#include <QString>

// The folder of the running program. Resource names keep their written form
// ("\IMG\Main.jpg"); this turns them into a path inside that folder.
class ProgramFolder
{
public:
    // The running executable's folder.
    ProgramFolder();
    // Another folder, for tests that lay out a program folder of their own.
    explicit ProgramFolder(const QString &root);

    QString root() const { return m_root; }
    // root + "\IMG\Main.jpg" with every backslash turned into "/".
    QString path(const QString &resourceName) const;

private:
    QString m_root;
};
