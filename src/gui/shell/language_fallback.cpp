#include "gui/shell/language_fallback.h"

#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "core/platform/dialogs.h"

namespace tessaro::gui {

bool FallBackToPolishIfUnreadable() {
  TLanguage& language = Language();
  const std::string wanted = language.LanguageCode();
  if (!language.Keys().empty() || wanted == "PL") return false;
  language.SetLanguage("PL");  // remembered, and every window re-applies its texts
  Komunikat(LangText("mgsr00018"), FormatText(ExpandTextEscapes(LangText("msgk00005")), {wanted}));
  return true;
}

}  // namespace tessaro::gui
