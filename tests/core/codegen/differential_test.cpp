// The export proven by running it: random flowcharts of three families, the
// examples and the fixture programs are run by the interpreter and by their
// exported programs, which must print the same and end with the same status.
// Structural checks ride along: no goto or label, Python that parses, every
// block printed, and no flag, copy or state variable for structured charts.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string_view>

#include "alg_spec.h"
#include "chart_generator.h"
#include "core/codegen/code_export.h"
#include "core/codegen/flow_graph.h"
#include "core/document/alg_file.h"
#include "core/document/alg_reader.h"
#include "core/i18n/cp1250.h"
#include "core/language/compiler.h"
#include "core/runtime/builtin_calls.h"

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;
using codegen::ExportResult;
using codegen::TargetLanguage;

struct Outcome {
  std::string out;
  int exit = 0;
};

// With TESSARO_CODEGEN_CACHE naming a folder (scripts/test.sh sets one for
// both of its builds), what a batch compiled is kept there under a hash of
// the texts it was compiled from, so the sanitizer build's run reuses the
// programs the first build compiled instead of compiling the same texts again.
// Only files named by `kept` are stored; a batch compiles when nothing is kept.
bool CompileOnce(const std::string& sources, const fs::path& dir, const std::function<bool(const fs::path&)>& kept,
                 const std::function<bool()>& compile) {
  const char* root = std::getenv("TESSARO_CODEGEN_CACHE");
  if (!root || !*root) return compile();
  char key[40];
  std::snprintf(key, sizeof key, "%016zx-%zu", std::hash<std::string_view>{}(sources), sources.size());
  const fs::path stored = fs::path(root) / key;
  std::error_code error;
  if (fs::is_directory(stored, error)) {
    for (const fs::directory_entry& e : fs::directory_iterator(stored, error))
      fs::copy_file(e.path(), dir / e.path().filename(), fs::copy_options::overwrite_existing, error);
    if (!error) return true;
  }
  if (!compile()) return false;
  // Written aside and renamed, so a parallel run never sees half a batch.
  const fs::path aside = fs::path(root) / (std::string(key) + ".part" + std::to_string(getpid()));
  fs::create_directories(aside, error);
  for (const fs::directory_entry& e : fs::directory_iterator(dir, error))
    if (e.is_regular_file() && kept(e.path())) fs::copy_file(e.path(), aside / e.path().filename(), error);
  fs::rename(aside, stored, error);
  if (error) fs::remove_all(aside, error);
  return true;
}

// The program compiled as tessaro-cli compiles it.
struct Compiled {
  TKompilatorTS c;
  TBreakPointArray breakpoints;
  std::vector<TPlugInEntry> extensions;
  bool ok = false;
  explicit Compiled(const std::vector<Tobj>& bloki) {
    ok = c.Compile(bloki, static_cast<int32_t>(bloki.size()) - 1, -1, extensions, breakpoints);
  }
};

// Every run draws the same random numbers: the interpreter is seeded as
// tessaro-cli run --seed seeds it, the exported programs through the
// environment.
constexpr uint32_t kSeed = 20261211;

