#include "PageText.h"

int FindTextPos(const QString &marker, const QString &text)
{
    if (text.isEmpty())
        return 0;
    if (marker.isEmpty())
        return 1;
    const qsizetype found = text.indexOf(marker, 0, Qt::CaseSensitive);
    return found < 0 ? 0 : static_cast<int>(found + 1);
}

QString Mid(const QString &text, long long start, long long length)
{
    if (start < 1 || length < 0)
        throw InvalidArgumentError();
    if (start > text.size())
        return QString();
    return text.mid(static_cast<qsizetype>(start - 1), static_cast<qsizetype>(qMin<long long>(length, text.size())));
}

QString Mid(const QString &text, long long start)
{
    if (start < 1)
        throw InvalidArgumentError();
    if (start > text.size())
        return QString();
    return text.mid(static_cast<qsizetype>(start - 1));
}
