#include "core/language/fault.h"

#include "core/i18n/language.h"

namespace tessaro {

namespace {

struct FaultText {
  FaultKind kind;
  const char* message_id;
  const char* suffix;
};

constexpr FaultText kFaultTexts[] = {
    {FaultKind::RealDivisionByZero, "msgcmp000047", " "},
    {FaultKind::IntegerDivisionByZero, "msgcmp000047", ""},
    {FaultKind::TypeMismatch, "msgcmp000048", ""},
    {FaultKind::InvalidNumber, "msgcmp000049", ""},
    {FaultKind::IntegerOverflow, "msgcmp000050", ""},
    {FaultKind::OutOfRange, "msgcmp000051", ""},
    {FaultKind::InvalidFloat, "msgcmp000052", ""},
    {FaultKind::MemoryBudget, "msgcmp000053", ""},
    {FaultKind::Other, "msgcmp000053", ""},
};

}  // namespace

std::string FaultMessage(FaultKind kind) {
  for (const FaultText& t : kFaultTexts) {
    if (t.kind == kind) return LangText(t.message_id) + t.suffix;
  }
  return LangText("msgcmp000053");
}

std::string FaultMessage(const RuntimeFault& fault) {
  return fault.HasOwnText() ? std::string(fault.what()) : FaultMessage(fault.Kind());
}

}  // namespace tessaro