// What tessaro-cli run prints on stdout and its exit status.
Outcome Interpret(const std::vector<Tobj>& bloki, const std::string& input) {
  SeedRandom(kSeed);
  Compiled program(bloki);
  Outcome o;
  if (!program.ok) {
    o.exit = 1;
    return o;
  }
  std::istringstream lines(input);
  bool no_answer = false;
  TKompilatorTS& c = program.c;
  c.OnInputOutput = [&](TKompilatorTS& sender, const std::string& value, const std::string&, uint8_t direction,
                        std::string& answer) {
    answer.clear();
    if (direction == 1) {
      o.out += Cp1250ToUtf8(value) + "\n";
      return;
    }
    std::string line;
    if (std::getline(lines, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      answer = Utf8ToCp1250(line);
    }
    if (answer.empty()) {
      no_answer = true;
      sender.Stop();
    }
  };
  c.PrepareRun();
  c.Run();
  o.exit = c.HasErrors() ? 2 : no_answer ? 3 : 0;
  return o;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// The interpreter's own path: a version manager's wrapper script would cost
// more than the programs themselves.
std::string Python() {
  static const std::string path = [] {
    std::string out;
    if (FILE* pipe = popen("python3 -c 'import sys; print(sys.executable)' 2>/dev/null", "r")) {
      char buffer[512];
      while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
      pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
  }();
  return path;
}

bool HaveCompilers() {
  return std::system("g++ --version >/dev/null 2>&1") == 0 && std::system("javac -version >/dev/null 2>&1") == 0 &&
         std::system("fpc -iV >/dev/null 2>&1") == 0;
}

bool HavePython() {
  return !Python().empty() &&
         std::system((Python() + " -c 'import sys; sys.exit(sys.version_info < (3, 8))' >/dev/null 2>&1").c_str()) == 0;
}

// One chart of a run: its blocks, its input and what the interpreter did.
struct Case {
  std::string name;
  std::vector<Tobj> bloki;
  std::string input;
  Outcome expected;
  ExportResult exported;      // Python
  ExportResult exported_cpp;  // C++
  ExportResult exported_java;
  ExportResult exported_pascal;
};

struct Counts {
  int charts = 0, flags = 0, copies = 0, states = 0, with_flags = 0, with_copies = 0, with_states = 0;
};

class Batch {
 public:
  Batch() {
    setenv("TESSARO_SEED", std::to_string(kSeed).c_str(), 1);
    char pattern[] = "/tmp/tessaro-codegen-XXXXXX";
    dir_ = mkdtemp(pattern);
  }
  ~Batch() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  // Exports the case; false with a test failure when the export itself fails a check.
  bool Add(Case c, bool structured = false) {
    Compiled program(c.bloki);
    if (!program.ok) {
      ADD_FAILURE() << c.name << ": does not compile";
      return false;
    }
    codegen::ExportOptions options;
    options.Language = TargetLanguage::Python;
    options.Title = "chart";
    c.exported = codegen::ExportProgram(program.c, options);
    options.Language = TargetLanguage::Cpp;
    c.exported_cpp = codegen::ExportProgram(program.c, options);
    options.Language = TargetLanguage::Java;
    options.ProgramName = "C" + std::to_string(cases_.size());
    c.exported_java = codegen::ExportProgram(program.c, options);
    options.Language = TargetLanguage::Pascal;
    c.exported_pascal = codegen::ExportProgram(program.c, options);
    if (!c.exported.Ok || !c.exported_cpp.Ok || !c.exported_java.Ok || !c.exported_pascal.Ok) {
      ADD_FAILURE() << c.name << ": " << c.exported.Error << c.exported_cpp.Error << c.exported_java.Error;
      return false;
    }
    // Every block that does something and that the start reaches is printed.
    const codegen::FlowGraph g = codegen::BuildFlowGraph(program.c);
    for (const codegen::FlowNode& n : g.Nodes) {
      const auto& printed = c.exported.PrintedBlocks;
      bool effect = n.Condition;
      for (int32_t i = n.First; i <= n.Last && !effect; ++i) effect = !codegen::InstructionHasNoEffect(program.c, i);
      if (effect && !std::binary_search(printed.begin(), printed.end(), n.Block)) {
        ADD_FAILURE() << c.name << ": block " << n.Block << " is not printed";
      }
    }
    for (const std::string* text :
         {&c.exported.Text, &c.exported_cpp.Text, &c.exported_java.Text, &c.exported_pascal.Text}) {
      EXPECT_EQ(text->find("goto"), std::string::npos) << c.name;
      EXPECT_EQ(text->find("label"), std::string::npos) << c.name;
    }
    if (structured) {
      EXPECT_EQ(c.exported.Flags + c.exported.CopiedNodes + c.exported.StateRegions, 0)
          << c.name << Cp1250ToUtf8(c.exported.Text);
    }
    counts_.charts++;
    counts_.flags += c.exported.Flags;
    counts_.copies += c.exported.CopiedNodes;
    counts_.states += c.exported.StateRegions;
    counts_.with_flags += c.exported.Flags > 0;
    counts_.with_copies += c.exported.CopiedNodes > 0;
    counts_.with_states += c.exported.StateRegions > 0;
    cases_.push_back(std::move(c));
    return true;
  }

  // Parses every program with ast, runs each and compares.
  void Run() {
    std::string list, script;
    for (size_t k = 0; k < cases_.size(); ++k) {
      const std::string stem = (dir_ / ("c" + std::to_string(k))).string();
      WriteFile(stem + ".py", Cp1250ToUtf8(cases_[k].exported.Text));
      WriteFile(stem + ".in", cases_[k].input);
      list += stem + ".py\n";
      script += Python() + " -I -S " + stem + ".py < " + stem + ".in > " + stem + ".out 2>" + stem + ".err; echo $? > " + stem +
                ".rc\n";
    }
    WriteFile(dir_ / "list", list);
    WriteFile(dir_ / "parse.py",
              "import ast, sys\nfor f in open(sys.argv[1]).read().split():\n    ast.parse(open(f, encoding='utf-8').read(), f)\n");
    ASSERT_EQ(std::system((Python() + " " + (dir_ / "parse.py").string() + " " + (dir_ / "list").string()).c_str()), 0)
        << "an exported program does not parse";
    WriteFile(dir_ / "run.sh", script);
    ASSERT_EQ(std::system(("sh " + (dir_ / "run.sh").string()).c_str()), 0);
    Compare("py", [](const Case& c) -> const ExportResult& { return c.exported; });
    RunCpp();
    RunJava();
    RunPascal();
  }

  // Each program becomes a unit with the same text; one driver uses them
  // all, so one fpc call compiles every chart.
  void RunPascal() {
    std::string uses, calls;
    for (size_t k = 0; k < cases_.size(); ++k) {
      const std::string unit = "c" + std::to_string(k);
      std::string text = Cp1250ToUtf8(cases_[k].exported_pascal.Text);
      const size_t program = text.find("\nprogram ");
      const size_t program_end = text.find(";\n", program);
      const size_t main = text.rfind("\nbegin\n    Halt(RunProgram(@Main));\nend.");
      ASSERT_NE(program, std::string::npos);
      ASSERT_NE(main, std::string::npos);
      text = text.substr(0, program) + "\nunit " + unit + ";\n{$mode objfpc}{$H+}\ninterface\nfunction RunChart: LongInt;\nimplementation" +
             text.substr(program_end + 1, main - program_end - 1) +
             "\nfunction RunChart: LongInt;\nbegin\n  Result := RunProgram(@Main);\nend;\n\nend.\n";
      // The mode is set once, at the top of the unit.
      const size_t second_mode = text.find("{$mode objfpc}{$H+}", text.find("implementation"));
      if (second_mode != std::string::npos) text.erase(second_mode, std::string("{$mode objfpc}{$H+}").size());
      WriteFile(dir_ / (unit + ".pas"), text);
      uses += (k ? ", " : "") + unit;
      calls += "  Run(ParamStr(1) + '/" + unit + "', @" + unit + ".RunChart);\n";
    }
    WriteFile(dir_ / "driver.pas", "program driver;\n{$mode objfpc}{$H+}\nuses SysUtils, " + uses + R"(;
type
  TChart = function: LongInt;
procedure Run(const Stem: AnsiString; Chart: TChart);
var
  code: LongInt;
  rc: Text;
begin
  AssignFile(Input, Stem + '.in');
  Reset(Input);
  AssignFile(Output, Stem + '.pasout');
  Rewrite(Output);
  AssignFile(StdErr, Stem + '.paserr');
  Rewrite(StdErr);
  code := Chart();
  CloseFile(Output);
  CloseFile(StdErr);
  CloseFile(Input);
  AssignFile(rc, Stem + '.pasrc');
  Rewrite(rc);
  WriteLn(rc, code);
  CloseFile(rc);
end;
begin
)" + calls + "end.\n");
    std::string sources;
    for (size_t k = 0; k < cases_.size(); ++k) sources += ReadFile(dir_ / ("c" + std::to_string(k) + ".pas")) + '\0';
    sources += ReadFile(dir_ / "driver.pas");
    const bool compiled = CompileOnce(
        sources, dir_, [](const fs::path& f) { return f.filename() == "driver"; },
        [this] { return std::system(("cd " + dir_.string() + " && fpc -O1 -v0 driver.pas > fpc.log 2>&1").c_str()) == 0; });
    ASSERT_TRUE(compiled) << "the exported Pascal programs do not compile\n" << ReadFile(dir_ / "fpc.log");
    ASSERT_EQ(std::system(((dir_ / "driver").string() + " " + dir_.string()).c_str()), 0);
    Compare("pas", [](const Case& c) -> const ExportResult& { return c.exported_pascal; });
  }

  // All classes compiled by one javac call and run in one virtual machine,
  // each with its own standard input and output.
  void RunJava() {
    std::string sources;
    for (size_t k = 0; k < cases_.size(); ++k) {
      const fs::path file = dir_ / ("C" + std::to_string(k) + ".java");
      WriteFile(file, Cp1250ToUtf8(cases_[k].exported_java.Text));
      sources += " " + file.string();
    }
    WriteFile(dir_ / "Driver.java", R"(public class Driver {
    public static void main(String[] args) throws Exception {
        java.io.PrintStream realOut = System.out, realErr = System.err;
        for (int k = 0; k < Integer.parseInt(args[1]); k++) {
            String stem = args[0] + "/c" + k;
            try (java.io.InputStream in = new java.io.FileInputStream(stem + ".in");
                 java.io.PrintStream out = new java.io.PrintStream(new java.io.FileOutputStream(stem + ".javaout"));
                 java.io.PrintStream err = new java.io.PrintStream(new java.io.FileOutputStream(stem + ".javaerr"))) {
                System.setIn(in);
                System.setOut(out);
                System.setErr(err);
                int code = (Integer) Class.forName("C" + k).getMethod("run").invoke(null);
                out.flush();
                System.setOut(realOut);
                System.setErr(realErr);
                java.nio.file.Files.writeString(java.nio.file.Path.of(stem + ".javarc"), code + "\n");
            }
        }
    }
}
)");
    sources += " " + (dir_ / "Driver.java").string();
    std::string texts;
    for (size_t k = 0; k < cases_.size(); ++k) texts += cases_[k].exported_java.Text + '\0';
    texts += ReadFile(dir_ / "Driver.java");
    const bool compiled = CompileOnce(
        texts, dir_, [](const fs::path& f) { return f.extension() == ".class"; },
        [this, &sources] { return std::system(("javac -nowarn -d " + dir_.string() + sources).c_str()) == 0; });
    ASSERT_TRUE(compiled) << "the exported Java programs do not compile";
    ASSERT_EQ(std::system(("java -Xss16m -cp " + dir_.string() + " Driver " + dir_.string() + " " +
                           std::to_string(cases_.size())).c_str()), 0);
    Compare("java", [](const Case& c) -> const ExportResult& { return c.exported_java; });
  }

  // The programs in translation units of up to 100 each, every program in a
  // namespace of its own, compiled by one call; main runs the program named
  // by its argument.
  void RunCpp() {
    const std::string headers =
        "#include <charconv>\n#include <cmath>\n#include <cstdint>\n#include <cstdio>\n#include <cstdlib>\n"
        "#include <new>\n#include <random>\n#include <string>\n#include <utility>\n#include <vector>\n";
    std::string declarations, dispatch = "int main(int argc, char** argv) {\n    switch (argc > 1 ? std::atoi(argv[1]) : -1) {\n";
    std::string script, units;
    const std::string program = (dir_ / "batch").string();
    std::string unit;
    for (size_t k = 0; k < cases_.size(); ++k) {
      const std::string stem = (dir_ / ("c" + std::to_string(k))).string();
      const std::string space = "c" + std::to_string(k);
      WriteFile(stem + ".cpp", Cp1250ToUtf8(cases_[k].exported_cpp.Text));
      unit += "namespace " + space + " {\n#include \"" + stem + ".cpp\"\n}\n";
      declarations += "namespace " + space + " { int main(); }\n";
      dispatch += "        case " + std::to_string(k) + ": return " + space + "::main();\n";
      script += program + " " + std::to_string(k) + " < " + stem + ".in > " + stem + ".cppout 2>" + stem +
                ".cpperr; echo $? > " + stem + ".cpprc\n";
      if (k % 100 == 99 || k + 1 == cases_.size()) {
        const fs::path file = dir_ / ("batch" + std::to_string(k / 100) + ".cpp");
        WriteFile(file, headers + unit);
        units += " " + file.string();
        unit.clear();
      }
    }
    WriteFile(dir_ / "dispatch.cpp", "#include <cstdlib>\n" + declarations + dispatch + "    }\n    return 99;\n}\n");
    std::string texts = headers;
    for (size_t k = 0; k < cases_.size(); ++k) texts += cases_[k].exported_cpp.Text + '\0';
    texts += ReadFile(dir_ / "dispatch.cpp");
    const bool compiled = CompileOnce(
        texts, dir_, [](const fs::path& f) { return f.filename() == "batch"; },
        [&] { return std::system(("g++ -std=c++17 -O0 -w -o " + program + units + " " + (dir_ / "dispatch.cpp").string()).c_str()) == 0; });
    ASSERT_TRUE(compiled) << "the exported C++ programs do not compile";
    // One program alone, with every warning.
    if (!cases_.empty()) {
      const std::string first = (dir_ / "c0.cpp").string();
      EXPECT_EQ(std::system(("g++ -std=c++17 -fsyntax-only -Wall -Wextra -Werror " + first).c_str()), 0);
    }
    WriteFile(dir_ / "runcpp.sh", script);
    ASSERT_EQ(std::system(("sh " + (dir_ / "runcpp.sh").string()).c_str()), 0);
    Compare("cpp", [](const Case& c) -> const ExportResult& { return c.exported_cpp; });
  }

  template <typename Pick>
  void Compare(const std::string& language, Pick pick) {
    const std::string suffix = language == "py" ? "" : language;
    for (size_t k = 0; k < cases_.size(); ++k) {
      const std::string stem = (dir_ / ("c" + std::to_string(k))).string();
      const Case& c = cases_[k];
      const std::string out = ReadFile(stem + "." + suffix + "out");
      const int exit = std::atoi(ReadFile(stem + "." + suffix + "rc").c_str());
      const std::string err = ReadFile(stem + "." + suffix + "err");
      EXPECT_EQ(out, c.expected.out) << language << " " << c.name << "\n" << Cp1250ToUtf8(pick(c).Text) << "\nstderr: " << err;
      EXPECT_EQ(exit, c.expected.exit) << language << " " << c.name << "\nstderr: " << err;
    }
  }

  const Counts& counts() const { return counts_; }

 private:
  fs::path dir_;
  std::vector<Case> cases_;
  Counts counts_;
};

void RunFamily(ChartFamily family, int charts) {
  if (!HavePython() || !HaveCompilers()) GTEST_SKIP() << "python3, g++, javac or fpc is not installed";
  Batch batch;
  for (int seed = 1; seed <= charts; ++seed) {
    Case c;
    c.name = std::string(FamilyName(family)) + " #" + std::to_string(seed);
    const std::string description = GenerateChart(family, static_cast<uint32_t>(seed));
    std::string error;
    ASSERT_TRUE(fixtures::ParseAlgSpec(description, c.bloki, error)) << error;
    c.input = GenerateInput(static_cast<uint32_t>(seed));
    c.expected = Interpret(c.bloki, c.input);
    c.name += "\n" + description;
    batch.Add(std::move(c), family == ChartFamily::Structured);
  }
  batch.Run();
  const Counts& n = batch.counts();
  std::cout << FamilyName(family) << ": " << n.charts << " charts; flags " << n.flags << " in " << n.with_flags
            << " charts, copied blocks " << n.copies << " in " << n.with_copies << ", state regions " << n.states
            << " in " << n.with_states << "\n";
  if (family == ChartFamily::Structured) {
    EXPECT_EQ(n.flags, 0);
    EXPECT_EQ(n.copies, 0);
    EXPECT_EQ(n.states, 0);
  }
}

int QuickCount() { return 50; }
// TESSARO_LONG_CHARTS=N runs N charts per family instead, for a shorter check by hand.
int LongCount() {
  const char* count = std::getenv("TESSARO_LONG_CHARTS");
  return count && std::atoi(count) > 0 ? std::atoi(count) : 500;
}

TEST(DifferentialTest, Structured) { RunFamily(ChartFamily::Structured, QuickCount()); }
TEST(DifferentialTest, Unstructured) { RunFamily(ChartFamily::Unstructured, QuickCount()); }
TEST(DifferentialTest, Irreducible) { RunFamily(ChartFamily::Irreducible, QuickCount()); }

// Run by the long CTest entry only (tests/CMakeLists.txt).
TEST(DifferentialTest, DISABLED_LongStructured) { RunFamily(ChartFamily::Structured, LongCount()); }
TEST(DifferentialTest, DISABLED_LongUnstructured) { RunFamily(ChartFamily::Unstructured, LongCount()); }
TEST(DifferentialTest, DISABLED_LongIrreducible) { RunFamily(ChartFamily::Irreducible, LongCount()); }

// Every example, with its input, and every fixture program that runs with
// the default options and exports without a warning.
TEST(DifferentialTest, ExamplesAndFixturePrograms) {
  if (!HavePython() || !HaveCompilers()) GTEST_SKIP() << "python3, g++, javac or fpc is not installed";
  Batch batch;
  const fs::path examples = fs::path(TESSARO_SOURCE_DIR) / "resources" / "Przyklady";
  const fs::path inputs = fs::path(TESSARO_FIXTURES_DIR) / "examples";
  int added = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(examples)) {
    if (e.path().extension() != ".alg") continue;
    TMemoryStream bytes;
    ASSERT_TRUE(ReadAlgorithmFile(e.path().string(), bytes));
    TAlgRead read = ReadAlgorithm(bytes, TElementDefaults{});
    ASSERT_TRUE(read.ok) << e.path();
    Case c;
    c.name = e.path().filename().string();
    c.bloki = std::move(read.bloki);
    c.input = ReadFile(inputs / (e.path().stem().string() + ".in"));
    c.expected = Interpret(c.bloki, c.input);
    if (batch.Add(std::move(c))) ++added;
  }
  EXPECT_GE(added, 7);
  // Random draws the interpreter's numbers in every language.
  {
    Case c;
    c.name = "random numbers";
    std::string error;
    ASSERT_TRUE(fixtures::ParseAlgSpec("start 1 -1\n"
                                       "proc 2 -1 i := 0\n"
                                       "cond 4 3 i < 700\n"
                                       "proc 2 -1 write Random(1000), Random(-7), Random(2.5, 9)\\ni := i + 1\n"
                                       "end -1 -1\n",
                                       c.bloki, error))
        << error;
    c.expected = Interpret(c.bloki, "");
    batch.Add(std::move(c));
  }
  const fs::path programs = fs::path(TESSARO_FIXTURES_DIR) / "programs";
  for (const fs::directory_entry& e : fs::directory_iterator(programs)) {
    if (e.path().extension() != ".txt" || fs::exists(fs::path(e.path()).replace_extension(".args"))) continue;
    Case c;
    c.name = e.path().filename().string();
    std::string error;
    ASSERT_TRUE(fixtures::ParseAlgSpec(ReadFile(e.path()), c.bloki, error)) << error;
    Compiled program(c.bloki);
    if (!program.ok) continue;
    codegen::ExportOptions options;
    const ExportResult probe = codegen::ExportProgram(program.c, options);
    if (!probe.Warnings.empty()) continue;
    const fs::path in = fs::path(e.path()).replace_extension(".in");
    c.input = fs::exists(in) ? ReadFile(in) : "";
    c.expected = Interpret(c.bloki, c.input);
    batch.Add(std::move(c));
  }
  batch.Run();
}

}  // namespace
}  // namespace tessaro::test
