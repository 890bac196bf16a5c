#include "LookupOutputTidy.h"

QString TidyLookupOutput(QString text, const QString &removed)
{
    text.remove(QLatin1Char(' '));
    text.replace(QStringLiteral("AddreSSes:"), QStringLiteral("服务器主机信息：\r\n"));
    if (!removed.isEmpty())
        text.remove(removed);
    text.replace(QStringLiteral("Addresses:"), QStringLiteral("Addresses:\r\n"));
    return text;
}
