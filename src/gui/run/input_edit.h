// TinputEdit: the modal input/output dialog of `read` and `write` when the
// console does not take that direction.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTextEdit;
class QToolButton;

namespace tessaro::gui {

class TinputEdit : public QDialog {
  Q_OBJECT

 public:
  explicit TinputEdit(QWidget* parent = nullptr);
  ~TinputEdit() override;

  void ApplyTranslation();
  // Shows the value under "item=" (a write, read-only) or "item=?" (a read,
  // editable); true when "Dalej" closed it. `text` holds the answer then.
  bool Ask(const QString& label, const QString& value, bool editable, QString& text);

  // Load and save of the text; tests replace the file choosers.
  void LoadText();
  void SaveText();
  std::function<QString(QWidget* parent)> ChooseOpenFile;
  std::function<QString(QWidget* parent)> ChooseSaveFile;

  QLabel* Label1 = nullptr;
  QTextEdit* memo1 = nullptr;
  QPushButton* Button1 = nullptr;  // "Dalej"
  QPushButton* Button2 = nullptr;  // "Zakończ"
  QLabel* LabelHint = nullptr;     // how an answer is accepted

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* load_ = nullptr;
  QToolButton* save_ = nullptr;
  int retranslation_ = -1;
};

}  // namespace tessaro::gui
