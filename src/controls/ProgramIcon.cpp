#include "ProgramIcon.h"

static void initIconResources()
{
    // The icon lives in this static library's resources with the splash.
    Q_INIT_RESOURCE(Form6);
}

QIcon ProgramIcon()
{
    initIconResources();
    return QIcon(QStringLiteral(":/startup/icon.png"));
}
