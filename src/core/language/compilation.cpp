// Compile and Clear: turning the diagram into the instruction list, and
// discarding it again.
#include <algorithm>

#include "core/extensions/plugin_dll.h"
#include "core/i18n/language.h"
#include "core/language/compiler.h"
#include "core/language/statement_cutting.h"
#include "core/language/statement_parser.h"

namespace tessaro {

// Defined in linking.cpp: links every block's exit; false (with the error
// recorded) when a block yields no instruction.
bool LinkBlocks(TKompilatorTS& compiler, const std::vector<Tobj>& bloki, int32_t block_count);
// Defined in resolution.cpp.
void BindFunctions(TKompilatorTS& compiler);

namespace {

void CopyEnabledExtensions(TKompilatorTS& compiler, const std::vector<TPlugInEntry>& table,
                           int32_t highest) {
  compiler.Extensions.clear();
  const int32_t last = std::min<int32_t>(highest, static_cast<int32_t>(table.size()) - 1);
  for (int32_t k = 0; k <= last; ++k) {
    if (!table[static_cast<size_t>(k)].Enabled) continue;
    compiler.Extensions.push_back(table[static_cast<size_t>(k)]);
    compiler.Extensions.back().UsedByAlgorithm = 0;
  }
}

void CreateInstruction(TKompilatorTS& compiler, const TInstructionPiece& piece, int32_t kind,
                       int32_t block) {
  const int32_t index = static_cast<int32_t>(compiler.Instructions.size());
  Trozkaz& ins = compiler.Instructions.emplace_back();
  ins.Text = piece.Text;
  ins.Kind = kind;
  ins.BlockIndex = block;
  ins.Line = piece.Line;
  ins.Column = piece.Column;
  ins.Length = piece.Length;
  ins.Next = ins.NextTrue = index + 1;
  ins.Owner = &compiler;
  if (!TKompilatorTS::CheckParentheses(piece.Text)) {
    compiler.AddError(LangText("msgcmp000004"), index);
    return;
  }
  TParsedStatement parsed = ClassifyInstruction(piece.Text);
  ins.Tree.reset(parsed.Tree);
  ins.Steps = std::move(parsed.Steps);
  ins.StepIndex = 0;
  // The nodes after a parse error compute nothing; run, the instruction
  // would quietly yield an empty value.
  if (parsed.Error.Flag) compiler.AddError(ParseErrorText(parsed.Error), index);
}

void CompileBlock(TKompilatorTS& compiler, const Tobj& block, int32_t index) {
  compiler.LastBreakBlock = -1;
  compiler.LastBreakLine = -1;
  if (block.Blok == Warunek) {
    CreateInstruction(compiler, CutCondition(block.Kod), block.Blok, index);
    return;
  }
  for (const TInstructionPiece& piece : CutStatements(block.Kod)) {
    CreateInstruction(compiler, piece, block.Blok, index);
  }
}

// Only the first failing check of the start and end blocks is reported.
bool CheckStartAndEnd(TKompilatorTS& compiler, const std::vector<Tobj>& bloki, int32_t count,
                      int32_t& start) {
  int32_t starts = 0, ends = 0;
  for (int32_t j = 0; j < count; ++j) {
    const int32_t kind = bloki[static_cast<size_t>(j)].Blok;
    if (kind == Start) {
      ++starts;
      start = j;
    } else if (kind == Koniec) {
      ++ends;
    }
  }
  const char* error = starts == 0 ? "msgcmp000023" : starts > 1 ? "msgcmp000024"
                      : ends == 0 ? "msgcmp000025" : nullptr;
  if (error) compiler.AddError(LangText(error), -1);
  return error == nullptr;
}

void RunCompileHooks(TKompilatorTS& compiler) {
  for (const TPlugInEntry& e : compiler.Extensions) {
    if (e.UsedByAlgorithm) PluginCompileHook(e.Module);
  }
}

}  // namespace

TKompilatorTS::~TKompilatorTS() {
  // The extensions that the last program used learn that it is gone; the
  // events are not fired any more, their receivers may be gone already.
  for (const TPlugInEntry& e : Extensions) {
    if (e.UsedByAlgorithm) PluginEndHook(e.Module);
  }
}

bool TKompilatorTS::Compile(const std::vector<Tobj>& bloki, int32_t highest_block,
                            int32_t highest_extension, const std::vector<TPlugInEntry>& extensions,
                            TBreakPointArray& breakpoints) {
  CopyEnabledExtensions(*this, extensions, highest_extension);
  Breakpoints = &breakpoints;
  BreakpointSource = nullptr;
  for (TBreakPoint& b : breakpoints) b.Hits = 0;
  SelectedError = SelectedWarning = SelectedInstruction = -1;
  MarkActive = 0;
  ClearVariables(*this);
  ClearInstructions();
  ClearErrors();
  ClearWarnings();

  const int32_t count = std::clamp<int32_t>(highest_block + 1, 0, static_cast<int32_t>(bloki.size()));
  int32_t start = -1;
  if (!CheckStartAndEnd(*this, bloki, count, start)) return false;

  // The start block first, so that its first instruction is instruction 0.
  CompileBlock(*this, bloki[static_cast<size_t>(start)], start);
  for (int32_t j = 0; j < count; ++j) {
    const Tobj& block = bloki[static_cast<size_t>(j)];
    if (j != start && block.Blok != Notatka) CompileBlock(*this, block, j);
  }
  if (!LinkBlocks(*this, bloki, count)) return false;

  Resolve();
  BindFunctions(*this);
  Current = 0;
  const bool ok = Errors.empty();
  RunCompileHooks(*this);
  return ok;
}

void TKompilatorTS::ClearInstructions() {
  ++ProgramGeneration;  // also tells the run's history that it describes a program gone
  if (ExecutionDepth > 0) {
    RetiredInstructions.push_back(std::move(Instructions));
  } else {
    RetiredInstructions.clear();
  }
  Instructions.clear();
}

void TKompilatorTS::Clear() {
  for (const TPlugInEntry& e : Extensions) {
    if (e.UsedByAlgorithm) PluginEndHook(e.Module);
  }
  ClearVariables(*this);
  ClearInstructions();
  ClearErrors();
  ClearWarnings();
  SelectedError = SelectedWarning = SelectedInstruction = -1;
  MarkActive = 0;
  Extensions.clear();
  Breakpoints = nullptr;
  BreakpointSource = nullptr;
  FireStateChange(kStateCleared);
}

}  // namespace tessaro
