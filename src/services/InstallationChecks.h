#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class ProgramFolder;

// The files a complete program folder holds, checked at start-up in this
// order; the first check with a file missing fails with its message.
struct InstallationCheck {
    QStringList files; // resource names, "\IMG\Main.jpg"
    QString message;
};

// The four checks: skin pictures, manual, sibling tool, runtime library. The
// Linux build takes its runtime libraries from the system, not from its
// folder, so the fourth check names no file and always passes.
const QList<InstallationCheck> &InstallationChecks();

// The message of the first failed check; nullopt when every file is present.
std::optional<QString> FirstFailedInstallationCheck(const ProgramFolder &folder);

// An ordinary file at exactly this path: not a folder, not a hidden file.
bool IsPresentFile(const QString &path);
