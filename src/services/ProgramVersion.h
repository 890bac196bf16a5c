#pragma once

#include <QString>

// The version the program says it is; compared as text with the notice page.
inline const QString ProgramVersion = QStringLiteral("5.5");

// "Orvalent " and the version: what the main window's status line shows.
inline QString ProductTitle()
{
    return QStringLiteral("Orvalent ") + ProgramVersion;
}
