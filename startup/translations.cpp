#include "startup/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installGermanToolkitTexts(QCoreApplication& application, const QString& folder)
{
    auto* catalogue = new QTranslator(&application);
    if (!catalogue->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                         folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                                          : folder)) {
        delete catalogue;
        return false;
    }
    return QCoreApplication::installTranslator(catalogue);
}
