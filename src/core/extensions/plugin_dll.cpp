#include "core/extensions/plugin_dll.h"

#include <algorithm>

namespace tessaro {

namespace {

constexpr bool ExportTableFollowsEnum() {
  for (size_t i = 0; i < std::size(kPluginExports); ++i) {
    if (static_cast<size_t>(kPluginExports[i].id) != i) return false;
  }
  return std::size(kPluginExports) == 16;
}
static_assert(ExportTableFollowsEnum(), "kPluginExports must list the exports in enum order");

// The C signatures of the exports (see tessaro_extension.h).
using TextExport = void (*)(char*);
using HandleExport = void (*)(uintptr_t);
using PlainExport = void (*)();
using AddArgumentExport = void (*)(const char*, const char*);
using ExecuteExport = void (*)(const char*, char*);

template <typename Function>
Function Lookup(TModuleHandle module, PluginExport id) {
  return reinterpret_cast<Function>(FindExport(module, ExportInfo(id).name));
}

// A zeroed buffer of the export's size; after the call its last byte is
// zeroed again, so a reply without a terminator is cut, not overrun.
class ReplyBuffer {
 public:
  explicit ReplyBuffer(PluginExport id) : bytes_(ExportInfo(id).buffer_size, '\0') {}
  char* data() { return bytes_.data(); }
  std::string Text() {
    bytes_.back() = '\0';
    return std::string(bytes_.data());
  }

 private:
  std::string bytes_;
};

std::string CallText(TModuleHandle module, PluginExport id) {
  auto function = Lookup<TextExport>(module, id);
  if (!function) return {};
  ReplyBuffer reply(id);
  function(reply.data());
  return reply.Text();
}

void CallPlain(TModuleHandle module, PluginExport id) {
  if (auto function = Lookup<PlainExport>(module, id)) function();
}

void CallHandle(TModuleHandle module, PluginExport id, uintptr_t window) {
  if (auto function = Lookup<HandleExport>(module, id)) function(window);
}

}  // namespace

std::string PluginName(TModuleHandle module) { return CallText(module, PluginExport::PobierzNazwe); }

std::string PluginDescription(TModuleHandle module) {
  return CallText(module, PluginExport::PobierzOpis);
}

void PluginSetApplicationHandle(TModuleHandle module, uintptr_t window) {
  CallHandle(module, PluginExport::UstawUchwytAplikacji, window);
}

void PluginSetMainWindowHandle(TModuleHandle module, uintptr_t window) {
  CallHandle(module, PluginExport::UstawUchwytOknaGlownego, window);
}

void PluginInitialise(TModuleHandle module) { CallPlain(module, PluginExport::InicjujRozszerzenie); }
void PluginFinalise(TModuleHandle module) { CallPlain(module, PluginExport::ZakonczRozszerzenie); }
void PluginCompileHook(TModuleHandle module) { CallPlain(module, PluginExport::KompilujAlgorytm); }
void PluginEndHook(TModuleHandle module) { CallPlain(module, PluginExport::ZakonczAlgorytm); }

void PluginClearArguments(TModuleHandle module) {
  CallPlain(module, PluginExport::WyczyscParametryFunkcji);
}

std::string PluginFirstFunction(TModuleHandle module) {
  return CallText(module, PluginExport::PobierzPierwszaFunkcje);
}

std::string PluginNextFunction(TModuleHandle module) {
  return CallText(module, PluginExport::PobierzNastepnaFunkcje);
}

std::string PluginFunctionDescription(TModuleHandle module) {
  return CallText(module, PluginExport::PobierzOpisFunkcji);
}

bool ForEachPluginFunction(TModuleHandle module,
                           const std::function<bool(const std::string& name)>& visit) {
  std::string name = PluginFirstFunction(module);
  for (int count = 0; !name.empty() && count < kMaxPluginFunctions; ++count) {
    if (!visit(name)) return true;
    name = PluginNextFunction(module);
  }
  return false;
}

std::vector<TPluginFunction> PluginFunctions(TModuleHandle module) {
  std::vector<TPluginFunction> functions;
  ForEachPluginFunction(module, [&](const std::string& name) {
    functions.push_back({name, PluginFunctionDescription(module)});
    return true;
  });
  return functions;
}

void PluginAddArgumentText(TModuleHandle module, const std::string& text, const std::string& type) {
  auto function = Lookup<AddArgumentExport>(module, PluginExport::DodajParametrFunkcji);
  if (!function) return;
  std::string value = text.substr(0, kPluginArgumentMax);
  function(value.c_str(), type.c_str());
}

TPluginReply PluginExecuteText(TModuleHandle module, const std::string& function) {
  TPluginReply reply;
  auto execute = Lookup<ExecuteExport>(module, PluginExport::WykonajFunkcje);
  auto result_type = Lookup<TextExport>(module, PluginExport::PobierzTypRezultatu);
  auto error = Lookup<TextExport>(module, PluginExport::PobierzOpisBledu);
  if (!execute || !result_type || !error) return reply;

  ReplyBuffer result(PluginExport::WykonajFunkcje);
  execute(function.c_str(), result.data());
  reply.result = result.Text();
  ReplyBuffer type(PluginExport::PobierzTypRezultatu);
  result_type(type.data());
  reply.type = type.Text();
  ReplyBuffer message(PluginExport::PobierzOpisBledu);
  error(message.data());
  reply.error = message.Text();
  reply.executed = true;
  return reply;
}

}  // namespace tessaro
