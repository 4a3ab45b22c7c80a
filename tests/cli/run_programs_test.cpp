// Every diagram of tests/fixtures/programs, run by tessaro-cli: NAME.txt is
// the diagram (alg_spec.h), NAME.in its input, NAME.out the expected output,
// NAME.args extra options (one a line) and NAME.exit the exit status (0 when
// absent). The examples of resources/Przyklady are run the same way with
// the inputs of tests/fixtures/examples.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "alg_layout.h"
#include "alg_spec.h"
#include "core/document/alg_reader.h"
#include "core/document/alg_writer.h"
#include "support/cli_runner.h"
#include "support/temp_home.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path, const std::string& fallback = "") {
  std::ifstream in(path, std::ios::binary);
  if (!in) return fallback;
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

std::vector<fs::path> Files(const fs::path& folder, const std::string& extension) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == extension) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

struct Expected {
  std::string input, output;
  std::vector<std::string> options;
  int exit_code = 0;
};

Expected ExpectationsBeside(const fs::path& spec) {
  fs::path base = spec;
  base.replace_extension();
  Expected e;
  e.input = Slurp(base.string() + ".in");
  e.output = Slurp(base.string() + ".out");
  e.options = Lines(Slurp(base.string() + ".args"));
  e.exit_code = std::stoi(Slurp(base.string() + ".exit", "0"));
  return e;
}

void CheckRun(const std::string& alg, const Expected& e, const std::string& name) {
  std::vector<std::string> args = {"run"};
  args.insert(args.end(), e.options.begin(), e.options.end());
  args.push_back(alg);
  const test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, args, e.input);
  EXPECT_EQ(r.exit_code, e.exit_code) << name << "\n" << r.err;
  EXPECT_EQ(r.out, e.output) << name << "\n" << r.err;
}

TEST(CliRunPrograms, PrintTheirExpectedOutput) {
  test::TempHome temp;
  const std::vector<fs::path> specs = Files(fs::path(TESSARO_FIXTURES_DIR) / "programs", ".txt");
  ASSERT_FALSE(specs.empty());
  for (const fs::path& spec : specs) {
    std::vector<Tobj> bloki;
    std::string error;
    ASSERT_TRUE(fixtures::ParseAlgSpec(Slurp(spec), bloki, error)) << spec << ": " << error;
    const std::string alg = temp.Path(spec.stem().string() + ".alg");
    ASSERT_TRUE(fixtures::WriteAlgFile(bloki, alg));
    CheckRun(alg, ExpectationsBeside(spec), spec.stem().string());
  }
}

TEST(CliRunPrograms, TheExamplesReadTheirInputAndSurviveARoundTrip) {
  const fs::path examples = fs::path(TESSARO_SOURCE_DIR) / "resources" / "Przyklady";
  const std::vector<fs::path> files = Files(examples, ".alg");
  ASSERT_EQ(files.size(), Files(fs::path(TESSARO_FIXTURES_DIR) / "examples", ".txt").size());
  for (const fs::path& file : files) {
    const std::string bytes = Slurp(file);
    const TAlgRead first = ReadAlgorithm(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                                         TElementDefaults{});
    ASSERT_TRUE(first.ok) << file;
    TMemoryStream saved;
    ASSERT_TRUE(ZapiszSchemat(first.bloki, saved));
    const TAlgRead again = ReadAlgorithm(saved, TElementDefaults{});
    ASSERT_TRUE(again.ok) << file;
    EXPECT_EQ(again.bloki, first.bloki) << file;
    // The example is what its description says.
    std::vector<Tobj> described;
    std::string error;
    ASSERT_TRUE(fixtures::ParseAlgSpec(
        Slurp(fs::path(TESSARO_FIXTURES_DIR) / "examples" / (file.stem().string() + ".txt")), described, error));
    fixtures::LayOutDiagram(described);
    EXPECT_EQ(first.bloki, described) << file << ": run tests/fixtures/make_examples.sh";
    CheckRun(file.string(), ExpectationsBeside(fs::path(TESSARO_FIXTURES_DIR) / "examples" / file.filename()),
             file.stem().string());
  }
}

}  // namespace
}  // namespace tessaro
