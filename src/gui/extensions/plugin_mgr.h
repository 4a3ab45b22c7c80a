// TPlugInMGR: the extension manager. Lists the libraries of the extension
// folder with a check box each (checked = enabled), shows the selected one's
// name, description and functions, imports a library and opens the project
// creator. "Ok" writes the list file; "Anuluj" writes nothing, but checks
// already made stay in force until the program ends.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTextEdit;

namespace tessaro {
struct TPlugInItem;
}

namespace tessaro::gui {

class TPlugInMGR : public QDialog {
  Q_OBJECT

 public:
  explicit TPlugInMGR(QWidget* parent = nullptr);
  ~TPlugInMGR() override;

  void ApplyTranslation();
  // Lists the extension folder again; new libraries join the table unchecked.
  void RefreshList();
  // The details of the list's current item (listaRozszerzenClick).
  void ShowDetails();
  // btnDodaj: the file chooser, then the import.
  void Import();
  // btnNoweRozszerzenie: the creator, modally.
  void OpenCreator();
  // btnZastosuj: saves the list file and closes with Accepted.
  void Confirm();

  // The library to import, or an empty text when cancelled; the chooser
  // opens in `folder`. Tests replace it.
  std::function<QString(QWidget* parent, const QString& folder)> ChooseLibraryFile;
  // Where the import chooser opens: the folder of the last library chosen
  // while the program runs, or the home folder.
  static QString ImportFolder();
  static void SetImportFolder(const QString& folder);
  // Runs before the table changes (a check, an uncheck, an import): the
  // window stops a run and discards the compiled program, which may hold
  // libraries about to be released.
  std::function<void()> BeforeExtensionsChange;
  // Opens the creator; tests replace it.
  std::function<void(QWidget* parent)> RunCreator;

  QLabel* Label1 = nullptr;
  QListWidget* listaRozszerzen = nullptr;
  QLabel* Label2 = nullptr;
  QTextEdit* reDodatkoweInformacje = nullptr;
  QLabel* Label3 = nullptr;
  QTextEdit* RichEditFunkcje = nullptr;
  QPushButton* btnDodaj = nullptr;
  QPushButton* btnUsun = nullptr;
  QPushButton* btnNoweRozszerzenie = nullptr;
  QPushButton* btnZastosuj = nullptr;
  QPushButton* btnAnuluj = nullptr;

 public slots:
  // Esc and the close box leave like "Anuluj", and not at all while it is disabled.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FillList(const std::vector<TPlugInItem>& items);
  void CheckChanged(QListWidgetItem* item);
  void SetCheck(QListWidgetItem* item, bool checked);

  bool filling_ = false;
  int retranslation_ = -1;
};

// The core's file name (Windows-1250) of a list item.
std::string FileNameOf(const QListWidgetItem* item);

}  // namespace tessaro::gui
