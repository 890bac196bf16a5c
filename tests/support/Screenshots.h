#pragma once

#include <QDir>
#include <QString>

// The folder beside the program folder where tests leave pictures of what
// they showed, for a person to look at (build/screenshots); made on first use.
inline QString screenshotsDir()
{
    QDir build(qEnvironmentVariable("KORDELVANE_PROGRAM_DIR"));
    build.cdUp();
    build.mkpath(QStringLiteral("screenshots"));
    return build.filePath(QStringLiteral("screenshots"));
}
