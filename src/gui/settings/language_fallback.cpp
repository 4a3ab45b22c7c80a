#include "gui/settings/language_fallback.h"

#include "core/i18n/language.h"
#include "core/platform/dialogs.h"

namespace tessaro::gui {

bool FallBackToPolishIfUnreadable() {
  TLanguage& language = Language();
  const std::string wanted = language.LanguageCode();
  if (!language.Keys().empty() || wanted == "PL") return false;
  language.SetLanguage("PL");  // remembered, and every window re-applies its texts
  std::string text = ExpandTextEscapes(LangText("msgk00005"));
  if (const size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, wanted);
  Komunikat(LangText("mgsr00018"), text);
  return true;
}

}  // namespace tessaro::gui
