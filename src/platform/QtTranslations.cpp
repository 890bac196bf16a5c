#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallQtChineseTranslations(QCoreApplication &app)
{
    // The locale is named outright, as the user's own locale says nothing
    // about the program's language. Only the default locale changes: the
    // process's C locale (and so every child program's) stays the user's.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China));
    auto *translator = new QTranslator(&app);
    // qtbase_zh_CN holds the widgets' words.
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
