// tessaro-cli run, compile and eval: options, messages and exit statuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "alg_spec.h"
#include "core/i18n/cp1250.h"
#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "support/cli_runner.h"
#include "support/temp_home.h"

namespace tessaro {
namespace {

using test::CliResult;
using test::RunProgram;

// Writes a described diagram into `home` and returns its path.
std::string Diagram(const test::TempHome& home, const std::string& name, const std::string& spec) {
  std::vector<Tobj> bloki;
  std::string error;
  EXPECT_TRUE(fixtures::ParseAlgSpec(spec, bloki, error)) << error;
  const std::string path = home.Path(name + ".alg");
  EXPECT_TRUE(fixtures::WriteAlgFile(bloki, path));
  return path;
}

// The texts of the program folder the child uses, loaded before any test
// moves this process's program folder elsewhere.
class ProgramTexts : public testing::Environment {
 public:
  void SetUp() override { Language(); }
};
testing::Environment* const kProgramTexts = testing::AddGlobalTestEnvironment(new ProgramTexts);

// The program's texts as the child prints them (UTF-8), in the default language.
std::string Text(const char* id) { return Cp1250ToUtf8(LangText(id)); }

class CliRun : public testing::Test {
 protected:
  test::TempHome home;
};

TEST_F(CliRun, ReportsRunTimeErrorsInTheErrorListForm) {
  const std::string alg = Diagram(home, "e", "start 1 -1\nproc 2 -1 x := 1\\ny := x div 0\nend -1 -1\n");
  const CliResult r = RunProgram(TESSARO_CLI_PATH, {"run", alg});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_EQ(r.err, Text("msgcmp000001") + ": " + Text("msgcmp000047") + " " + Text("msgcmp000003") + " 2\n");
}

TEST_F(CliRun, ReportsCompileErrorsAndWarnings) {
  const std::string alg = Diagram(home, "c", "start 1 -1\nproc 2 -1 Suma := 1;suma := Foo(2)\nend -1 -1\n");
  const CliResult r = RunProgram(TESSARO_CLI_PATH, {"run", alg});
  EXPECT_EQ(r.exit_code, 1);
  const std::string line = " " + Text("msgcmp000003") + " 1\n";
  EXPECT_EQ(r.err, Text("msgcmp000001") + ": " + Text("msgcmp000028") + "Foo" + line + Text("msgcmp000002") +
                       ": " + Cp1250ToUtf8(FormatText(LangText("msgcmp000032"), {"suma", "Suma"})) + line);
}

TEST_F(CliRun, TracesEachInstructionBeforeItRuns) {
  const std::string alg = Diagram(home, "t", "start 1 -1\nproc 2 -1 x := 1;y := 2\nend -1 -1\n");
  const CliResult r = RunProgram(TESSARO_CLI_PATH, {"run", "--trace", alg});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err,
            "#0 block 0 line 1:  \n#1 block 1 line 1: x := 1\n#2 block 1 line 1: y := 2\n#3 block 2 line 1:  \n");
}

TEST_F(CliRun, OptionsMayStandBeforeTheSubcommand) {
  const std::string alg = Diagram(home, "o", "start 1 -1\nio 2 -1 read a\\nwrite a\nend -1 -1\n");
  const CliResult before = RunProgram(TESSARO_CLI_PATH, {"--names", "run", alg}, "7\n");
  const CliResult after = RunProgram(TESSARO_CLI_PATH, {"run", alg, "--names"}, "7\n");
  EXPECT_EQ(before.out, "a = 7\n");
  EXPECT_EQ(after.out, before.out);
  EXPECT_EQ(before.err, "") << "no prompt without a terminal";
}

TEST_F(CliRun, TheSeedFixesTheRandomNumbers) {
  const std::string alg = Diagram(home, "r", "start 1 -1\nproc 2 -1 a := Random(1000000)\\nwrite a\nend -1 -1\n");
  const CliResult one = RunProgram(TESSARO_CLI_PATH, {"run", "--seed", "5", alg});
  const CliResult two = RunProgram(TESSARO_CLI_PATH, {"run", "--seed=5", alg});
  EXPECT_EQ(one.exit_code, 0);
  EXPECT_EQ(one.out, two.out);
  EXPECT_EQ(RunProgram(TESSARO_CLI_PATH, {"run", "--seed", "x", alg}).exit_code, 64);
}

TEST_F(CliRun, AHistoryChangesNothingThatTheRunPrints) {
  const std::string alg =
      Diagram(home, "h", "start 1 -1\nio 2 -1 read a\nproc 3 -1 a := a * Random(1000) + 1\nio 4 -1 write a\nend -1 -1\n");
  const CliResult plain = RunProgram(TESSARO_CLI_PATH, {"run", "--seed", "9", alg}, "6\n");
  const CliResult kept = RunProgram(TESSARO_CLI_PATH, {"run", "--seed", "9", "--history", "1", alg}, "6\n");
  EXPECT_EQ(kept.exit_code, 0) << kept.err;
  EXPECT_EQ(kept.out, plain.out);
  for (const char* wrong : {"x", "-1", "99999999"}) {
    EXPECT_EQ(RunProgram(TESSARO_CLI_PATH, {"run", "--history", wrong, alg}).exit_code, 64) << wrong;
  }
}

TEST_F(CliRun, CallsFunctionsOfAnExtensionGivenOnTheCommandLine) {
  const std::string alg = Diagram(home, "x", "start 1 -1\nproc 2 -1 a := Silnia(5)\\nwrite a\nend -1 -1\n");
  const CliResult r = RunProgram(TESSARO_CLI_PATH, {"run", "--extension", TESSARO_EXT_MATEMATYKA, alg});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.out, "120\n");
  EXPECT_EQ(RunProgram(TESSARO_CLI_PATH, {"run", "--extension", home.Path("none.so"), alg}).exit_code, 66);
}

