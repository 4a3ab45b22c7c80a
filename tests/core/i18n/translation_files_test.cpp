// The shipped translation files against the program's sources: every message
// identifier written in the sources has a text in each language, and no file
// holds an identifier twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/i18n/ansi_case.h"
#include "core/platform/file_io.h"
#include "core/i18n/ini_file.h"
#include "core/i18n/windows/blad_form_texts.h"
#include "core/i18n/windows/breakpoint_form_texts.h"
#include "core/i18n/windows/code_texts.h"
#include "core/i18n/windows/info_texts.h"
#include "core/i18n/windows/input_edit_texts.h"
#include "core/i18n/windows/konfiguracja_texts.h"
#include "core/i18n/windows/lupa_texts.h"
#include "core/i18n/windows/main_texts.h"
#include "core/i18n/windows/plugin_kreator_texts.h"
#include "core/i18n/windows/plugin_mgr_texts.h"
#include "core/i18n/windows/program_code_texts.h"
#include "core/i18n/windows/tools_texts.h"

namespace fs = std::filesystem;

namespace tessaro {
namespace {

const char* const kLanguages[] = {"PL", "EN"};

fs::path LangFolder() { return fs::path(TESSARO_SOURCE_DIR) / "resources" / "lang"; }

std::vector<IniEntry> TextsOf(const std::string& code) {
  std::optional<std::string> file = ReadFileBytes((LangFolder() / (code + ".slg")).string());
  EXPECT_TRUE(file) << code << ".slg is missing";
  return file ? ReadIniSection(*file, "TEXTS") : std::vector<IniEntry>{};
}

// Upper-cased identifier -> the first source file that names it.
std::map<std::string, std::string> IdentifiersInSources() {
  // A quoted identifier of any family: prefix and digits, nothing else.
  static const std::regex kId(
      "\"((msgcmp|msgpi|msgpm|msgre|msgm|msgk|msgi|msgp|msgr|msgt|msg|mgsc|mgsr|mgsb)[0-9]+)\"",
      std::regex::icase | std::regex::optimize);
  std::map<std::string, std::string> ids;
  const fs::path src = fs::path(TESSARO_SOURCE_DIR) / "src";
  std::error_code ec;
  for (fs::recursive_directory_iterator it(src, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    std::optional<std::string> text = ReadFileBytes(it->path().string());
    if (!text) continue;
    for (std::sregex_iterator m(text->begin(), text->end(), kId), stop; m != stop; ++m) {
      ids.emplace(AnsiUpperCase((*m)[1].str()), fs::relative(it->path(), src).string());
    }
  }
  return ids;
}

TEST(TranslationFiles, EveryIdentifierOfTheSourcesHasATextInEachLanguage) {
  const std::map<std::string, std::string> ids = IdentifiersInSources();
  ASSERT_FALSE(ids.empty()) << "no message identifiers found under src/";
  for (const char* code : kLanguages) {
    std::set<std::string> keys;
    for (const IniEntry& e : TextsOf(code)) keys.insert(AnsiUpperCase(e.key));
    std::string missing;
    for (const auto& [id, file] : ids) {
      if (!keys.count(id)) missing += "  " + id + " (" + file + ")\n";
    }
    EXPECT_TRUE(missing.empty()) << "missing from " << code << ".slg:\n" << missing;
  }
}

TEST(TranslationFiles, NoIdentifierTwiceInAFile) {
  for (const char* code : kLanguages) {
    std::map<std::string, int> count;
    for (const IniEntry& e : TextsOf(code)) ++count[AnsiUpperCase(e.key)];
    std::string twice;
    for (const auto& [key, n] : count) {
      if (n > 1) twice += "  " + key + " x" + std::to_string(n) + "\n";
    }
    EXPECT_TRUE(twice.empty()) << "duplicates in " << code << ".slg:\n" << twice;
  }
}

// A hit count stops the run at the n-th pass and every later one: the
// dialog's caption says so in the words of the breakpoint list's item.
TEST(TranslationFiles, HitCountCaptionSaysFromTheNthPassOn) {
  struct Case {
    const char* code;
    const char* caption;  // msg00437, the dialog
    const char* item;     // mgsc00018, the list
  };
  const Case cases[] = {
      {"PL", "Przerywaj od n-tego przej\x9C" "cia:", ", od %s. przej\x9C" "cia (jest %s)"},
      {"EN", "Break from the n-th pass on:", ", from pass %s (now %s)"},
  };
  for (const Case& c : cases) {
    const std::vector<IniEntry> texts = TextsOf(c.code);
    EXPECT_EQ(FindIniValue(texts, "msg00437").value_or(""), c.caption) << c.code;
    EXPECT_EQ(FindIniValue(texts, "mgsc00018").value_or(""), c.item) << c.code;
  }
}

TEST(TranslationFiles, SelectionFileNamesPolish) {
  std::optional<std::string> ini = ReadFileBytes((LangFolder() / "lang.ini").string());
  ASSERT_TRUE(ini);
  EXPECT_EQ(FindIniValue(ReadIniSection(*ini, "Default"), "Language").value_or(""), "PL");
}

// Each window's table stays inside the block of numbers the window owns, and
// no number is given twice.
TEST(WindowTexts, TablesStayInsideTheirBlocks) {
  struct Window {
    const char* name;
    const WindowText* begin;
    const WindowText* end;
    std::vector<std::pair<int, int>> blocks;  // first and last number of each block it owns
  };
  const Window windows[] = {
      {"Tmain", std::begin(kMainTexts), std::end(kMainTexts), {{0, 348}, {531, 545}, {566, 571}}},
      {"Ttools", std::begin(kToolsTexts), std::end(kToolsTexts), {{350, 367}}},
      {"Tcode", std::begin(kCodeTexts), std::end(kCodeTexts), {{370, 387}}},
      {"Tinfo", std::begin(kInfoTexts), std::end(kInfoTexts), {{388, 404}}},
      {"Tlupa", std::begin(kLupaTexts), std::end(kLupaTexts), {{405, 405}}},
      {"TinputEdit", std::begin(kInputEditTexts), std::end(kInputEditTexts), {{406, 411}}},
      {"TBladForm", std::begin(kBladFormTexts), std::end(kBladFormTexts), {{413, 425}}},
      {"TFormBreakPoint", std::begin(kBreakPointFormTexts), std::end(kBreakPointFormTexts), {{426, 436}}},
      {"Tkonfiguracja", std::begin(kKonfiguracjaTexts), std::end(kKonfiguracjaTexts), {{439, 465}}},
      {"TPlugInMGR", std::begin(kPlugInMgrTexts), std::end(kPlugInMgrTexts), {{466, 474}}},
      {"TPlugInKreator", std::begin(kPlugInKreatorTexts), std::end(kPlugInKreatorTexts), {{475, 493}}},
      {"ProgramCodePanel", std::begin(kProgramCodeTexts), std::end(kProgramCodeTexts), {{546, 565}}},
  };
  std::set<std::string> seen;
  for (const Window& w : windows) {
    for (const WindowText* t = w.begin; t != w.end; ++t) {
      const std::string id = t->id;
      ASSERT_EQ(id.size(), 8u) << w.name << " " << id;
      ASSERT_EQ(id.compare(0, 3, "msg"), 0) << w.name << " " << id;
      const int number = std::stoi(id.substr(3));
      const bool inside = std::any_of(w.blocks.begin(), w.blocks.end(), [number](const auto& b) {
        return number >= b.first && number <= b.second;
      });
      EXPECT_TRUE(inside) << w.name << " " << id;
      EXPECT_TRUE(seen.insert(id).second) << w.name << " gives " << id << " twice";
    }
  }
}

}  // namespace
}  // namespace tessaro
