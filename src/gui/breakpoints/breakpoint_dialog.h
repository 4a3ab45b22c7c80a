// TFormBreakPoint: the dialog that configures one breakpoint. It collects
// the choice; the caller stores it.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/document/model.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tessaro::gui {

class TFormBreakPoint : public QDialog {
  Q_OBJECT

 public:
  explicit TFormBreakPoint(QWidget* parent = nullptr);

  // Fills the controls from `breakpoint`.
  void SetBreakpoint(const TBreakPoint& breakpoint);
  // The breakpoint as the controls say; Block, Line and Hits come from the one set.
  TBreakPoint Breakpoint() const;

  // Evaluates a condition text for "...": the value's text and an error text.
  std::function<void(const std::string& condition, std::string& value, std::string& error)> Evaluate;
  // Whether "=" in a condition becomes "==" (the operator replacement setting).
  bool ReplaceOperators = true;

  void accept() override;

 private:
  void ApplyTranslation();
  void UpdateConditionControls();
  // The condition as it will be stored, after the operator replacement.
  std::string ConditionText() const;
  // Refuses a condition that cannot be one; true when it may be used.
  bool CheckCondition(const std::string& condition);
  void TestCondition();

  TBreakPoint breakpoint_;
  QRadioButton* always_ = nullptr;
  QRadioButton* conditional_ = nullptr;
  QLineEdit* condition_ = nullptr;
  QPushButton* test_ = nullptr;
  QLabel* value_caption_ = nullptr;
  QLabel* value_ = nullptr;
  QCheckBox* enabled_ = nullptr;
  QCheckBox* every_instruction_ = nullptr;
  QCheckBox* use_hit_count_ = nullptr;
  QSpinBox* hit_count_ = nullptr;
};

}  // namespace tessaro::gui
