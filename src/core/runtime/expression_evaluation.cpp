// Evaluating a free expression: a breakpoint condition, a console line, an
// expression of the command line.
#include <exception>

#include "core/i18n/language.h"
#include "core/language/compiler.h"
#include "core/language/statement_parser.h"

namespace tessaro {

void ResolveTree(TKompilatorTS& compiler, TwrTree* root);
void BindTreeFunctions(TKompilatorTS& compiler, TwrTree* root, int32_t position);

namespace {

// Evaluation mode for the lifetime of the object; on every way out it hands
// the collected errors over and puts the flags back.
class EvaluationMode {
 public:
  EvaluationMode(TKompilatorTS& c, bool allow_new_variables, std::string& errors)
      : c_(c), errors_(errors) {
    c_.AllowNewVariables = allow_new_variables ? 1 : 0;
    c_.EvalErrorText.clear();
    c_.EvalMode = 1;
  }
  ~EvaluationMode() {
    c_.AllowNewVariables = 1;
    errors_ = std::move(c_.EvalErrorText);
    c_.EvalErrorText.clear();
    c_.EvalMode = 0;
  }
  EvaluationMode(const EvaluationMode&) = delete;
  EvaluationMode& operator=(const EvaluationMode&) = delete;

 private:
  TKompilatorTS& c_;
  std::string& errors_;
};

}  // namespace

TEvaluation TKompilatorTS::EvaluateExpression(const std::string& text, bool allow_new_variables) {
  TEvaluation result;
  // A console line may assign: the history must know that the state changed
  // between two steps.
  if (!InBreakpointTest && ExecutionDepth == 0) NoteOutsideChange();
  Trozkaz temporary;
  temporary.Owner = this;
  temporary.Text = text;
  {
    EvaluationMode mode(*this, allow_new_variables, result.ErrorText);
    try {
      if (!CheckParentheses(text)) AddError(LangText("msgcmp000022"), Current);
      if (EvalErrorText.empty()) {
        TParsedStatement parsed = ClassifyInstruction(text);
        temporary.Tree.reset(parsed.Tree);
        temporary.Steps = std::move(parsed.Steps);
        result.ParseError = parsed.Error;
        if (parsed.Error.Flag) AddError(ParseErrorText(parsed.Error), Current);
      }
      if (EvalErrorText.empty()) {
        ResolvingIndex = Current;
        ResolveTree(*this, temporary.Tree.get());
        if (allow_new_variables) FireVariableChange(-1);
        BindTreeFunctions(*this, temporary.Tree.get(), Current);
        ExecuteInstruction(temporary);
      }
      result.Value = EvalErrorText.empty()
                         ? FetchOperand(temporary, temporary.Tree.get(), nullptr)
                         : TValue::String(LangText("msgcmp000001") + "!");
    } catch (const std::exception&) {
      AddError(LangText("msgcmp000053"), Current);
      result.Value = TValue::String(LangText("msgcmp000001") + "!");
    }
  }
  return result;
}

}  // namespace tessaro
