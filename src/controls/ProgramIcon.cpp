#include "ProgramIcon.h"

static void initIconResources()
{
    // The icon lives in this static library's resources with the faces.
    Q_INIT_RESOURCE(controls);
}

QIcon ProgramIcon()
{
    initIconResources();
    return QIcon(QStringLiteral(":/controls/faces/icon.png"));
}
