// The text of a failure report: what escaped a command, where the mouse was
// and, when a compiled program exists, every block of the diagram.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "core/document/model.h"

namespace tessaro {

// One failure as the report names it. Texts are core text.
struct TFailure {
  std::string Message;
  std::string ClassName;
  std::string ParentClassName;
  std::string SenderClassName;  // the object that was handling the event, "" when unknown
  int MouseX = 0;
  int MouseY = 0;
};

// Message and class names of the exception held by `error`; a thrown value
// that is not a std::exception gets the message "Unknown exception".
TFailure DescribeException(std::exception_ptr error);

// The demangled type name of `info`.
std::string TypeName(const std::type_info& info);

// Memory or system resources are exhausted: the program ends after a message.
bool IsOutOfMemory(const TFailure& failure);

// Pieces 1 to 5: message, class, parent class, the raising object's class
// (after `raised_by_text`, the translated "msgm00049"), the mouse position.
std::string ReportHead(const TFailure& failure, const std::string& raised_by_text);

// Piece 6: "\rKOMPILACJA " and three lines per element (five for a condition).
std::string BlockDump(const std::vector<Tobj>& bloki);

// The report: the head, and the dump when `with_dump`. A failure while the
// dump is built leaves the dump out.
std::string FailureReport(const TFailure& failure, const std::string& raised_by_text,
                          const std::vector<Tobj>* dump_of);

}  // namespace tessaro
