// The structuring on its own, without running anything: many random charts
// of each family export in every language, with every block printed once at
// least, and the counts of flags, copies and state variables as promised.
#include <gtest/gtest.h>

#include <algorithm>

#include "alg_spec.h"
#include "chart_generator.h"
#include "core/codegen/code_export.h"
#include "core/codegen/flow_graph.h"
#include "core/codegen/graph_order.h"
#include "core/codegen/reducible.h"
#include "core/language/compiler.h"

namespace tessaro::test {
namespace {

struct Program {
  TKompilatorTS c;
  TBreakPointArray none;
  std::vector<TPlugInEntry> no_extensions;
  bool ok = false;
  explicit Program(const std::string& description) {
    std::vector<Tobj> bloki;
    std::string error;
    if (!fixtures::ParseAlgSpec(description, bloki, error)) return;
    ok = c.Compile(bloki, static_cast<int32_t>(bloki.size()) - 1, -1, no_extensions, none);
  }
};

TEST(StructureTest, RandomChartsExportInEveryLanguage) {
  for (ChartFamily family : {ChartFamily::Structured, ChartFamily::Unstructured, ChartFamily::Irreducible}) {
    for (uint32_t seed = 1000; seed < 1150; ++seed) {
      Program p(GenerateChart(family, seed));
      ASSERT_TRUE(p.ok) << FamilyName(family) << seed;
      for (codegen::TargetLanguage language : {codegen::TargetLanguage::Python, codegen::TargetLanguage::Cpp,
                                                codegen::TargetLanguage::Java, codegen::TargetLanguage::Pascal}) {
        codegen::ExportOptions options;
        options.Language = language;
        const codegen::ExportResult r = codegen::ExportProgram(p.c, options);
        ASSERT_TRUE(r.Ok) << r.Error;
        EXPECT_EQ(r.Text.find("goto"), std::string::npos);
        EXPECT_EQ(r.Lines.size(), static_cast<size_t>(std::count(r.Text.begin(), r.Text.end(), '\n')));
        if (family == ChartFamily::Structured) {
          EXPECT_EQ(r.Flags + r.CopiedNodes + r.StateRegions, 0) << seed;
        }
        if (family == ChartFamily::Irreducible) {
          EXPECT_GT(r.CopiedNodes + r.StateRegions, 0) << seed;
        }
      }
    }
  }
}

// With node splitting off, every irreducible region becomes a loop over the
// state variable, and the graph is reducible afterwards.
TEST(StructureTest, StateVariableWhenSplittingIsOff) {
  for (uint32_t seed = 1; seed < 60; ++seed) {
    Program p(GenerateChart(ChartFamily::Irreducible, seed));
    ASSERT_TRUE(p.ok);
    codegen::FlowGraph g = codegen::BuildFlowGraph(p.c);
    codegen::SplitBudget budget;
    budget.AllowSplitting = false;
    ASSERT_TRUE(codegen::MakeReducible(g, budget));
    EXPECT_TRUE(codegen::IsReducible(g, codegen::AnalyseGraph(g)));
    EXPECT_EQ(g.CopiedNodes, 0);
    EXPECT_GT(g.StateRegions, 0);
  }
}

// Junction nodes vanish, blocks no path reaches are reported, the start
// block's successor is the entry whatever order the blocks are drawn in.
TEST(StructureTest, GraphOfADiagram) {
  Program p("node 3 -1 \nend -1 -1 \nproc 1 -1 write 9\nproc 0 -1 write 1\nstart 3 -1 \n");
  ASSERT_TRUE(p.ok);
  const codegen::FlowGraph g = codegen::BuildFlowGraph(p.c);
  ASSERT_EQ(g.Nodes.size(), 1u);  // only block 3: the junction and the start fold away
  EXPECT_EQ(g.Nodes[0].Block, 3);
  EXPECT_EQ(g.Entry, 0);
  EXPECT_EQ(g.Nodes[0].Next, 0);  // 3 -> junction -> 3: a loop
  EXPECT_EQ(g.UnreachableBlocks, std::vector<int32_t>{2});
}

}  // namespace
}  // namespace tessaro::test
