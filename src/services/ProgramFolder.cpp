#include "ProgramFolder.h"

#include <QCoreApplication>

ProgramFolder::ProgramFolder() : m_root(QCoreApplication::applicationDirPath()) {}

ProgramFolder::ProgramFolder(const QString &root) : m_root(root) {}

QString ProgramFolder::path(const QString &resourceName) const
{
    QString relative = resourceName;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!relative.startsWith(QLatin1Char('/')))
        relative.prepend(QLatin1Char('/'));
    return m_root + relative;
}
