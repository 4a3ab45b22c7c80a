#include "gui/help/help_panel.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "core/i18n/language.h"
#include "core/i18n/retranslation.h"
#include "core/platform/program_paths.h"
#include "core/services/language_reference.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

// Which page explains the panel a widget belongs to, by the objects' names.
struct FocusPage {
  const char* object;
  const char* page;
};

constexpr FocusPage kFocusPages[] = {
    {"PaintBoxEdytor", "rysowanie.html"}, {"dpNarzedzia", "uruchamianie.html"},
    {"dpCode", "jezyk.html"},             {"Ttools", "jezyk.html"},
    {"dpKonwersjaSystemow", "konwersja.html"}, {"dpListaZmiennych", "uruchamianie.html"},
    {"dpWykazPlikow", "rysowanie.html"},  {"dpPomoc", "index.html"},
};

QString Canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

}  // namespace

QString HelpFolder() {
  QString page = Tr("msgm00057");
  while (page.startsWith(QLatin1Char('/')) || page.startsWith(QLatin1Char('\\'))) page.remove(0, 1);
  const QString dir = QFileInfo(page.replace(QLatin1Char('\\'), QLatin1Char('/'))).path();
  return FromPath(ProgramDir()) + QLatin1Char('/') + dir;
}

QString HelpPageFor(const QWidget* focus) {
  for (const QObject* o = focus; o; o = o->parent())
    for (const FocusPage& p : kFocusPages)
      if (o->objectName() == QLatin1String(p.object)) return QString::fromLatin1(p.page);
  return QStringLiteral("index.html");
}

bool HelpTargetAllowed(const QUrl& url) {
  if (url.scheme() == QLatin1String("https")) return true;
  if (!url.isLocalFile()) return false;
  const QString program = Canonical(FromPath(ProgramDir()));
  const QString file = Canonical(url.toLocalFile());
  return !program.isEmpty() && !file.isEmpty() && file.startsWith(program + QLatin1Char('/'));
}

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("WebBrowserHelp"));
  setOpenLinks(false);
  OpenExternal = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
    const QUrl target = source().resolved(link);
    if (!HelpTargetAllowed(target)) return;
    if (target.isLocalFile())
      setSource(target);
    else
      OpenExternal(target);
  });
}

// Pages are read here so that the reference page gets its tables and
// nothing outside the program folder is ever shown.
QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  if (!HelpTargetAllowed(name) || !name.isLocalFile()) return {};
  if (type != QTextDocument::HtmlResource) return QTextBrowser::loadResource(type, name);
  QFile file(name.toLocalFile());
  if (!file.open(QIODevice::ReadOnly)) return {};
  QString page = QString::fromUtf8(file.readAll());
  // The hints of the tables are Polish; other languages show names and precedence only.
  const bool hints = Language().LanguageCode() == "PL";
  page.replace(QString::fromLatin1(kOperatorMarker.data(), kOperatorMarker.size()), FromCore(OperatorReferenceHtml()));
  page.replace(QString::fromLatin1(kKeywordMarker.data(), kKeywordMarker.size()), FromCore(KeywordReferenceHtml()));
  page.replace(QString::fromLatin1(kBuiltinMarker.data(), kBuiltinMarker.size()),
               FromCore(BuiltinReferenceHtml(hints)));
  return page;
}

void HelpBrowser::ShowPage(const QString& page) {
  setSource(QUrl::fromLocalFile(HelpFolder() + QLatin1Char('/') + page));
}

HelpBrowser* HelpBrowserOf(Tmain& window) {
  QDockWidget* dock = window.Panel("dpPomoc");
  return dock ? qobject_cast<HelpBrowser*>(dock->widget()) : nullptr;
}

void InstallHelpPanel(Tmain& window) {
  QDockWidget* dock = window.Panel("dpPomoc");
  if (!dock) return;
  auto* browser = new HelpBrowser(dock);
  QWidget* old = dock->widget();
  dock->setWidget(browser);
  delete old;
  browser->ShowPage(QStringLiteral("index.html"));
  const RetranslationHandle handle = AddRetranslationObserver([browser] {
    const QString page = QFileInfo(browser->source().toLocalFile()).fileName();
    browser->ShowPage(page.isEmpty() ? QStringLiteral("index.html") : page);
  });
  QObject::connect(browser, &QObject::destroyed, [handle] { RemoveRetranslationObserver(handle); });
  window.SetCommandHandler("ActionPomoc", [&window, dock, browser] {
    const QString page = HelpPageFor(QApplication::focusWidget());
    dock->show();
    dock->raise();
    browser->ShowPage(page);
  });
}

}  // namespace tessaro::gui
