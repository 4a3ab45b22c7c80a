// The help panel dpPomoc: the help pages of the active language in a text
// browser. The language reference page is completed from the tables the
// parser reads. Links leave the panel only for https pages.
#pragma once

#include <QTextBrowser>
#include <functional>

namespace tessaro::gui {

class Tmain;

class HelpBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  explicit HelpBrowser(QWidget* parent = nullptr);
  QVariant loadResource(int type, const QUrl& name) override;

  // Opens a page outside the program (https only); tests replace it.
  std::function<bool(const QUrl&)> OpenExternal;
  // Shows `page` ("index.html", "jezyk.html") of the active language.
  void ShowPage(const QString& page);
};

// The help folder of the active language: the folder of the page the
// translation names ("msgm00057"), under the program folder.
QString HelpFolder();
// The help page for the widget that has the focus.
QString HelpPageFor(const QWidget* focus);
// A file under the program folder or an https address: what "Pomoc" may open.
bool HelpTargetAllowed(const QUrl& url);

HelpBrowser* HelpBrowserOf(Tmain& window);
// Fills dpPomoc, follows the language and gives "Pomoc" (F1) its work: the
// panel shows the page of what has the focus.
void InstallHelpPanel(Tmain& window);

}  // namespace tessaro::gui