TEST_F(CliRun, RefusesWhatIsNoAlgorithm) {
  home.Write("text.alg", "hello");
  for (const char* command : {"run", "compile"}) {
    EXPECT_EQ(RunProgram(TESSARO_CLI_PATH, {command, home.Path("text.alg")}).exit_code, 66) << command;
    EXPECT_EQ(RunProgram(TESSARO_CLI_PATH, {command, home.Path("missing.alg")}).exit_code, 66) << command;
    EXPECT_EQ(RunProgram(TESSARO_CLI_PATH, {command}).exit_code, 64) << command;
  }
  EXPECT_EQ(RunProgram(TESSARO_CLI_PATH, {"run", "--max-steps", "-1", home.Path("text.alg")}).exit_code, 64);
  EXPECT_EQ(RunProgram(TESSARO_CLI_PATH, {"eval"}).exit_code, 64);
}

TEST_F(CliRun, CompilePrintsTheListingAndTheErrors) {
  const std::string ok = Diagram(home, "l", "start 1 -1\nproc 2 -1 x := 1\nend -1 -1\n");
  const CliResult r = RunProgram(TESSARO_CLI_PATH, {"compile", ok});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, Text("msgcmp000021") + " 1\n1. " +
                       Cp1250ToUtf8(FormatText(LangText("msgcmp000016"), {"x := 1", "2"})) + "\n2. " +
                       Text("msgcmp000020") + "\n");
  const std::string bad = Diagram(home, "b", "start 1 -1\nproc 2 -1 x := (1\nend -1 -1\n");
  const CliResult failed = RunProgram(TESSARO_CLI_PATH, {"compile", bad});
  EXPECT_EQ(failed.exit_code, 1);
  EXPECT_NE(failed.out.find(Text("msgcmp000004")), std::string::npos) << failed.out;
}

TEST(CliEval, PrintsKindAndValueOrTheCollectedErrors) {
  const CliResult r = RunProgram(TESSARO_CLI_PATH,
                                 {"eval", "x := 7 / 2", "x * 2", "'a' + 'b'", "3 > 2", "y", "1 div 0",
                                  "Sqrt(1, 2)", "z"});
  EXPECT_EQ(r.exit_code, 2);
  const std::string label = Text("msgcmp000001") + ": ";
  EXPECT_EQ(r.out, "real 3.5\nreal 7\nstring ab\nboolean True\nempty \nerror: " + label +
                       Text("msgcmp000047") + "\nerror: " + label + Text("msgcmp000038") +
                       " \"Sqrt\"\nempty \n");
  const CliResult io = RunProgram(TESSARO_CLI_PATH, {"eval", "read a", "write a + 1", "a"}, "41\n");
  EXPECT_EQ(io.exit_code, 0);
  EXPECT_EQ(io.out, "empty \n42\nempty \ninteger 41\n");
}

