#include "core/services/failure_report.h"

#include <cxxabi.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>
#include <typeinfo>

namespace tessaro {

namespace {

// C++ keeps no run-time record of a class's bases, so the parent is known for
// the standard exception types only.
struct ParentEntry {
  const std::type_info& type;
  const char* parent;
};

const ParentEntry kParents[] = {
    {typeid(std::bad_alloc), "std::exception"},
    {typeid(std::bad_array_new_length), "std::bad_alloc"},
    {typeid(std::bad_cast), "std::exception"},
    {typeid(std::bad_typeid), "std::exception"},
    {typeid(std::bad_function_call), "std::exception"},
    {typeid(std::logic_error), "std::exception"},
    {typeid(std::runtime_error), "std::exception"},
    {typeid(std::invalid_argument), "std::logic_error"},
    {typeid(std::domain_error), "std::logic_error"},
    {typeid(std::length_error), "std::logic_error"},
    {typeid(std::out_of_range), "std::logic_error"},
    {typeid(std::range_error), "std::runtime_error"},
    {typeid(std::overflow_error), "std::runtime_error"},
    {typeid(std::underflow_error), "std::runtime_error"},
    {typeid(std::system_error), "std::runtime_error"},
};

const char* KindLabel(int32_t kind) {
  switch (kind) {
    case 0: return nullptr;
    case Start: return "Blok=\"Start\"";
    case Koniec: return "Blok=\"Koniec\"";
    case Przetwarzanie: return "Blok=\"Przetwarzanie\"";
    case Warunek: return "Blok=\"Warunek\"";
    case Wezel: return "Blok=\"Wezel\"";
    case WeWY: return "Blok=\"WeWY\"";
    case Notatka: return "Blok=\"Notatka\"";
    default: return "Blok=\"Nieznany\"";
  }
}

}  // namespace

std::string TypeName(const std::type_info& info) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(info.name(), nullptr, nullptr, &status),
                                              std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(info.name());
}

TFailure DescribeException(std::exception_ptr error) {
  TFailure failure;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    failure.Message = e.what();
    const std::type_info& type = typeid(e);
    failure.ClassName = TypeName(type);
    failure.ParentClassName = "std::exception";
    if (type == typeid(std::exception)) failure.ParentClassName.clear();
    for (const ParentEntry& p : kParents)
      if (p.type == type) failure.ParentClassName = p.parent;
  } catch (...) {
    failure.Message = "Unknown exception";
    if (const std::type_info* type = abi::__cxa_current_exception_type()) failure.ClassName = TypeName(*type);
  }
  return failure;
}

bool IsOutOfMemory(const TFailure& failure) {
  return failure.ClassName == "std::bad_alloc" || failure.ClassName == "std::bad_array_new_length";
}

std::string ReportHead(const TFailure& failure, const std::string& raised_by_text) {
  return failure.Message + " ClassName:" + failure.ClassName + " ClassParentName:" + failure.ParentClassName +
         raised_by_text + failure.SenderClassName + "   MouseX=" + std::to_string(failure.MouseX) +
         "  MouseY=" + std::to_string(failure.MouseY) + "  ";
}

std::string BlockDump(const std::vector<Tobj>& bloki) {
  std::string dump = "\rKOMPILACJA ";
  for (const Tobj& o : bloki) {
    dump += '\r';
    if (const char* label = KindLabel(o.Blok)) dump += label;
    dump += "\rKod=\"" + o.Kod + "\"\r";
    dump += "Link1=\"" + std::to_string(o.Link1) + "\"\r";
    if (o.Blok == Warunek) {
      dump += "Link2=\"" + std::to_string(o.Link2) + "\"\r";
      dump += "NieTak=\"" + std::to_string(o.NieTak) + "\"\r";
    }
  }
  return dump;
}

std::string FailureReport(const TFailure& failure, const std::string& raised_by_text,
                          const std::vector<Tobj>* dump_of) {
  std::string report = ReportHead(failure, raised_by_text);
  if (dump_of) {
    try {
      report += BlockDump(*dump_of);
    } catch (...) {
      // The report goes out without the dump.
    }
  }
  return report;
}

}  // namespace tessaro
