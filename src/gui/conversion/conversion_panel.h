// The content of the panel "Konwersja liczb": the value edit, the "System"
// presets, the kind label, the two base spin edits and, below them, the
// conversion control in a scroll area.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <string>

#include "core/i18n/retranslation.h"

class QLabel;
class QLineEdit;
class QMenu;
class QSpinBox;
class QToolButton;

namespace tessaro::gui {

class TWizualizacjaKonwersji;

class TKonwersjaPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TKonwersjaPanel(QWidget* parent = nullptr);
  ~TKonwersjaPanel() override;

  // A conversion built-in of a run: shows its value and bases, rendered
  // once. Calls in a fast loop are gathered and shown at most at the
  // screen's rate, the last one winning. Bases outside 2..32 leave the panel
  // as it is, with a note.
  void ShowConversion(const std::string& value, int32_t from_base, int32_t to_base);

  TWizualizacjaKonwersji* View() const { return view_; }

  // The presets of the "System" menu, in menu order.
  struct Preset {
    const char* item;
    const char* text;  // message id of the caption
    int32_t source;
    int32_t target;
  };
  static const Preset kPresets[9];

 private:
  void ApplyTranslation();
  void ValueEdited(const QString& text);
  void BasesChanged();
  void ApplyPendingConversion();
  void UpdateKindLabel();
  // Puts `value`, `from` and `to` into the view, drops its note and renders it.
  void RenderConversion(const std::string& value, int32_t from, int32_t to);

  QLabel* value_label_ = nullptr;
  QLineEdit* value_ = nullptr;
  QToolButton* system_ = nullptr;
  QMenu* system_menu_ = nullptr;
  QLabel* kind_ = nullptr;
  QLabel* source_label_ = nullptr;
  QSpinBox* source_ = nullptr;
  QLabel* target_label_ = nullptr;
  QSpinBox* target_ = nullptr;
  TWizualizacjaKonwersji* view_ = nullptr;

  // The newest conversion of a run, waiting for the next frame.
  struct Pending {
    std::string value;
    int32_t from = 10;
    int32_t to = 2;
    bool valid = false;
  };
  Pending pending_;
  bool has_pending_ = false;
  QTimer frame_;
  QElapsedTimer since_shown_;
  qint64 apply_ns_ = 0;  // the last application's own time
  RetranslationHandle retranslation_ = -1;
};

// Every how many milliseconds a run's conversions reach the panel at most;
// and the share of a run's time the panel may take: a slow machine shows
// them less often.
constexpr int kConversionFrameMs = 16;
constexpr int kConversionTimeShare = 50;  // showing takes at most 1/50 of the time

}  // namespace tessaro::gui
