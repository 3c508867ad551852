#include "french_translation.h"

#include "french_number.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void install_french(QCoreApplication& app) {
    const QLocale& french = french_locale();
    QLocale::setDefault(french);
    auto* translator = new QTranslator(&app);
    if (translator->load(french, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}
