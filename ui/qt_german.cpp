#include "ui/qt_german.h"

#include <QLibraryInfo>

std::unique_ptr<QTranslator> LoadQtGermanTexts() {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return translator;
}
