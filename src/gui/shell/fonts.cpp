#include "gui/shell/fonts.h"

#include <QApplication>
#include <QFont>

#include "picture/font_substitutions.h"

namespace tessaro::gui {

void InstallFonts() {
  for (const picture::FontSubstitution& s : picture::kFontSubstitutions)
    QFont::insertSubstitution(QString::fromLatin1(s.designed), QString::fromLatin1(s.installed));
  QApplication::setFont(QFont(QString::fromLatin1(kInterfaceFont), kInterfaceFontSize));
}

}  // namespace tessaro::gui
