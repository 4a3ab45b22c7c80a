// Block-language values across the extension interface: how an argument is
// written for DodajParametrFunkcji and how a result is read back.
//
// The run time's calls of extension functions use these; the extension tests
// call them directly.
#pragma once

#include <optional>
#include <string>

#include "core/extensions/plugin_dll.h"
#include "core/extensions/plugin_text.h"
#include "core/language/value.h"

namespace tessaro {

// Shown, through the run-time error path, when a result does not fit its type.
inline constexpr const char kBadResultType[] = "B\xB3\xEA" "dny typ rezultatu!";

struct TPluginArgument {
  std::string text;
  std::string type;
};

// The text and type name of a non-empty value.
inline TPluginArgument EncodeArgument(const TValue& value) {
  switch (value.Kind()) {
    case ValueKind::Real: return {FormatArgumentReal(value.AsReal()), TS_TYPE_REAL};
    case ValueKind::Boolean: return {value.AsBoolean() ? "-1" : "0", TS_TYPE_BOOLEAN};
    case ValueKind::Integer: return {std::to_string(value.AsInteger()), TS_TYPE_INTEGER};
    case ValueKind::String: return {value.AsString().substr(0, kPluginArgumentMax), TS_TYPE_STRING};
    case ValueKind::Empty: break;
  }
  return {};
}

// Appends one argument. An Empty value is not passed at all, so the
// extension sees one argument fewer.
inline void PluginAddArgument(TModuleHandle module, const TValue& value) {
  if (value.IsEmpty()) return;
  TPluginArgument argument = EncodeArgument(value);
  PluginAddArgumentText(module, argument.text, argument.type);
}

// Reads a result text by its type name, compared exactly; an unknown or
// empty type name gives the text as a string. Nothing when it does not fit.
inline std::optional<TValue> ConvertResult(const std::string& text, const std::string& type) {
  if (type == TS_TYPE_INTEGER) {
    if (auto v = ParseResultInteger(text)) return TValue::Integer(*v);
    return std::nullopt;
  }
  if (type == TS_TYPE_REAL) {
    if (auto v = ParseResultReal(text)) return TValue::Real(*v);
    return std::nullopt;
  }
  if (type == TS_TYPE_BOOLEAN) {
    if (auto v = ParseResultBoolean(text)) return TValue::Boolean(*v);
    return std::nullopt;
  }
  return TValue::String(text);
}

struct TPluginResult {
  bool executed = false;  // false: the library lacks one of the three exports
  TValue value;           // Empty when not executed
  std::string error;      // non-empty: a run-time error to report as it stands
};

// Executes `function` (spelled as the extension listed it) with the arguments
// added since the last PluginClearArguments.
inline TPluginResult PluginExecute(TModuleHandle module, const std::string& function) {
  TPluginReply reply = PluginExecuteText(module, function);
  TPluginResult result;
  if (!reply.executed) return result;
  result.executed = true;
  result.error = reply.error;
  if (std::optional<TValue> value = ConvertResult(reply.result, reply.type)) {
    result.value = *value;
  } else {
    result.error = kBadResultType;
    result.value = TValue::String("");
  }
  return result;
}

// One whole call as the run time makes it: clear, one argument per value in
// order (Empty ones skipped), execute.
template <typename Values>
TPluginResult CallPluginFunction(TModuleHandle module, const std::string& function,
                                 const Values& arguments) {
  PluginClearArguments(module);
  for (const TValue& argument : arguments) PluginAddArgument(module, argument);
  return PluginExecute(module, function);
}

}  // namespace tessaro
