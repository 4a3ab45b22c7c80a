#include "core/i18n/language.h"

#include "core/i18n/ansi_case.h"
#include "core/i18n/cp1250.h"
#include "core/platform/file_io.h"
#include "core/i18n/ini_file.h"
#include "core/i18n/retranslation.h"
#include "core/platform/dialogs.h"
#include "core/platform/program_paths.h"

namespace tessaro {

namespace {

constexpr const char* kDefaultCode = "PL";
constexpr const char* kSelectionFile = "Lang\\lang.ini";

// The user's choice once made, else the shipped default.
std::string SelectionPath() { return ReadableUserFile(kSelectionFile); }

// A code names a file inside the language folder, never a path elsewhere.
bool IsSafeCode(const std::string& code) {
  return code.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

std::string TranslationPath(const std::string& code) {
  return ProgramFile(Cp1250ToUtf8("lang\\" + code + ".slg"));
}

// What one translation file gave.
struct TranslationFile {
  bool exists = false;  // there is something of that name
  bool usable = false;  // read, within its limit, with at least one text
  std::vector<IniEntry> entries;
};

TranslationFile ReadTranslation(const std::string& code) {
  TranslationFile file;
  if (!IsSafeCode(code)) return file;
  StartupFile bytes = ReadStartupFile(TranslationPath(code), kTranslationFileLimit);
  file.exists = bytes.State != StartupFileState::Missing;
  if (bytes.State != StartupFileState::Read) return file;
  file.entries = ReadIniSection(bytes.Bytes, "TEXTS");
  file.usable = !file.entries.empty();
  return file;
}

// The languages the program ships: one whose file is missing gives way to
// the other. An unknown code without a file shows the identifiers.
bool IsShippedLanguage(const std::string& code) { return code == kDefaultCode || code == "EN"; }

// The shipped language a failing one gives way to.
std::string OtherLanguage(const std::string& code) { return code == kDefaultCode ? "EN" : kDefaultCode; }

void ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
  const size_t pos = text.find(from);
  if (pos != std::string::npos) text.replace(pos, from.size(), to);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size())) {
    text.replace(pos, from.size(), to);
  }
}

}  // namespace

std::string ExpandTextEscapes(std::string text) {
  ReplaceAll(text, "\\n", "\r\n");
  ReplaceAll(text, "#13", "\r\n");
  return text;
}

std::string TLanguage::Text(const std::string& id) const {
  std::string key = AnsiUpperCase(id);
  auto it = first_position_.find(key);
  if (it == first_position_.end()) return "[" + key + "]";
  return texts_[it->second];
}

void TLanguage::LoadLanguageCode() {
  language_code_ = kDefaultCode;
  std::optional<std::string> text = ReadFileBytes(SelectionPath(), kStartupFileLimit);
  if (!text) return;
  std::optional<std::string> code = FindIniValue(ReadIniSection(*text, "Default"), "Language");
  if (code) language_code_ = *code;
}

void TLanguage::SaveLanguageCode() const {
  std::optional<std::string> text = ReadFileBytes(SelectionPath());
  if (!text) return;
  ReplaceFileBytes(UserFile(kSelectionFile), SetIniValue(*text, "Default", "Language", language_code_));
}

void TLanguage::LoadTexts() {
  // 1. Start empty.
  keys_.clear();
  texts_.clear();
  first_position_.clear();
  load_problems_.clear();

  // 2. The active language's file, else the other one's: when it is
  // damaged, or missing for a shipped language (an unknown code without a
  // file shows the identifiers).
  std::vector<IniEntry> entries;
  const TranslationFile wanted = ReadTranslation(language_code_);
  if (wanted.usable) {
    entries = std::move(wanted.entries);
  } else if (wanted.exists || IsShippedLanguage(language_code_)) {
    const std::string other = OtherLanguage(language_code_);
    TranslationFile fallback = ReadTranslation(other);
    if (fallback.usable) {
      entries = std::move(fallback.entries);
      load_problems_.push_back({"", language_code_, other});
      language_code_ = other;
    } else if (wanted.exists || fallback.exists) {
      load_problems_.push_back({"Translation files damaged: " + language_code_ + ".slg, " + other + ".slg", "", ""});
    }
  }

  // 3. Keys in file order; each takes the text of the first key of its name,
  // as a profile lookup by name would.
  keys_.reserve(entries.size());
  texts_.reserve(entries.size());
  for (const IniEntry& e : entries) {
    std::string key = AnsiUpperCase(e.key);
    auto [it, first] = first_position_.emplace(key, keys_.size());
    texts_.push_back(first ? ExpandTextEscapes(e.value) : texts_[it->second]);
    keys_.push_back(std::move(key));
  }

  // 4. One notice for the earliest key that occurs twice.
  std::vector<int> count(keys_.size(), 0);
  for (size_t i = 0; i < keys_.size(); ++i) ++count[first_position_[keys_[i]]];
  for (size_t i = 0; i < keys_.size(); ++i) {
    if (count[first_position_[keys_[i]]] > 1) {
      load_problems_.push_back({"Translation duplicate: " + keys_[i], "", ""});
      break;
    }
  }
}

void TLanguage::ReportLoadProblems() {
  if (load_problems_.empty()) return;
  // Taken first: the notice looks up texts, which reports again.
  const std::vector<LoadProblem> problems = std::move(load_problems_);
  load_problems_.clear();
  for (const LoadProblem& problem : problems) {
    if (!problem.text.empty()) {
      Komunikat("Tessaro", problem.text);
      continue;
    }
    std::string text = ExpandTextEscapes(Text("msgk00007"));
    ReplaceFirst(text, "%s", problem.wanted + ".slg");
    ReplaceFirst(text, "%s", problem.used + ".slg");
    Komunikat(Text("mgsr00018"), text);
  }
}

void TLanguage::SetLanguage(const std::string& code) {
  if (code == language_code_) return;
  language_code_ = code;
  LoadTexts();
  // The language in use is remembered, the fallback's when the chosen file failed.
  SaveLanguageCode();
  BroadcastRetranslation();
  ReportLoadProblems();
}

void TLanguage::UseLanguage(const std::string& code) {
  language_code_ = code;
  LoadTexts();
  ReportLoadProblems();
}

TLanguage& Language() {
  static TLanguage* language = [] {
    auto* l = new TLanguage;  // lives until the program ends
    l->LoadLanguageCode();
    l->LoadTexts();
    return l;
  }();
  // Outside the construction: the notice's dialog looks its texts up here.
  language->ReportLoadProblems();
  return *language;
}

std::string LangText(const std::string& id) { return Language().Text(id); }

void SetLanguage(const std::string& code) { Language().SetLanguage(code); }

}  // namespace tessaro
