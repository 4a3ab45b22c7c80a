#include "gui/shell/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include "core/i18n/language.h"
#include "core/i18n/retranslation.h"

namespace tessaro::gui {

namespace {

QPointer<QTranslator> installed;

void LoadForActiveLanguage() {
  auto* app = QCoreApplication::instance();
  if (!app) return;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
  }
  // A language Qt has no translation for keeps Qt's own English texts.
  auto* translator = new QTranslator(app);
  const QString name = QtTranslationName(QString::fromStdString(Language().LanguageCode()));
  if (translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
    installed = translator;
  } else {
    delete translator;
  }
}

}  // namespace

QString QtTranslationName(const QString& language_code) { return QStringLiteral("qt_") + language_code.toLower(); }

void InstallQtTranslations() {
  static bool following = false;
  LoadForActiveLanguage();
  if (following) return;
  following = true;
  AddRetranslationObserver(LoadForActiveLanguage);
}

}  // namespace tessaro::gui
