// Qt's own texts (the standard buttons, the file, print, colour and font
// dialogs) in the program's language, switched with it.
#pragma once

#include <QString>

namespace tessaro::gui {

// Loads Qt's translation of the active language and keeps following the
// language switch; safe to call more than once.
void InstallQtTranslations();

// The file name stem of Qt's translation for a language code ("PL" -> "qt_pl").
QString QtTranslationName(const QString& language_code);

}  // namespace tessaro::gui