TEST_F(CliRun, AParseErrorIsACompileErrorOfCompileRunAndEval) {
  const std::string parse_error =
      Cp1250ToUtf8(FormatText(LangText("msgcmp000054"), {"!"}));
  const std::string bad = Diagram(home, "p", "start 1 -1\nproc 2 -1 a := 1\\ny := a !b\nend -1 -1\n");
  const CliResult compiled = RunProgram(TESSARO_CLI_PATH, {"compile", bad});
  EXPECT_EQ(compiled.exit_code, 1);
  EXPECT_NE(compiled.out.find(parse_error + " " + Text("msgcmp000003") + " 2"), std::string::npos) << compiled.out;
  const CliResult run = RunProgram(TESSARO_CLI_PATH, {"run", bad});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, Text("msgcmp000001") + ": " + parse_error + " " + Text("msgcmp000003") + " 2\n");
  const CliResult eval = RunProgram(TESSARO_CLI_PATH, {"eval", "a := 1", "a := a !b", "a"});
  EXPECT_EQ(eval.exit_code, 2);
  EXPECT_EQ(eval.out, "integer 1\nerror: " + Text("msgcmp000001") + ": " + parse_error + "\ninteger 1\n");
}

TEST(CliEval, OneFailingElementAccessIsOneError) {
  const CliResult r = RunProgram(TESSARO_CLI_PATH, {"eval", "--no-dynamic-arrays", "t := 1", "t[2] := 1"});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_EQ(r.out, "integer 1\nerror: " + Text("msgcmp000001") + ": " + Text("msgcmp000035") + "\n");
}

TEST(CliEval, ShowsEachCarriageReturnOfTheErrorsAsABar) {
  // Two errors: the index check and the rejected index list.
  const CliResult r = RunProgram(TESSARO_CLI_PATH, {"eval", "t[0]"});
  EXPECT_EQ(r.exit_code, 2);
  const std::string label = Text("msgcmp000001") + ": ";
  EXPECT_EQ(r.out, "error: " + label + Text("msgcmp000006") + " | " + label + Text("msgcmp000037") + " \n");
}

}  // namespace
}  // namespace tessaro

namespace tessaro {
namespace {

// Runaway programs end at the memory budget with an error of their own, and
// the budget is an option; the doubling text and the growing array.
TEST_F(CliRun, RunawayValuesStopAtTheMemoryBudget) {
  const std::string text = Diagram(home, "text", "start 1 -1\nproc 2 -1 s := 'ab'\nproc 2 -1 s := s + s\nend -1 -1\n");
  const std::string array =
      Diagram(home, "array", "start 1 -1\nproc 2 -1 i := 1\nproc 2 -1 t[i] := i; i := i + 1\nend -1 -1\n");
  struct Case {
    std::string alg;
    const char* budget;
    std::string message;
  } cases[] = {
      {text, "32", Cp1250ToUtf8(FormatText(LangText("msgcmp000058"), {"8388608", "32"}))},
      {text, "", Cp1250ToUtf8(FormatText(LangText("msgcmp000058"), {"67108864", "256"}))},
      {array, "16", Cp1250ToUtf8(LangText("msgcmp000059")).substr(0, 10)},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"run"};
    if (*c.budget) args.insert(args.end(), {"--max-memory", c.budget});
    args.push_back(c.alg);
    const CliResult r = RunProgram(TESSARO_CLI_PATH, args);
    EXPECT_EQ(r.exit_code, 2) << c.alg << " " << c.budget << "\n" << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(std::string("(") + (*c.budget ? c.budget : "256") + " MB)"), std::string::npos) << r.err;
  }
  for (const char* wrong : {"0", "15", "-5", "abc", "65537", ""}) {
    EXPECT_EQ(RunProgram(TESSARO_CLI_PATH, {"run", "--max-memory", wrong, text}).exit_code, 64) << wrong;
  }
}

// Algorithm files over 64 MiB are refused with a message of their own,
// before anything is read.
TEST_F(CliRun, RefusesAlgorithmFilesOver64MiB) {
  const std::string path = home.Path("huge.alg");
  home.Write("huge.alg", "");
  std::filesystem::resize_file(path, (std::uintmax_t{64} << 20) + 1);
  const CliResult r = RunProgram(TESSARO_CLI_PATH, {"run", path});
  EXPECT_EQ(r.exit_code, 66);
  EXPECT_NE(r.err.find("too large"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tessaro
