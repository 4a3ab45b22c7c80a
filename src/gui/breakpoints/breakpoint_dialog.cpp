#include "gui/breakpoints/breakpoint_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <string_view>

#include "core/i18n/language.h"
#include "core/i18n/windows/breakpoint_form_texts.h"
#include "core/language/block_text_edit.h"
#include "core/language/breakpoint_condition.h"
#include "core/platform/dialogs.h"
#include "gui/shell/window_texts.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

// A condition is held in a record of 255 characters with its length.
constexpr int kConditionLength = 254;

}  // namespace

TFormBreakPoint::TFormBreakPoint(QWidget* parent) : QDialog(parent) {
  setObjectName("TFormBreakPoint");
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  setFont(font);

  auto* frame = new QGroupBox(this);
  always_ = Named(new QRadioButton(frame), "RadioButton1");
  conditional_ = Named(new QRadioButton(frame), "RadioButton2");
  condition_ = Named(new QLineEdit(frame), "Edit1");
  QFont mono(QStringLiteral("Courier New"));
  mono.setPixelSize(12);
  condition_->setFont(mono);
  test_ = Named(new QPushButton(frame), "BitBtn3");
  test_->setMaximumWidth(32);
  value_caption_ = Named(new QLabel(frame), "Label2");
  value_ = Named(new QLabel(frame), "Label1");
  QFont bold = value_->font();
  bold.setBold(true);
  value_->setFont(bold);
  value_->setTextFormat(Qt::PlainText);

  auto* frame_layout = new QVBoxLayout(frame);
  frame_layout->addWidget(always_);
  frame_layout->addWidget(conditional_);
  auto* edit_row = new QHBoxLayout;
  edit_row->addWidget(condition_, 1);
  edit_row->addWidget(test_);
  frame_layout->addLayout(edit_row);
  auto* value_row = new QHBoxLayout;
  value_row->addWidget(value_caption_);
  value_row->addWidget(value_, 1);
  frame_layout->addLayout(value_row);

  enabled_ = Named(new QCheckBox(this), "CheckBox1");
  every_instruction_ = Named(new QCheckBox(this), "CheckBox2");
  use_hit_count_ = Named(new QCheckBox(this), "CheckBoxHitCount");
  hit_count_ = Named(new QSpinBox(this), "SpinEditHitCount");
  hit_count_->setRange(1, 1000000);
  auto* hit_row = new QHBoxLayout;
  hit_row->addWidget(use_hit_count_);
  hit_row->addWidget(hit_count_);
  hit_row->addStretch(1);

  auto* buttons = new QDialogButtonBox(this);
  auto* ok = Named(buttons->addButton(QString(), QDialogButtonBox::AcceptRole), "BitBtn1");
  Named(buttons->addButton(QString(), QDialogButtonBox::RejectRole), "BitBtn2");
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addWidget(enabled_);
  layout->addWidget(every_instruction_);
  layout->addLayout(hit_row);
  layout->addWidget(buttons);

  connect(always_, &QRadioButton::toggled, this, [this] { UpdateConditionControls(); });
  connect(conditional_, &QRadioButton::toggled, this, [this] { UpdateConditionControls(); });
  connect(use_hit_count_, &QCheckBox::toggled, hit_count_, &QWidget::setEnabled);
  connect(test_, &QPushButton::clicked, this, [this] { TestCondition(); });

  ApplyTranslation();
  always_->setChecked(true);
  UpdateConditionControls();
  hit_count_->setEnabled(false);
}

void TFormBreakPoint::ApplyTranslation() {
  ApplyWindowTexts(*this, kBreakPointFormTexts);
  // The targets that are neither a caption nor a label's or button's text.
  for (const WindowText& t : kBreakPointFormTexts) {
    const std::string_view target(t.target);
    if (target == "BitBtn3.Hint") {
      test_->setToolTip(Tr(t.id));
    } else if (target == "Edit1") {
      condition_->setPlaceholderText(Tr(t.id));
    }
  }
  use_hit_count_->setText(Tr("msg00437"));
}

void TFormBreakPoint::UpdateConditionControls() {
  const bool on = conditional_->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(condition_), static_cast<QWidget*>(value_),
                     static_cast<QWidget*>(value_caption_), static_cast<QWidget*>(test_)}) {
    w->setEnabled(on);
  }
}

void TFormBreakPoint::SetBreakpoint(const TBreakPoint& breakpoint) {
  breakpoint_ = breakpoint;
  condition_->setText(breakpoint.Conditional ? FromCore(breakpoint.Condition) : QString());
  enabled_->setChecked(breakpoint.Enabled != 0);
  // The box says what the run does: checked, every instruction of the line
  // is tested; SkipSameLine stores the opposite.
  every_instruction_->setChecked(breakpoint.SkipSameLine == 0);
  conditional_->setChecked(breakpoint.Conditional != 0);
  always_->setChecked(breakpoint.Conditional == 0);
  use_hit_count_->setChecked(breakpoint.HitCount > 0);
  hit_count_->setValue(breakpoint.HitCount > 0 ? breakpoint.HitCount : 1);
  hit_count_->setEnabled(breakpoint.HitCount > 0);
  UpdateConditionControls();
}

std::string TFormBreakPoint::ConditionText() const {
  std::string text = ToCore(condition_->text());
  if (ReplaceOperators) text = ReplaceConditionOperators(text);
  if (text.size() > kConditionLength) text.resize(kConditionLength);
  return text;
}

TBreakPoint TFormBreakPoint::Breakpoint() const {
  TBreakPoint result = breakpoint_;
  result.Conditional = conditional_->isChecked() ? 1 : 0;
  result.Condition = result.Conditional ? ConditionText() : std::string("1");
  result.Enabled = enabled_->isChecked() ? 1 : 0;
  result.SkipSameLine = every_instruction_->isChecked() ? 0 : 1;
  result.HitCount = use_hit_count_->isChecked() ? hit_count_->value() : 0;
  return result;
}

bool TFormBreakPoint::CheckCondition(const std::string& condition) {
  const std::string_view fault = BreakpointConditionFault(condition);
  if (fault.empty()) return true;
  Komunikat(LangText("msgp00001"), LangText(std::string(fault)));
  condition_->setFocus();
  return false;
}

void TFormBreakPoint::TestCondition() {
  const std::string condition = ConditionText();
  condition_->setText(FromCore(condition));
  if (!CheckCondition(condition) || !Evaluate) return;
  std::string value;
  std::string error;
  Evaluate(condition, value, error);
  value_->setText(FromCore(value));
  if (!error.empty()) Komunikat(LangText("msgp00001"), error);
}

void TFormBreakPoint::accept() {
  if (conditional_->isChecked()) {
    const std::string condition = ConditionText();
    condition_->setText(FromCore(condition));
    if (!CheckCondition(condition)) return;
  }
  QDialog::accept();
}

}  // namespace tessaro::gui
