#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace nameshift::ui {

bool installTranslations(const QLocale& locale, const QString& directory) {
    // Owned by the application, which keeps them for as long as it runs.
    auto* own = new QTranslator(QCoreApplication::instance());
    const bool found =
        own->load(locale, QStringLiteral("nameshift"), QStringLiteral("_"), directory);
    if (found) {
        QCoreApplication::installTranslator(own);
    }
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
    }
    return found;
}

QString translationDirectory() {
    return QCoreApplication::applicationDirPath() +
           QStringLiteral("/../share/nameshift/translations");
}

}  // namespace nameshift::ui
