#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace app {

void InstallTranslations(QCoreApplication& application)
{
    // As gettext does: under the C locale the texts stay as written, whatever
    // LANGUAGE asks for.
    if (QLocale().language() == QLocale::C)
        return;
    // Built into the program: nothing to look for on disk but Qt's own file.
    auto* editor = new QTranslator(&application);
    if (!editor->load(QLocale(), QStringLiteral("VelmarCarEditor"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        delete editor;
        return;
    }
    QCoreApplication::installTranslator(editor);
    auto* qt = new QTranslator(&application);
    if (qt->load(QLocale(editor->language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}

}  // namespace app
