// A continuous run may execute instructions from their flat form. Every
// program here runs three ways: continuously with the flat form, continuously
// with the tree walk alone, and in micro steps; all must agree on the output,
// the errors and warnings, the final variables with their kinds and the
// number of instructions. The two continuous runs must also agree on every
// event and on the state the trees are left in.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "core/i18n/cp1250.h"
#include "core/runtime/value_ops.h"
#include "program_harness.h"
#include "random_program.h"
#include "variable_dump.h"

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;

struct Observed {
  std::vector<std::string> output, prompts, errors;
  std::string variables;
  int64_t instructions = 0;
  // Continuous runs only.
  std::vector<int> states;
  std::vector<int32_t> variable_changes;
  std::string trees;
};

// FlatQuiet: the flat form with no variable handler, whose stores take a
// shorter way.
enum class Mode { Flat, FlatQuiet, Walk, Micro };

std::string Variables(const TKompilatorTS& c) {
  std::string out;
  for (const Tzmienna& v : c.Variables) {
    out += v.Name + "=";
    DumpCell(v.Root, out);
    out += "\n";
  }
  return out;
}

std::string Trees(const TKompilatorTS& c) {
  std::string out;
  for (const Trozkaz& ins : c.Instructions) {
    out += std::to_string(ins.StepIndex) + ":";
    for (const TwrTree* node : ins.Steps) out += " " + ValueText(node->NodeValue) + "|" + node->SrcText;
    out += "\n";
  }
  return out;
}

bool IsCurrent(const TKompilatorTS& c) {
  return c.Current >= 0 && c.Current < static_cast<int32_t>(c.Instructions.size());
}

Observed Observe(const Program& p, Mode mode) {
  ProgramHarness h(p.spec, p.input);
  h.c.DynamicArrays = p.dynamic_arrays ? 1 : 0;
  h.c.CaseSensitive = p.case_sensitive ? 1 : 0;
  Observed o;
  if (h.Compile()) {
    h.c.PrepareRun();
    if (mode == Mode::Walk) {
      for (Trozkaz& ins : h.c.Instructions) ins.Fast = TFastCode{};
    }
    h.states.clear();
    h.variable_changes.clear();
    if (mode == Mode::FlatQuiet) h.c.OnVariableChange = nullptr;
    if (mode == Mode::Micro) {
      h.c.OnStep = nullptr;
      while (IsCurrent(h.c)) {
        // A micro step on an instruction at its first step starts it.
        if (h.c.Instructions[static_cast<size_t>(h.c.Current)].StepIndex == 0) {
          if (o.instructions == p.limit) break;
          ++o.instructions;
        }
        h.c.MicroStep();
      }
    } else {
      h.c.OnStep = [&](TKompilatorTS& sender, uint8_t code) {
        if (code != 0) return;
        if (++o.instructions >= p.limit && !sender.IsFinished()) sender.Stop();
      };
      h.c.Run();
      o.states = h.states;
      o.variable_changes = h.variable_changes;
      o.trees = Trees(h.c);
    }
  }
  o.output = h.output;
  o.prompts = h.prompts;
  o.errors = h.Errors();
  o.variables = Variables(h.c);
  return o;
}

void ExpectSameRuns(const Program& p) {
  SCOPED_TRACE(p.name + "\n" + p.spec);
  const Observed flat = Observe(p, Mode::Flat);
  const Observed walk = Observe(p, Mode::Walk);
  const Observed micro = Observe(p, Mode::Micro);
  const Observed quiet = Observe(p, Mode::FlatQuiet);
  for (const Observed* other : {&walk, &micro, &quiet}) {
    EXPECT_EQ(flat.output, other->output);
    EXPECT_EQ(flat.prompts, other->prompts);
    EXPECT_EQ(flat.errors, other->errors);
    EXPECT_EQ(flat.variables, other->variables);
    EXPECT_EQ(flat.instructions, other->instructions);
  }
  EXPECT_EQ(flat.states, walk.states);
  EXPECT_EQ(flat.variable_changes, walk.variable_changes);
  EXPECT_EQ(flat.trees, walk.trees);
  EXPECT_EQ(flat.trees, quiet.trees);
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(Utf8ToCp1250(line));
  return lines;
}

// The diagrams of a fixture folder with their inputs and options.
std::vector<Program> FixturePrograms(const fs::path& folder) {
  std::vector<Program> programs;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".txt") continue;
    fs::path base = entry.path();
    base.replace_extension();
    Program p{entry.path().filename().string(), Slurp(entry.path()), Lines(Slurp(base.string() + ".in"))};
    const std::vector<std::string> options = Lines(Slurp(base.string() + ".args"));
    for (size_t k = 0; k < options.size(); ++k) {
      if (options[k] == "--no-dynamic-arrays") p.dynamic_arrays = false;
      if (options[k] == "--case-insensitive") p.case_sensitive = false;
      if (options[k] == "--max-steps" && k + 1 < options.size()) p.limit = std::stoll(options[k + 1]);
    }
    programs.push_back(p);
  }
  std::sort(programs.begin(), programs.end(), [](const Program& a, const Program& b) { return a.name < b.name; });
  return programs;
}

TEST(FlatRuns, AgreeWithTheWalkOnTheFixturesAndExamples) {
  for (const char* folder : {"programs", "examples"}) {
    const std::vector<Program> programs = FixturePrograms(fs::path(TESSARO_FIXTURES_DIR) / folder);
    ASSERT_FALSE(programs.empty()) << folder;
    for (const Program& p : programs) ExpectSameRuns(p);
  }
}

// The benchmark algorithms, made small.
TEST(FlatRuns, AgreeWithTheWalkOnTheBenchmarkShapes) {
  const std::string bubble =
      "start 1 -1\nproc 2 -1 n := 12\\ni := 1\ncond 4 3 i <= n\nproc 2 -1 t[i] := n - i + 1\\ni := i + 1\n"
      "proc 5 -1 i := 1\ncond 10 6 i < n\nproc 7 -1 j := 1\ncond 9 8 j <= n - i\ncond 12 11 t[j] > t[j + 1]\n"
      "proc 5 -1 i := i + 1\nio 13 -1 write t[1], t[n]\nproc 12 -1 p := t[j]\\nt[j] := t[j + 1]\\nt[j + 1] := p\n"
      "proc 7 -1 j := j + 1\nend -1 -1\n";
  const std::string text =
      "start 1 -1\nproc 2 -1 s := ''\\ni := 1\ncond 4 3 i <= 30\nproc 2 -1 s := s + 'a'\\ni := i + 1\n"
      "io 5 -1 write Length(s), s\nend -1 -1\n";
  ExpectSameRuns({"bubble", bubble});
  ExpectSameRuns({"bubble_fixed", bubble, {}, false});
  ExpectSameRuns({"text", text});
}

TEST(FlatRuns, AgreeWithTheWalkOnRandomPrograms) {
  RandomProgram maker(20261210);
  for (int k = 0; k < 300; ++k) ExpectSameRuns(maker.Make("random " + std::to_string(k)));
}

}  // namespace
}  // namespace tessaro::test
