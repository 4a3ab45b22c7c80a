// The message dialogs, as the core sees them.
//
// The core never opens a window: it asks its host through this interface.
// The desktop program implements it with real dialogs; the command-line runner
// prints to stderr; tests install a recording fake. Caption and text are
// Windows-1250 bytes, like all core text.
#pragma once

#include <string>

namespace tessaro {

enum class Answer { Yes, No, Cancel };

// Icons of PytanieTakNie.
enum class QuestionIcon { Standard = 0, Application = 1, Internet = 2 };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal notice with one OK button.
  virtual void Komunikat(const std::string& caption, const std::string& text) = 0;
  // A Yes/No question.
  virtual Answer PytanieTakNie(const std::string& caption, const std::string& text,
                               QuestionIcon icon) = 0;
  // A Yes/No/Cancel confirmation. The caller decides whether to ask at all
  // (the program skips it while the diagram is unchanged).
  virtual Answer PytanieTakNieAnuluj(const std::string& caption, const std::string& text) = 0;
};

// The dialogs in use. Until a host installs its own, notices go to stderr and
// questions are answered No.
Dialogs& CurrentDialogs();

// Installs `dialogs` (not owned; must outlive its use); nullptr restores the default.
void SetDialogs(Dialogs* dialogs);

// Shorthands that go through CurrentDialogs().
void Komunikat(const std::string& caption, const std::string& text);
Answer PytanieTakNie(const std::string& caption, const std::string& text,
                     QuestionIcon icon = QuestionIcon::Standard);

}  // namespace tessaro
