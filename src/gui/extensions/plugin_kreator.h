// TPlugInKreator: the extension project creator. The user gives the full
// name, the library file name, a description, the language and a folder;
// "Generuj" makes the project there from the shipped template set and closes
// the window on success.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tessaro::gui {

class TPlugInKreator : public QDialog {
  Q_OBJECT

 public:
  explicit TPlugInKreator(QWidget* parent = nullptr);
  ~TPlugInKreator() override;

  void ApplyTranslation();
  // BitBtn1: true when the project was made (the window then closes with Accepted).
  bool GenerateProject();
  // BitBtn3: the folder chooser; a cancelled choice keeps the typed folder.
  void ChooseTargetFolder();

  // The folder chooser with a title and a start folder; an empty text when
  // cancelled. Tests replace it.
  std::function<QString(QWidget* parent, const QString& title, const QString& start)> ChooseFolder;
  // Where the template set is read from (native path).
  std::string TemplateFolder;

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label8 = nullptr;
  QLineEdit* edNazwaRozszerzenia = nullptr;
  QLineEdit* edNazwaPliku = nullptr;
  QPlainTextEdit* edOpisRozszerzenia = nullptr;
  QRadioButton* rbJezykC = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QRadioButton* RadioButton3 = nullptr;
  QRadioButton* RadioButton4 = nullptr;
  QLineEdit* edKatalog = nullptr;
  QPushButton* BitBtn1 = nullptr;  // "&Generuj"
  QPushButton* BitBtn2 = nullptr;  // "&Anuluj"
  QPushButton* BitBtn3 = nullptr;  // "Wybierz..."

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  int retranslation_ = -1;
};

}  // namespace tessaro::gui
