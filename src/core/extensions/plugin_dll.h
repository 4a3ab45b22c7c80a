// The program's side of the extension interface: one wrapper per export.
//
// Every wrapper takes the library's module handle first and looks its export
// up by name at each call, so a missing export (or a library that never
// loaded, handle 0) makes queries return "" and notifications do nothing.
// Texts are Windows-1250.
//
// Values of the block language cross the interface through the run time's
// core/runtime/plugin_value.h, which builds on the text-level calls here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/extensions/plugin_library.h"
#include "tessaro_extension.h"

namespace tessaro {

enum class PluginExport {
  PobierzNazwe,
  PobierzOpis,
  UstawUchwytAplikacji,
  UstawUchwytOknaGlownego,
  InicjujRozszerzenie,
  ZakonczRozszerzenie,
  PobierzPierwszaFunkcje,
  PobierzNastepnaFunkcje,
  PobierzOpisFunkcji,
  KompilujAlgorytm,
  ZakonczAlgorytm,
  WyczyscParametryFunkcji,
  DodajParametrFunkcji,
  WykonajFunkcje,
  PobierzTypRezultatu,
  PobierzOpisBledu,
};

struct TPluginExportInfo {
  PluginExport id;
  const char* name;
  size_t buffer_size;  // of the text the export writes; 0 when it writes none
};

// The sixteen exports, in the order of PluginExport.
inline constexpr TPluginExportInfo kPluginExports[] = {
    {PluginExport::PobierzNazwe, "PobierzNazwe", TS_NAME_SIZE},
    {PluginExport::PobierzOpis, "PobierzOpis", TS_DESCRIPTION_SIZE},
    {PluginExport::UstawUchwytAplikacji, "UstawUchwytAplikacji", 0},
    {PluginExport::UstawUchwytOknaGlownego, "UstawUchwytOknaGlownego", 0},
    {PluginExport::InicjujRozszerzenie, "InicjujRozszerzenie", 0},
    {PluginExport::ZakonczRozszerzenie, "ZakonczRozszerzenie", 0},
    {PluginExport::PobierzPierwszaFunkcje, "PobierzPierwszaFunkcje", TS_FUNCTION_NAME_SIZE},
    {PluginExport::PobierzNastepnaFunkcje, "PobierzNastepnaFunkcje", TS_FUNCTION_NAME_SIZE},
    {PluginExport::PobierzOpisFunkcji, "PobierzOpisFunkcji", TS_FUNCTION_DESCRIPTION_SIZE},
    {PluginExport::KompilujAlgorytm, "KompilujAlgorytm", 0},
    {PluginExport::ZakonczAlgorytm, "ZakonczAlgorytm", 0},
    {PluginExport::WyczyscParametryFunkcji, "WyczyscParametryFunkcji", 0},
    {PluginExport::DodajParametrFunkcji, "DodajParametrFunkcji", 0},
    {PluginExport::WykonajFunkcje, "WykonajFunkcje", TS_RESULT_SIZE},
    {PluginExport::PobierzTypRezultatu, "PobierzTypRezultatu", TS_RESULT_TYPE_SIZE},
    {PluginExport::PobierzOpisBledu, "PobierzOpisBledu", TS_ERROR_SIZE},
};

constexpr const TPluginExportInfo& ExportInfo(PluginExport id) {
  return kPluginExports[static_cast<size_t>(id)];
}

// Argument texts longer than this are cut before they are passed.
inline constexpr size_t kPluginArgumentMax = TS_ARGUMENT_MAX;

// A listing that has not ended after this many names is cut off: a library
// whose PobierzNastepnaFunkcje never answers "" must not hang the program.
inline constexpr int kMaxPluginFunctions = 1024;

// Texts of the library itself.
std::string PluginName(TModuleHandle module);
std::string PluginDescription(TModuleHandle module);

// Window handles are opaque pointer-sized integers; the command line passes 0.
void PluginSetApplicationHandle(TModuleHandle module, uintptr_t window);
void PluginSetMainWindowHandle(TModuleHandle module, uintptr_t window);

// Notifications; each is skipped when the export is missing.
void PluginInitialise(TModuleHandle module);
void PluginFinalise(TModuleHandle module);
void PluginCompileHook(TModuleHandle module);
void PluginEndHook(TModuleHandle module);
void PluginClearArguments(TModuleHandle module);

// The function listing, one export each. Callers that walk a whole listing
// use ForEachPluginFunction or PluginFunctions instead.
std::string PluginFirstFunction(TModuleHandle module);
std::string PluginNextFunction(TModuleHandle module);
std::string PluginFunctionDescription(TModuleHandle module);

// Walks the listing: first name, then `visit(name)` for each non-empty name,
// then the next name. `visit` returns false to abandon the listing (the
// compiler stops at the name it looks for). Returns whether it was abandoned.
// A consumer that shows descriptions calls PluginFunctionDescription inside
// `visit`, while the library's cursor is on that name.
bool ForEachPluginFunction(TModuleHandle module,
                           const std::function<bool(const std::string& name)>& visit);

struct TPluginFunction {
  std::string name;
  std::string description;
};

// Every function with its description, in the library's order.
std::vector<TPluginFunction> PluginFunctions(TModuleHandle module);

// Appends one argument as text with its type name; the text is cut to
// kPluginArgumentMax characters.
void PluginAddArgumentText(TModuleHandle module, const std::string& text, const std::string& type);

// The raw reply of one WykonajFunkcje, before the result is read by its type.
struct TPluginReply {
  bool executed = false;  // false: one of the three exports is missing
  std::string result;
  std::string type;
  std::string error;
};

// Runs `function` with the arguments appended since the last clear, then asks
// the result type and the error text. Nothing is called unless WykonajFunkcje,
// PobierzTypRezultatu and PobierzOpisBledu are all present.
TPluginReply PluginExecuteText(TModuleHandle module, const std::string& function);

}  // namespace tessaro
