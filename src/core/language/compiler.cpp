#include "core/language/compiler.h"

#include "core/i18n/language.h"

namespace tessaro {

namespace {

// Evaluation mode collects messages as lines "label: text" separated by CR.
void CollectEvalText(std::string& collected, const char* label_id, const std::string& text) {
  if (!collected.empty()) collected += '\r';
  collected += LangText(label_id) + ": " + text;
}

template <typename Entry>
void Record(std::vector<Entry>& list, const std::vector<Trozkaz>& instructions,
            const std::string& text, int32_t index) {
  if (index == -1) {
    list.push_back(Entry{text, -1, -1});
  } else if (index >= 0 && index < static_cast<int32_t>(instructions.size())) {
    list.push_back(Entry{text, index, instructions[static_cast<size_t>(index)].BlockIndex});
  }
}

}  // namespace

TKompilatorTS::TKompilatorTS() = default;

void TKompilatorTS::AddError(const std::string& text, int32_t index) {
  if (EvalMode) {
    CollectEvalText(EvalErrorText, "msgcmp000001", text);
  } else {
    Record(Errors, Instructions, text, index);
  }
}

void TKompilatorTS::AddWarning(const std::string& text, int32_t index) {
  if (EvalMode) {
    CollectEvalText(EvalErrorText, "msgcmp000002", text);
  } else {
    Record(Warnings, Instructions, text, index);
  }
}

void TKompilatorTS::AddRunTimeError(const std::string& text) {
  ++RunTimeErrorCount;
  AddError(text, Current);
  if (EvalMode && EvalKeepsRun) return;
  Stop();
}

void TKompilatorTS::Stop() {
  if (Running) {
    // The run loop fires the state when it ends.
    Running = 0;
    StopRequest = kStopRequested;
  } else {
    FireStateChange(kStateStopped);
  }
  // A handler may have discarded the program meanwhile: test Current again.
  if (Current >= 0 && Current < static_cast<int32_t>(Instructions.size())) {
    Instructions[static_cast<size_t>(Current)].StepIndex = kNoInstruction;
    Current = kNoInstruction;
  }
  if (!Errors.empty()) FireStateChange(kStateStoppedWithErrors);
  FireStep(2);
}

bool TKompilatorTS::CheckParentheses(std::string_view text) {
  int32_t open = 0;
  int32_t close = 0;
  for (char c : text) {
    if (c == '(') {
      ++open;
    } else if (c == ')') {
      if (++close > open) return false;
    }
  }
  return open == close;
}

void TKompilatorTS::FireStateChange(uint8_t code) {
  if (OnStateChange) OnStateChange(*this, code);
}



}  // namespace tessaro
