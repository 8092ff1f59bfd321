#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace quendra::ui {

QtTranslations::QtTranslations()
    : QtTranslations(QLocale::system(), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) {}

// The locale's languages in the person's order ("de-AT", then "de"): qtbase_de_AT.qm,
// qtbase_de.qm.
QtTranslations::QtTranslations(const QLocale& language, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(language, QStringLiteral("qtbase"), QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator.get()))
        translator_ = std::move(translator);
}

QtTranslations::~QtTranslations() {
    if (translator_)
        QCoreApplication::removeTranslator(translator_.get());
}

} // namespace quendra::ui
