// tessaro-cli info: the listing of an algorithm file, and its refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/document/alg_fixtures.h"
#include "core/document/alg_writer.h"
#include "support/cli_runner.h"
#include "support/temp_home.h"

namespace tessaro {
namespace {

std::string Str(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string Encoded(const std::vector<Tobj>& bloki) {
  TMemoryStream s;
  EXPECT_TRUE(ZapiszSchemat(bloki, s));
  return Str(s);
}

test::CliResult Info(const test::TempHome& home, const std::string& name) {
  return test::RunProgram(TESSARO_CLI_PATH, {"info", home.Path(name)}, "", home.Dir());
}

TEST(CliInfo, ListsTheElements) {
  test::TempHome home;
  std::vector<Tobj> diagram = test::SampleDiagram();
  diagram[0].Kod = "x \xB3\xB9" "cznie > 3\r\ny\\n\t";
  home.Write("a.alg", Encoded(diagram));
  test::CliResult r = Info(home, "a.alg");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.out,
            "format: current\n"
            "elements: 2\n"
            "0 Warunek -15 2000000000 120 44 1 0 0 x \xC5\x82\xC4\x85" "cznie > 3\\ny\\\\n\\x09\n"
            "1 Nieznany 0 -1 0 0 77 -1 2 \n");
  EXPECT_EQ(r.err, "");
}

TEST(CliInfo, NamesTheOlderFormats) {
  test::TempHome home;
  home.Write("old.alg", Str(test::LegacyStream(0x39B06F3E, {{Przetwarzanie, "a=1", 2, 0}})));
  test::CliResult r = Info(home, "old.alg");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.out, "format: oldest\nelements: 1\n0 Przetwarzanie 0 0 80 40 1 -1 1 a:=1\n");
}

TEST(CliInfo, RefusesWhatIsNotAnAlgorithm) {
  test::TempHome home;
  home.Write("foreign.alg", "PK\x03\x04 not a diagram");
  std::string truncated = Encoded(test::SampleDiagram());
  truncated.resize(truncated.size() - 1);
  home.Write("truncated.alg", truncated);
  home.Write("folder/x", "");
  for (const char* name : {"missing.alg", "foreign.alg", "truncated.alg", "folder"}) {
    test::CliResult r = Info(home, name);
    EXPECT_EQ(r.exit_code, 66) << name;
    EXPECT_EQ(r.out, "") << name;
    EXPECT_NE(r.err.find(home.Path(name)), std::string::npos) << r.err;
  }
  EXPECT_EQ(test::RunProgram(TESSARO_CLI_PATH, {"info"}).exit_code, 64);
}

}  // namespace
}  // namespace tessaro
