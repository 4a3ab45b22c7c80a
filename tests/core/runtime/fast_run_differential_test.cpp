// A continuous run may execute instructions from their flat form, and the
// user may step a program by blocks, instructions and micro steps in any mix.
// Every program here runs many ways: continuously with the flat form (the
// reference), continuously with the tree walk alone, with the flat form but
// no variable handler, by micro steps alone, by instruction steps alone, by
// block steps alone, and by a random mix of the four commands (micro step,
// instruction step, block step, run). All must agree on the output, the
// reads, the errors and warnings, the final variables with their kinds, the
// variable events and the number of instructions; the ways without micro
// steps also on the state the trees are left in, and the continuous ones on
// the state codes. With breakpoints set (conditional ones, pass counts, the
// same-line rule), the ways without micro steps, which test them after every
// instruction, must also stop at the same places and count the same passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "core/i18n/cp1250.h"
#include "core/runtime/builtin_calls.h"
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
  std::vector<int32_t> variable_changes;
  // Where breakpoints suspended the run: instructions done so far and the
  // instruction about to run; the passes counted; the last line matched.
  std::vector<std::pair<int64_t, int32_t>> halts;
  std::vector<int32_t> hits;
  int32_t last_break_block = -1, last_break_line = -1;
  // Continuous runs only.
  std::vector<int> states;
  // Runs without micro steps only.
  std::string trees;
};

// FlatQuiet: the flat form with no variable handler, whose stores take a
// shorter way. Mixed: the commands of a script, "m" micro step, "i"
// instruction step, "b" block step, "r" run, over and over.
enum class Mode { Flat, FlatQuiet, Walk, Micro, Instructions, Blocks, Mixed };

bool IsContinuous(Mode mode) { return mode == Mode::Flat || mode == Mode::FlatQuiet || mode == Mode::Walk; }

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

// Random built-ins draw the same numbers in every way of running.
constexpr uint32_t kRandomSeed = 29;

Observed Observe(const Program& p, Mode mode, const TBreakPointArray& breakpoints = {},
                 const std::string& script = "r") {
  ProgramHarness h(p.spec, p.input);
  h.breakpoints = breakpoints;
  h.c.DynamicArrays = p.dynamic_arrays ? 1 : 0;
  h.c.CaseSensitive = p.case_sensitive ? 1 : 0;
  SeedRandom(kRandomSeed);
  Observed o;
  if (h.Compile()) {
    h.c.PrepareRun();
    if (mode == Mode::Walk) {
      for (Trozkaz& ins : h.c.Instructions) ins.Fast = TFastCode{};
    }
    h.states.clear();
    h.variable_changes.clear();
    if (mode == Mode::FlatQuiet) h.c.OnVariableChange = nullptr;
    // Every instruction step ends with the step event; an instruction that
    // micro steps began was counted when they began it.
    bool counted = false;
    h.c.OnStep = [&](TKompilatorTS& sender, uint8_t code) {
      if (code != 0) return;
      if (!counted) ++o.instructions;
      counted = false;
      if (o.instructions >= p.limit && !sender.IsFinished()) sender.Stop();
    };
    auto note_halt = [&] {
      if (!h.c.BreakpointHit) return;
      o.halts.emplace_back(o.instructions, h.c.Current);
      h.c.BreakpointHit = 0;
    };
    if (IsContinuous(mode)) {
      // Resumed after every breakpoint, as the resume command does.
      do {
        h.c.Run();
        note_halt();
      } while (IsCurrent(h.c));
      o.states = h.states;
    } else {
      const std::string commands = mode == Mode::Micro          ? "m"
                                   : mode == Mode::Instructions ? "i"
                                   : mode == Mode::Blocks       ? "b"
                                                                : script;
      for (size_t k = 0; IsCurrent(h.c); ++k) {
        const bool begins = h.c.Instructions[static_cast<size_t>(h.c.Current)].StepIndex == 0;
        if (begins && o.instructions >= p.limit) break;
        counted = !begins;
        switch (commands[k % commands.size()]) {
          case 'm':
            if (begins) ++o.instructions;
            counted = false;
            h.c.MicroStep();
            break;
          case 'i': h.c.InstructionStep(); break;
          case 'b': h.c.BlockStep(); break;
          case 'r': h.c.Run(); break;
        }
        note_halt();
      }
    }
    const bool micro_steps = mode == Mode::Micro || (mode == Mode::Mixed && script.find('m') != std::string::npos);
    if (!micro_steps) o.trees = Trees(h.c);
  }
  o.variable_changes = h.variable_changes;
  for (const TBreakPoint& bp : h.breakpoints) o.hits.push_back(bp.Hits);
  o.last_break_block = h.c.LastBreakBlock;
  o.last_break_line = h.c.LastBreakLine;
  o.output = h.output;
  o.prompts = h.prompts;
  o.errors = h.Errors();
  o.variables = Variables(h.c);
  return o;
}

void ExpectSame(const Observed& reference, const Observed& other, const char* how, bool events = true) {
  SCOPED_TRACE(how);
  EXPECT_EQ(reference.output, other.output);
  EXPECT_EQ(reference.prompts, other.prompts);
  EXPECT_EQ(reference.errors, other.errors);
  EXPECT_EQ(reference.variables, other.variables);
  EXPECT_EQ(reference.instructions, other.instructions);
  EXPECT_EQ(reference.halts, other.halts);
  EXPECT_EQ(reference.hits, other.hits);
  EXPECT_EQ(reference.last_break_block, other.last_break_block);
  EXPECT_EQ(reference.last_break_line, other.last_break_line);
  if (events) {
    EXPECT_EQ(reference.variable_changes, other.variable_changes);
  }
  if (!other.trees.empty()) {
    EXPECT_EQ(reference.trees, other.trees);
  }
}

