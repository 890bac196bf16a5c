#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallQtChineseTranslations(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    // qtbase_zh_CN holds the widgets' words; the locale is named outright, as
    // the user's own locale says nothing about the program's language.
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
