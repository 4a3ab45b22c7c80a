// Run-time faults: the failures a step of a pupil's program can raise.
//
// Value operations throw a RuntimeFault; the fault guard around each step
// catches it (and any other exception) and turns it into one error entry. This
// is the one place where the run time uses C++ exceptions on purpose.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tessaro {

// In the order the guard tests them.
enum class FaultKind : uint8_t {
  RealDivisionByZero,
  IntegerDivisionByZero,
  TypeMismatch,     // a value that cannot be converted to the kind needed
  InvalidNumber,    // a text that is not a valid number where a number is read
  IntegerOverflow,
  OutOfRange,
  InvalidFloat,     // e.g. the square root of a negative number
  MemoryBudget,     // a value would exceed the program's memory budget; the text says which
  Other,
};

class RuntimeFault : public std::runtime_error {
 public:
  explicit RuntimeFault(FaultKind kind) : std::runtime_error("run-time fault"), kind_(kind) {}
  // A fault with its own message text (Windows-1250), already looked up.
  RuntimeFault(FaultKind kind, const std::string& text) : std::runtime_error(text), kind_(kind), own_text_(true) {}
  bool HasOwnText() const { return own_text_; }
  FaultKind Kind() const { return kind_; }

 private:
  FaultKind kind_;
  bool own_text_ = false;
};

[[noreturn]] inline void Fault(FaultKind kind) { throw RuntimeFault(kind); }

// The error text of a fault: its message looked up, with the suffix it takes.
std::string FaultMessage(FaultKind kind);
// The error text of `fault`: its own text when it has one.
std::string FaultMessage(const RuntimeFault& fault);

}  // namespace tessaro
