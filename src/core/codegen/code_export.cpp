#include "core/codegen/code_export.h"

#include <algorithm>

#include "core/codegen/flow_graph.h"
#include "core/codegen/for_loops.h"
#include "core/codegen/printer.h"
#include "core/codegen/structuring.h"
#include "core/language/compiler.h"

namespace tessaro::codegen {

namespace {

struct LanguageName {
  std::string_view name;
  std::string_view extension;
  TargetLanguage language;
};

constexpr LanguageName kLanguages[] = {
    {"python", "py", TargetLanguage::Python},
    {"cpp", "cpp", TargetLanguage::Cpp},
    {"java", "java", TargetLanguage::Java},
    {"pascal", "pas", TargetLanguage::Pascal},
};

}  // namespace

bool ParseTargetLanguage(std::string_view text, TargetLanguage& out) {
  for (const LanguageName& l : kLanguages) {
    if (l.name == text) {
      out = l.language;
      return true;
    }
  }
  return false;
}

std::string_view TargetExtension(TargetLanguage language) {
  for (const LanguageName& l : kLanguages) {
    if (l.language == language) return l.extension;
  }
  return "";
}

bool BuildCodeTree(const TKompilatorTS& program, const SplitBudget& budget, CodeTree& tree, std::string& error) {
  if (program.HasErrors() || program.Instructions.empty()) {
    error = "the flowchart does not compile";
    return false;
  }
  FlowGraph graph = BuildFlowGraph(program);
  if (!MakeReducible(graph, budget)) {
    error = "the flowchart's loops could not be given one entry each";
    return false;
  }
  tree = StructureGraph(graph, program);
  RecogniseForLoops(program, tree);
  return true;
}

ExportResult ExportProgram(const TKompilatorTS& program, const ExportOptions& options) {
  ExportResult result;
  CodeTree tree;
  if (!BuildCodeTree(program, options.Budget, tree, result.Error)) return result;
  result.Flags = tree.FlagCount;
  result.CopiedNodes = tree.CopiedNodes;
  result.StateRegions = tree.StateRegions;
  result.UnreachableBlocks = tree.UnreachableBlocks;
  const TypeInfo types = InferTypes(program, tree);
  const PrintJob job{program, tree, options, types};
  switch (options.Language) {
    case TargetLanguage::Python: PrintPython(job, result); break;
    case TargetLanguage::Cpp: PrintCpp(job, result); break;
    case TargetLanguage::Java: PrintJava(job, result); break;
    case TargetLanguage::Pascal: PrintPascal(job, result); break;
  }
  for (const LineOrigin& o : result.Lines) {
    if (o.Block >= 0) result.PrintedBlocks.push_back(o.Block);
  }
  for (const SharedLine& m : result.MoreOrigins) {
    if (m.Origin.Block >= 0) result.PrintedBlocks.push_back(m.Origin.Block);
  }
  std::sort(result.PrintedBlocks.begin(), result.PrintedBlocks.end());
  result.PrintedBlocks.erase(std::unique(result.PrintedBlocks.begin(), result.PrintedBlocks.end()),
                             result.PrintedBlocks.end());
  for (int32_t b : result.UnreachableBlocks) {
    result.Warnings.push_back("block " + std::to_string(b) + ": no path from the start block reaches it; not exported");
  }
  result.Ok = true;
  return result;
}

}  // namespace tessaro::codegen
