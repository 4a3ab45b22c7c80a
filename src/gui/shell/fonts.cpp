#include "gui/shell/fonts.h"

#include <QApplication>
#include <QFont>

namespace tessaro::gui {

void InstallFonts() {
  for (const FontSubstitution& s : kFontSubstitutions)
    QFont::insertSubstitution(QString::fromLatin1(s.designed), QString::fromLatin1(s.installed));
  QApplication::setFont(QFont(QString::fromLatin1(kInterfaceFont), kInterfaceFontSize));
}

}  // namespace tessaro::gui
