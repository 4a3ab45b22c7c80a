// The message dialogs of the desktop program: modal, centred on the screen,
// with button captions looked up by message id. An open dialog re-applies its
// button captions when the language changes.
#pragma once

#include "core/platform/dialogs.h"

#include <QPixmap>

namespace tessaro::gui {

class MessageDialogs final : public Dialogs {
 public:
  void Komunikat(const std::string& caption, const std::string& text) override;
  Answer PytanieTakNie(const std::string& caption, const std::string& text,
                       QuestionIcon icon) override;
  Answer PytanieTakNieAnuluj(const std::string& caption, const std::string& text) override;

  // The picture of QuestionIcon::Internet.
  void SetInternetPicture(const QPixmap& picture) { internet_ = picture; }

 private:
  QPixmap internet_;
};

// Button caption ids.
inline constexpr const char* kYesId = "msgm00062";
inline constexpr const char* kNoId = "msgm00035";
inline constexpr const char* kCancelId = "msgm00006";
inline constexpr const char* kOkId = "msgm00050";

}  // namespace tessaro::gui
