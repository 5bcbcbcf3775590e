#include "app/qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "lang/help_files.h"

bool useQtTexts(const std::string& languageDisplayName) {
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    if (!languageIsSpanish(languageDisplayName)) return true;
    auto spanish = std::make_unique<QTranslator>();
    if (!spanish->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(spanish.get());
    installed = std::move(spanish);
    return true;
}
