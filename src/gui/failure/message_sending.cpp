#include "gui/failure/message_sending.h"

#include <QPushButton>

#include "core/i18n/language.h"
#include "core/platform/dialogs.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

void ShowSendAvailability(QPushButton* button, bool available) {
  button->setEnabled(available);
  button->setToolTip(available ? QString() : Tr("mgsb00004"));
}

void ReportNotSent(const std::string& caption) { Komunikat(caption, LangText("mgsb00003")); }

}  // namespace tessaro::gui
