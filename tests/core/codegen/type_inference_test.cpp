// Which variables the export may give a language's own type: each case is a
// small flowchart and the kind one variable must (or must not) be proven to
// hold, with the reason in the case's name.
#include <gtest/gtest.h>

#include "alg_spec.h"
#include "core/codegen/code_export.h"
#include "core/codegen/type_inference.h"
#include "core/language/compiler.h"
#include "core/language/variables.h"

namespace tessaro::test {
namespace {

using codegen::Natural;

struct TypeCase {
  const char* name;
  const char* chart;
  const char* variable;
  Natural expected;
};

// A loop of one condition block: «start; cond false→4 true→3; body→2; after».
constexpr TypeCase kTypeCases[] = {
    {"integer sums within 32 bits", "start 1 -1\nproc 2 -1 x := 7\\ny := x * 3 + 1\\nwrite y\nend -1 -1\n", "y",
     Natural::Integer},
    {"a sum past 32 bits is a real", "start 1 -1\nproc 2 -1 x := 2147483647\\ny := x + 1\\nwrite y\nend -1 -1\n", "y",
     Natural::Real},
    {"a sum that may pass 32 bits may be either",
     "start 1 -1\nproc 2 -1 x := 2147483647\\nwrite x\\nx := 1\\ny := x + 1\\nwrite y\nend -1 -1\n", "y", Natural::None},
    {"read while still empty", "start 1 -1\nproc 2 -1 write x\\nx := 1\nend -1 -1\n", "x", Natural::None},
    {"an answer may be anything", "start 1 -1\nio 2 -1 read x\\nwrite x\nend -1 -1\n", "x", Natural::None},
    {"text plus a number is computed as reals", "start 1 -1\nproc 2 -1 s := 'a'\\ns := s + 1\\nwrite s\nend -1 -1\n",
     "s", Natural::None},
    {"text plus text", "start 1 -1\nproc 2 -1 s := 'a'\\ns := s + 'b'\\nwrite s\nend -1 -1\n", "s", Natural::Text},
    {"a comparison", "start 1 -1\nproc 2 -1 b := 1 < 2\\nwrite b\nend -1 -1\n", "b", Natural::Boolean},
    {"a division", "start 1 -1\nproc 2 -1 r := 1 / 2\\nwrite r\nend -1 -1\n", "r", Natural::Real},
    {"a remainder of a constant bounds a checksum",
     "start 1 -1\nproc 2 -1 c := 0\\ni := 0\ncond 4 3 i < 100000\nproc 2 -1 c := (c * 31 + i) mod 1009\\ni := i + 1\n"
     "io 5 -1 write c\nend -1 -1\n",
     "c", Natural::Integer},
    {"a counter below a constant",
     "start 1 -1\nproc 2 -1 i := 1\ncond 4 3 i <= 10\nproc 2 -1 write i * i\\ni := i + 1\nio 5 -1 write i\nend -1 -1\n", "i",
     Natural::Integer},
    {"a counter up to the largest integer overflows",
     "start 1 -1\nproc 2 -1 i := 1\ncond 4 3 i <= 2147483647\nproc 2 -1 i := i + 1\nio 5 -1 write i\nend -1 -1\n", "i",
     Natural::None},
    {"a counter below an answer may pass 32 bits",
     "start 1 -1\nio 2 -1 read n\\ni := 1\ncond 4 3 i <= n\nproc 2 -1 i := i + 1\nio 5 -1 write i\nend -1 -1\n", "i",
     Natural::None},
    {"one path leaves it empty",
     "start 1 -1\nio 2 -1 read n\ncond 4 3 n > 0\nproc 4 -1 x := 1\nio 5 -1 write x\nend -1 -1\n", "x", Natural::None},
    {"an array", "start 1 -1\nproc 2 -1 t[1] := 1\\nx := t[1]\\nwrite x\nend -1 -1\n", "t", Natural::None},
};

TEST(TypeInferenceTest, ProvesOneKindOnlyWhereTheInterpreterKeepsIt) {
  for (const TypeCase& c : kTypeCases) {
    std::vector<Tobj> bloki;
    std::string error;
    ASSERT_TRUE(fixtures::ParseAlgSpec(c.chart, bloki, error)) << c.name << ": " << error;
    TKompilatorTS program;
    TBreakPointArray none;
    std::vector<TPlugInEntry> no_extensions;
    ASSERT_TRUE(program.Compile(bloki, static_cast<int32_t>(bloki.size()) - 1, -1, no_extensions, none)) << c.name;
    codegen::CodeTree tree;
    ASSERT_TRUE(codegen::BuildCodeTree(program, {}, tree, error)) << c.name << ": " << error;
    const codegen::TypeInfo types = codegen::InferTypes(program, tree);
    const int32_t v = FindVariable(program, c.variable);
    ASSERT_GE(v, 0) << c.name;
    EXPECT_EQ(types.OfVariable(v), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace tessaro::test
