// Exported programs of a few examples, compared with files reviewed by eye.
// TESSARO_UPDATE_GOLDEN=1 writes the files anew.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "alg_spec.h"
#include "core/codegen/code_export.h"
#include "core/document/alg_file.h"
#include "core/document/alg_reader.h"
#include "core/i18n/cp1250.h"
#include "core/language/compiler.h"

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

struct GoldenCase {
  const char* example;
  codegen::TargetLanguage language;
  bool fixture = false;  // a program of tests/fixtures/programs rather than an example
};

constexpr GoldenCase kCases[] = {
    {"silnia", codegen::TargetLanguage::Python},
    {"nwd", codegen::TargetLanguage::Python},
    {"sortowanie_babelkowe", codegen::TargetLanguage::Python},
    {"maksimum_tablicy", codegen::TargetLanguage::Python},
    {"silnia", codegen::TargetLanguage::Cpp},
    {"sortowanie_babelkowe", codegen::TargetLanguage::Cpp},
    {"liczba_pierwsza", codegen::TargetLanguage::Cpp},
    {"silnia", codegen::TargetLanguage::Java},
    {"nwd", codegen::TargetLanguage::Java},
    {"silnia", codegen::TargetLanguage::Pascal},
    {"sortowanie_babelkowe", codegen::TargetLanguage::Pascal},
    {"dziesietna_na_dwojkowa", codegen::TargetLanguage::Pascal},
    // Counting loops and variables of one kind in each language's own types.
    {"typed_loops", codegen::TargetLanguage::Python, true},
    {"typed_loops", codegen::TargetLanguage::Cpp, true},
    {"typed_loops", codegen::TargetLanguage::Java, true},
    {"typed_loops", codegen::TargetLanguage::Pascal, true},
};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(GoldenTest, ExamplesExportAsReviewed) {
  const bool update = std::getenv("TESSARO_UPDATE_GOLDEN") != nullptr;
  for (const GoldenCase& g : kCases) {
    TAlgRead read;
    if (g.fixture) {
      const fs::path spec = fs::path(TESSARO_FIXTURES_DIR) / "programs" / (std::string(g.example) + ".txt");
      std::string error;
      ASSERT_TRUE(fixtures::ParseAlgSpec(ReadText(spec), read.bloki, error)) << error;
    } else {
      const fs::path alg = fs::path(TESSARO_SOURCE_DIR) / "resources" / "Przyklady" / (std::string(g.example) + ".alg");
      TMemoryStream bytes;
      ASSERT_TRUE(ReadAlgorithmFile(alg.string(), bytes)) << alg;
      read = ReadAlgorithm(bytes, TElementDefaults{});
      ASSERT_TRUE(read.ok);
    }
    TKompilatorTS c;
    TBreakPointArray none;
    std::vector<TPlugInEntry> no_extensions;
    ASSERT_TRUE(c.Compile(read.bloki, static_cast<int32_t>(read.bloki.size()) - 1, -1, no_extensions, none));
    codegen::ExportOptions options;
    options.Language = g.language;
    options.Title = g.example;
    const codegen::ExportResult result = codegen::ExportProgram(c, options);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_TRUE(result.Warnings.empty()) << g.example;
    EXPECT_EQ(result.Flags + result.CopiedNodes + result.StateRegions, 0) << g.example;
    const std::string text = Cp1250ToUtf8(result.Text);
    const fs::path golden = fs::path(TESSARO_SOURCE_DIR) / "tests" / "core" / "codegen" / "golden" /
                            (std::string(g.example) + "." + std::string(codegen::TargetExtension(g.language)));
    if (update) {
      fs::create_directories(golden.parent_path());
      std::ofstream(golden, std::ios::binary) << text;
      continue;
    }
    EXPECT_EQ(text, ReadText(golden)) << golden;
  }
}

// Every example is a structured flowchart: no language needs a flag, a
// copied block or a state variable for it.
TEST(GoldenTest, EveryExampleExportsWithoutFlagsCopiesOrStates) {
  int examples = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(fs::path(TESSARO_SOURCE_DIR) / "resources" / "Przyklady")) {
    if (e.path().extension() != ".alg") continue;
    ++examples;
    TMemoryStream bytes;
    ASSERT_TRUE(ReadAlgorithmFile(e.path().string(), bytes));
    TAlgRead read = ReadAlgorithm(bytes, TElementDefaults{});
    TKompilatorTS c;
    TBreakPointArray none;
    std::vector<TPlugInEntry> no_extensions;
    ASSERT_TRUE(c.Compile(read.bloki, static_cast<int32_t>(read.bloki.size()) - 1, -1, no_extensions, none));
    for (codegen::TargetLanguage language : {codegen::TargetLanguage::Python, codegen::TargetLanguage::Cpp,
                                              codegen::TargetLanguage::Java, codegen::TargetLanguage::Pascal}) {
      codegen::ExportOptions options;
      options.Language = language;
      const codegen::ExportResult result = codegen::ExportProgram(c, options);
      ASSERT_TRUE(result.Ok) << e.path();
      EXPECT_EQ(result.Flags + result.CopiedNodes + result.StateRegions, 0) << e.path();
      EXPECT_TRUE(result.Warnings.empty()) << e.path();
    }
  }
  EXPECT_GE(examples, 7);
}

}  // namespace
}  // namespace tessaro::test
