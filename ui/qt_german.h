#pragma once

#include <QTranslator>

#include <memory>

// Qt's own texts (the open-file dialog, the standard buttons, the text boxes' context menus) in German,
// whatever the user's locale, since every other text of the program is German. Returns the loaded
// translation, to be installed into the application for as long as it runs, or nullptr when Qt's
// German translation (qtbase_de.qm, Debian package qt6-translations-l10n) is not installed; Qt then
// speaks English.
std::unique_ptr<QTranslator> LoadQtGermanTexts();
