#include "core/platform/dialogs.h"

#include <cstdio>

namespace tessaro {

namespace {

// Used when no host has installed dialogs: a notice is printed, a question declined.
class StderrDialogs final : public Dialogs {
 public:
  void Komunikat(const std::string& caption, const std::string& text) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
  Answer PytanieTakNie(const std::string& caption, const std::string& text,
                       QuestionIcon) override {
    Komunikat(caption, text);
    return Answer::No;
  }
  Answer PytanieTakNieAnuluj(const std::string& caption, const std::string& text) override {
    Komunikat(caption, text);
    return Answer::No;
  }
};

StderrDialogs g_default_dialogs;
Dialogs* g_dialogs = &g_default_dialogs;

}  // namespace

Dialogs& CurrentDialogs() { return *g_dialogs; }

void SetDialogs(Dialogs* dialogs) { g_dialogs = dialogs ? dialogs : &g_default_dialogs; }

void Komunikat(const std::string& caption, const std::string& text) {
  g_dialogs->Komunikat(caption, text);
}

Answer PytanieTakNie(const std::string& caption, const std::string& text, QuestionIcon icon) {
  return g_dialogs->PytanieTakNie(caption, text, icon);
}

}  // namespace tessaro
