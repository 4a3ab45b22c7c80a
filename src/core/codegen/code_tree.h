// The intermediate tree of an exported program, shared by every printer.
//
// It is structured already: sequences, if/else, loops with their form,
// break and continue of the innermost loop, and return. Exits that cross
// more than one construct have been lowered into flag variables, so a
// printer only maps each node to its language. A while loop that runs a
// counter becomes a for loop when the pattern is certain.
#pragma once

#include <cstdint>
#include <vector>

namespace tessaro::codegen {

enum class ConditionKind : uint8_t {
  Instruction,  // the condition instruction of a block
  State,        // state = Value
  Flags,        // any of Flags set
};

struct Condition {
  ConditionKind Kind = ConditionKind::Instruction;
  int32_t Instruction = -1;
  int32_t Value = 0;
  std::vector<int32_t> Flags;
  bool Negated = false;

  Condition Inverted() const {
    Condition c = *this;
    c.Negated = !c.Negated;
    return c;
  }
};

enum class StmtKind : uint8_t {
  Instruction,  // one instruction of a block
  SetState,     // state := Value
  SetFlag,      // flag Value := FlagValue
  If,           // Cond: Body, else Otherwise
  Loop,         // Form with Cond: Body
  Break,        // leaves the innermost loop
  Continue,     // next round of the innermost loop
  Return,       // the program ends
};

enum class LoopForm : uint8_t {
  Forever,  // while true
  While,    // tests Cond before each round
  DoWhile,  // tests Cond after each round
  For,      // Init once, then While with Step after each round of Body
};

struct Stmt {
  StmtKind Kind = StmtKind::Instruction;
  int32_t Instruction = -1;
  int32_t Block = -1;  // block of the instruction or condition; -1 for generated code
  int32_t Value = 0;
  bool FlagValue = false;
  Condition Cond;
  LoopForm Form = LoopForm::Forever;
  std::vector<Stmt> Body;
  std::vector<Stmt> Otherwise;
  // A for loop's counter (variable index), the instructions that start and
  // step it (the step is no longer in Body), and the step's constant.
  int32_t Counter = -1;
  int32_t Init = -1;
  int32_t Step = -1;
  int32_t StepBy = 0;
  // The counter is read somewhere outside the loop, so its value after the
  // loop counts.
  bool CounterReadOutside = true;
};

struct CodeTree {
  std::vector<Stmt> Body;
  int32_t FlagCount = 0;     // flags are numbered 0..FlagCount-1
  bool UsesState = false;
  int32_t CopiedNodes = 0;
  int32_t StateRegions = 0;
  std::vector<int32_t> UnreachableBlocks;
};

}  // namespace tessaro::codegen