// A script of random commands for the mixed way; without micro steps when
// breakpoints are set, since a micro step that moves on tests none.
std::string RandomScript(std::mt19937& random, bool micro_steps) {
  const char* const commands = micro_steps ? "mmmmmiiibbr" : "iiiibbbr";
  const int choices = static_cast<int>(std::char_traits<char>::length(commands));
  std::string script;
  for (int k = std::uniform_int_distribution<int>(4, 40)(random); k > 0; --k) {
    script += commands[std::uniform_int_distribution<int>(0, choices - 1)(random)];
  }
  return script;
}

// Breakpoints on random lines of the program's blocks (some of them lines it
// does not have): always or on a condition, from the first pass or a later
// one, some with the same-line rule, a few disabled.
TBreakPointArray RandomBreakpoints(const Program& p, std::mt19937& random) {
  static const char* const kConditions[] = {"1", "i > 3", "a < b", "j mod 2 == 0", "i + j > 5", "1"};
  auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  TBreakPointArray list;
  const int blocks = static_cast<int>(std::count(p.spec.begin(), p.spec.end(), '\n'));
  for (int k = pick(1, 3); k > 0; --k) {
    TBreakPoint bp;
    bp.Block = pick(1, std::max(1, blocks - 2));
    bp.Line = pick(1, 3);
    bp.Condition = kConditions[pick(0, 5)];
    bp.Conditional = bp.Condition != "1";
    bp.HitCount = pick(0, 3);
    bp.SkipSameLine = pick(0, 3) == 0;
    bp.Enabled = pick(0, 5) != 0;
    list.push_back(bp);
  }
  return list;
}

// Runs `p` every way and compares each with the continuous flat run; the
// mixed way follows `script`. With breakpoints, only the ways that test them.
void ExpectSameRuns(const Program& p, const std::string& script, const TBreakPointArray& breakpoints = {}) {
  SCOPED_TRACE(p.name + " (script " + script + ")\n" + p.spec);
  const Observed flat = Observe(p, Mode::Flat, breakpoints);
  const Observed walk = Observe(p, Mode::Walk, breakpoints);
  ExpectSame(flat, walk, "walk");
  EXPECT_EQ(flat.states, walk.states);
  ExpectSame(flat, Observe(p, Mode::FlatQuiet, breakpoints), "flat, no variable handler", false);
  ExpectSame(flat, Observe(p, Mode::Instructions, breakpoints), "instruction steps");
  ExpectSame(flat, Observe(p, Mode::Blocks, breakpoints), "block steps");
  ExpectSame(flat, Observe(p, Mode::Mixed, breakpoints, script), "mixed steps");
  if (breakpoints.empty()) ExpectSame(flat, Observe(p, Mode::Micro), "micro steps");
}

void ExpectSameRuns(const Program& p) { ExpectSameRuns(p, "mmimbmmrmi"); }

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
  std::mt19937 random(2910);
  for (int k = 0; k < 300; ++k) ExpectSameRuns(maker.Make("random " + std::to_string(k)), RandomScript(random, true));
}

// Faults that mixed steps showed, each with a program and the commands that
// showed it.
TEST(SteppedRuns, KeepWhatMixedStepsOnceBroke) {
  struct Case {
    const char* name;
    const char* spec;
    const char* script;
  };
  // Blocks: 0 start, 1 i := 0, 2 i < 3, 3 i := i + 1 (back to 2), 4 write, 5 end.
  const char* const loop =
      "start 1 -1\nproc 2 -1 i := 0\ncond 4 3 i < 3\nproc 2 -1 i := i + 1\nio 5 -1 write i\nend -1 -1\n";
  const Case cases[] = {
      // Eight instruction (or block) steps come to the condition a fourth
      // time, with i = 3. Run before, it was left at its last step with
      // "true" in its root: the micro step there passed on by that value
      // without testing it, and the loop ran once more.
      {"a micro step where instruction steps came round", loop, "iiiiiiiimr"},
      {"a micro step where block steps came round", loop, "bbbbbbbbmr"},
      // «x++ + 1» had incremented x; the instruction step ran it from the start.
      {"an instruction step after micro steps applied an increment",
       "start 1 -1\nproc 2 -1 x := 1\nproc 3 -1 y := x++ + 1\nio 4 -1 write x, y\nend -1 -1\n", "iimmmir"},
      // All five steps of «i := i + 1» had run; the instruction step assigned again.
      {"an instruction step after micro steps finished an assignment",
       "start 1 -1\nproc 2 -1 i := 1\nproc 3 -1 i := i + 1\nio 4 -1 write i\nend -1 -1\n", "iimmmmmir"},
      {"a block step after micro steps began an instruction of the block",
       "start 1 -1\nproc 2 -1 i := 1\nproc 3 -1 i := i + 1\\ni *= 3\nio 4 -1 write i\nend -1 -1\n", "iimmmmbr"},
  };
  for (const Case& c : cases) ExpectSameRuns({c.name, c.spec}, c.script);
}

// Programs that also read (with the answers given), call Random, grow arrays
// and multiply and divide in place, stepped every way, and again with
// breakpoints.
TEST(SteppedRuns, AgreeWithTheContinuousRunWithReadsProductsAndBreakpoints) {
  RandomProgram maker(20261229, true, true);
  std::mt19937 random(2911);
  for (int k = 0; k < 200; ++k) {
    const Program p = maker.Make("random " + std::to_string(k));
    ExpectSameRuns(p, RandomScript(random, true));
    ExpectSameRuns(p, RandomScript(random, false), RandomBreakpoints(p, random));
  }
}

}  // namespace
}  // namespace tessaro::test
