// Message lookup: every text the program shows is found by its message
// identifier in the translation file of the active language.
//
// "Lang\lang.ini" ([Default] Language=PL) names the language;
// "lang\" + code + ".slg" holds its texts in section [TEXTS], one key per
// identifier. Both are Windows-1250 INI files in the program folder. There is
// no built-in fallback text: an unknown identifier shows as itself, upper-cased
// and in square brackets, which scripts may rely on.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace tessaro {

class TLanguage {
 public:
  const std::string& LanguageCode() const { return language_code_; }
  // Identifiers of the loaded file, upper-cased, in file order; Texts()
  // holds the text of each at the same position.
  const std::vector<std::string>& Keys() const { return keys_; }
  const std::vector<std::string>& Texts() const { return texts_; }

  // The text of `id` (any letter case), or "[" + upper-cased id + "]".
  std::string Text(const std::string& id) const;

  // "PL", or the language named by "Lang\lang.ini" when it exists and reads.
  void LoadLanguageCode();
  // Writes the active code into "Lang\lang.ini" when that file exists,
  // keeping its other lines; never creates it. Errors are ignored.
  void SaveLanguageCode() const;
  // Replaces both lists with the texts of the active language. When its file
  // is damaged (unreadable, no regular file, over kTranslationFileLimit, or
  // without a single text), or missing for a shipped language, the other
  // shipped language's file is used instead and becomes the active code;
  // when both are unusable the lists stay empty. A duplicated identifier (letter case
  // ignored) keeps its first text. Problems are not shown here: the table
  // is complete first, and ReportLoadProblems tells the user.
  void LoadTexts();
  // Shows, once, the notice of the last LoadTexts' problems: the fallback to
  // the other language, both files damaged, or "Translation duplicate: " +
  // the earliest identifier that occurs twice. The notice's own texts are
  // looked up in the table just built.
  void ReportLoadProblems();
  // Switches to `code` (compared exactly), remembers it in "Lang\lang.ini",
  // loads its texts and asks every window to re-apply its texts. Choosing the
  // active language does nothing.
  void SetLanguage(const std::string& code);
  // Switches to `code` for this process only: loads its texts but neither
  // writes "Lang\lang.ini" nor broadcasts (the command-line runner).
  void UseLanguage(const std::string& code);

 private:
  std::string language_code_ = "PL";
  std::vector<std::string> keys_;
  std::vector<std::string> texts_;
  std::unordered_map<std::string, size_t> first_position_;  // key -> first index
  // A notice of LoadTexts not yet shown: a fixed text, or (when `text` is
  // empty) the fallback from `wanted` to `used`.
  struct LoadProblem {
    std::string text;
    std::string wanted;
    std::string used;
  };
  std::vector<LoadProblem> load_problems_;
};

// The program's one TLanguage; created on first use with LoadLanguageCode
// and LoadTexts already run. Its load problems are reported after it is
// built, so the notice may look up its own texts.
TLanguage& Language();

// The text of message `id` in the active language (Windows-1250).
std::string LangText(const std::string& id);

// Language().SetLanguage(code): the language menu's entry point.
void SetLanguage(const std::string& code);

// A translated text with its escapes resolved: backslash + "n" and "#13"
// both become CR LF.
std::string ExpandTextEscapes(std::string text);

}  // namespace tessaro
