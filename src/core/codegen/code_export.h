// Exporting a compiled flowchart as a program in another language.
//
// The flowchart's graph is made reducible, structured into the shared
// intermediate tree and printed by the printer of the chosen language. The
// exported program behaves as the interpreter does: it reads its answers
// one per line from standard input and writes what `write` shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/codegen/code_tree.h"
#include "core/codegen/reducible.h"

namespace tessaro {
class TKompilatorTS;
}

namespace tessaro::codegen {

enum class TargetLanguage : uint8_t { Python, Cpp, Java, Pascal };

// "python", "cpp", "java", "pascal"; false for any other text.
bool ParseTargetLanguage(std::string_view text, TargetLanguage& out);
// The file extension of a language, without the dot.
std::string_view TargetExtension(TargetLanguage language);

struct ExportOptions {
  TargetLanguage Language = TargetLanguage::Python;
  // The program's name: Java's public class, Pascal's program name.
  std::string ProgramName = "Main";
  // A line of the header comment naming where the program came from.
  std::string Title;
  // A trailing comment with the block's number on every line of a block.
  bool BlockNumbers = false;
  SplitBudget Budget;
};

// Where a printed line came from; -1 for generated lines.
struct LineOrigin {
  int32_t Block = -1;
  int32_t Instruction = -1;
};

// A further origin of a line that holds more than one instruction: a for
// loop's header holds its counter's start and step beside its test.
struct SharedLine {
  int32_t Line = 0;  // index into Lines
  LineOrigin Origin;
};

struct ExportResult {
  bool Ok = false;
  std::string Error;                  // why nothing was exported
  std::string Text;                   // Windows-1250, lines ended by "\n"
  std::vector<LineOrigin> Lines;      // one per line of Text
  std::vector<SharedLine> MoreOrigins;  // in line order
  std::vector<std::string> Warnings;  // what could not be expressed, by block
  int32_t Flags = 0;                  // flag variables of multi-level exits
  int32_t CopiedNodes = 0;            // blocks printed twice by node splitting
  int32_t StateRegions = 0;           // regions run as a loop over a state variable
  std::vector<int32_t> UnreachableBlocks;
  std::vector<int32_t> PrintedBlocks;  // blocks with at least one printed line
};

// `program` must have compiled without errors.
ExportResult ExportProgram(const TKompilatorTS& program, const ExportOptions& options);

// The structured tree alone, for tests and the benchmark.
bool BuildCodeTree(const TKompilatorTS& program, const SplitBudget& budget, CodeTree& tree, std::string& error);

}  // namespace tessaro::codegen
