// The printers of the export, one per language, all over the intermediate tree.
#pragma once

#include "core/codegen/code_export.h"
#include "core/codegen/code_tree.h"
#include "core/codegen/type_inference.h"

namespace tessaro {
class TKompilatorTS;
struct TwrTree;
}

namespace tessaro::codegen {

struct PrintJob {
  const TKompilatorTS& Program;
  const CodeTree& Tree;
  const ExportOptions& Options;
  const TypeInfo& Types;
};

// Each fills Text, Lines, Warnings and PrintedBlocks of `result`.
void PrintPython(const PrintJob& job, ExportResult& result);
void PrintCpp(const PrintJob& job, ExportResult& result);
void PrintJava(const PrintJob& job, ExportResult& result);
void PrintPascal(const PrintJob& job, ExportResult& result);

// What a printer cannot express: the instruction becomes a marked comment
// and the export a warning naming its block.
struct Unsupported {
  std::string Reason;
};

// The items of a list node («a, b, c» groups to the left) in written order.
void ListItems(const TwrTree* node, std::vector<const TwrTree*>& out);

// The items of a read, write or dim statement in written order.
std::vector<const TwrTree*> StatementItems(const TwrTree* root);

}  // namespace tessaro::codegen
