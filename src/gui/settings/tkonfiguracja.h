// Tkonfiguracja: the configuration dialog. It edits a copy of the options in
// force and hands the edited record back; the caller applies and saves it.
#pragma once

#include <QDialog>
#include <QFont>

#include "core/settings/settings.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QFrame;

namespace tessaro::gui {

class Tkonfiguracja : public QDialog {
  Q_OBJECT

 public:
  // Every control starts from `current`, not from the file.
  explicit Tkonfiguracja(const TSettings& current, QWidget* parent = nullptr);

  // The controls as a settings record (valid after "Ok").
  TSettings Values() const;

 private:
  void Load(const TSettings& s);
  void ChooseColour(QFrame* swatch, int32_t& colour);
  void ChooseFont();
  void RestoreDefaults();
  void ResetWindowLayout();
  void Confirm();
  void SetSwatch(QFrame* swatch, int32_t colour);
  void SetSampleFont(const QString& family, int size);

  TSettings start_;
  int32_t fill_ = 0;
  int32_t outline_ = 0;
  QFont block_font_;  // what "Ok" stores; the sample shows it at 9 points
  QFrame* fill_swatch_ = nullptr;
  QFrame* outline_swatch_ = nullptr;
  QLabel* sample_ = nullptr;
  QCheckBox* dynamic_arrays_ = nullptr;
  QCheckBox* highlight_ = nullptr;
  QCheckBox* case_sensitive_ = nullptr;
  QCheckBox* replace_operators_ = nullptr;
  QCheckBox* console_input_ = nullptr;
  QCheckBox* console_output_ = nullptr;
  QCheckBox* pilot_ = nullptr;
  QCheckBox* check_updates_ = nullptr;
  QSpinBox* memory_limit_ = nullptr;
  QSpinBox* history_limit_ = nullptr;
  QButtonGroup* themes_ = nullptr;
};

}  // namespace tessaro::gui
