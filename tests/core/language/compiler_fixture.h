// A compiler object with a small program for the variable-store tests: three
// instructions of blocks 10, 11 and 12, the second one current, and every
// event recorded.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/i18n/language.h"
#include "core/language/compiler.h"
#include "core/language/message_format.h"
#include "core/language/variables.h"

namespace tessaro::test {

class CompilerFixture : public ::testing::Test {
 protected:
  CompilerFixture() {
    for (int32_t block : {10, 11, 12}) {
      compiler.Instructions.emplace_back();
      compiler.Instructions.back().BlockIndex = block;
    }
    compiler.Current = 1;
    compiler.OnStateChange = [this](TKompilatorTS&, uint8_t code) { states.push_back(code); };
    compiler.OnVariableChange = [this](TKompilatorTS&, int32_t v) { variable_changes.push_back(v); };
    compiler.OnStep = [this](TKompilatorTS&, uint8_t code) { steps.push_back(code); };
  }

  int32_t Variable(const std::string& name) { return ResolveVariable(compiler, name, 0); }

  std::string Render(int32_t variable) const { return RenderVariable(compiler, variable); }

  // The cell at `path` if it exists, without growing anything.
  const TInstancjaZmiennej* Existing(int32_t variable, std::initializer_list<int32_t> path) const {
    const TInstancjaZmiennej* cell = &compiler.Variables[static_cast<size_t>(variable)].Root;
    for (int32_t k : path) {
      if (cell->ChildCount() < k) return nullptr;
      cell = &cell->Child(k - 1);
    }
    return cell;
  }

  std::vector<std::string> ErrorTexts() const {
    std::vector<std::string> texts;
    for (const TBlad& e : compiler.Errors) texts.push_back(e.Text);
    return texts;
  }

  // `text` is the one error, recorded for the current instruction, and the
  // run has stopped.
  void ExpectRunTimeError(const std::string& text) const {
    ASSERT_EQ(compiler.Errors.size(), 1u);
    EXPECT_EQ(compiler.Errors[0].Text, text);
    EXPECT_EQ(compiler.Errors[0].Instruction, 1);
    EXPECT_EQ(compiler.Errors[0].Block, 11);
    EXPECT_EQ(compiler.Current, kNoInstruction);
    EXPECT_EQ(compiler.Instructions[1].StepIndex, kNoInstruction);
  }

  TKompilatorTS compiler;
  std::vector<uint8_t> states;
  std::vector<int32_t> variable_changes;
  std::vector<uint8_t> steps;
};

inline std::string Message(const char* id) { return LangText(id); }
inline std::string Message(const char* id, std::initializer_list<std::string_view> args) {
  return FormatText(LangText(id), args);
}

}  // namespace tessaro::test
