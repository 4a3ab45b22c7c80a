#include "core/extensions/plugin_table.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/extensions/plugin_dll.h"
#include "core/extensions/plugin_list_file.h"
#include "core/platform/file_io.h"
#include "core/i18n/cp1250.h"
#include "core/i18n/language.h"
#include "core/platform/dialogs.h"
#include "core/platform/program_paths.h"

namespace fs = std::filesystem;

namespace tessaro {

std::vector<TPlugInEntry> PlugIns;

namespace {

// The window handles given at start-up, passed again when an import reloads.
struct HostWindows {
  uintptr_t application = 0;
  uintptr_t main = 0;
};
HostWindows g_windows;

// A name that stays inside the extension folder: a list file may have been
// edited by hand, and a name with a folder in it must not load a library
// from elsewhere.
bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

// The folders searched for libraries, in order: the shipped extension
// folder, then the one imports go to when it is another folder.
std::vector<fs::path> LibraryFolders() {
  std::vector<fs::path> folders{fs::path(PlugInFolder())};
  fs::path imported(PlugInImportFolder());
  std::error_code ec;
  if (imported != folders[0] && !fs::equivalent(imported, folders[0], ec)) folders.push_back(imported);
  return folders;
}

// The library in the first folder that holds it.
fs::path LibraryPath(const std::string& file_name) {
  const std::vector<fs::path> folders = LibraryFolders();
  const std::string native = Cp1250ToUtf8(file_name);
  for (const fs::path& folder : folders) {
    std::error_code ec;
    if (fs::is_regular_file(folder / native, ec)) return folder / native;
  }
  return folders[0] / native;
}

// Exact, case-sensitive: "Foo.so" is not "foo.so".
bool LibraryExists(const std::string& file_name) {
  std::error_code ec;
  return IsPlainFileName(file_name) && fs::is_regular_file(LibraryPath(file_name), ec);
}

bool HasMask(const std::string& name) {
  const std::string suffix = kPlugInMask + 1;
  return name.size() >= suffix.size() &&
         name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void LoadLibraryOf(TPlugInEntry& entry) {
  entry.Module = 0;
  entry.LoadError.clear();
  if (!IsPlainFileName(entry.FileName)) {
    entry.LoadError = entry.FileName;
    return;
  }
  TModuleLoad load = LoadModule(LibraryPath(entry.FileName).string());
  entry.Module = load.handle;
  entry.LoadError = load.error;
}

void ReleaseLibraryOf(TPlugInEntry& entry) {
  FreeModule(entry.Module);
  entry.Module = 0;
}

// Empties the table. Libraries still held are released so that no handle
// is lost with its entry.
void DropTable() {
  for (TPlugInEntry& entry : PlugIns) ReleaseLibraryOf(entry);
  PlugIns.clear();
}

// Whether a native file name has a Windows-1250 form that fits a record.
bool IsRecordableName(const std::string& native) {
  bool lossy = false;
  std::string name = Utf8ToCp1250(native, &lossy);
  return !lossy && IsPlainFileName(name) && name.size() <= kRecordFileName.MaxLength();
}

// The library files of the extension folder that a list record can name,
// sorted.
std::vector<std::string> ListLibraryFiles() {
  std::vector<std::string> files;
  for (const fs::path& folder : LibraryFolders()) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      std::string native = it->path().filename().string();
      std::error_code type_error;
      if (!HasMask(native) || !fs::is_regular_file(it->path(), type_error)) continue;
      if (IsRecordableName(native)) files.push_back(Utf8ToCp1250(native));
    }
  }
  std::sort(files.begin(), files.end());
  files.erase(std::unique(files.begin(), files.end()), files.end());
  return files;
}

// Copies through a temporary name and a rename, so that choosing the file
// that is already in the folder, or a failing copy, never leaves a torn
// library behind.
bool CopyLibrary(const fs::path& source, const fs::path& target) {
  fs::path temporary = target;
  temporary += ".import";
  std::error_code ec;
  fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec);
  if (!ec) fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
  }
  return !ec;
}

}  // namespace

std::string PlugInFolder() { return ProgramFile("Rozszerzenia"); }
std::string PlugInImportFolder() { return UserFile("Rozszerzenia"); }
std::string PlugInListFile() { return UserFile("tsdllin.dat"); }

void LoadPlugIns(uintptr_t application_window, uintptr_t main_window) {
  g_windows = {application_window, main_window};
  DropTable();
  std::string list = PlugInListFile();
  std::error_code ec;
  if (!fs::exists(list, ec)) return;

  // Read the whole file first, so that a read error loads nothing.
  std::vector<TPlugInEntry> wanted;
  bool read = ReadPlugInRecords(list, [&](TPlugInEntry entry) {
    if (entry.Enabled == 0 || !LibraryExists(entry.FileName)) return;
    // A repeated record would load and initialise one library twice.
    for (const TPlugInEntry& earlier : wanted) {
      if (earlier.FileName == entry.FileName) return;
    }
    wanted.push_back(std::move(entry));
  });
  if (!read) {
    // Kept aside rather than deleted: it may be worth a look, and the next
    // save must not fail on it.
    SetAsideDamagedFile(list);
    return;
  }

  PlugIns = std::move(wanted);
  for (TPlugInEntry& entry : PlugIns) {
    LoadLibraryOf(entry);
    PluginSetApplicationHandle(entry.Module, g_windows.application);
    PluginSetMainWindowHandle(entry.Module, g_windows.main);
    PluginInitialise(entry.Module);
  }
}

void UnloadPlugIns() {
  for (TPlugInEntry& entry : PlugIns) {
    PluginFinalise(entry.Module);
    ReleaseLibraryOf(entry);
  }
}

bool SavePlugIns() {
  if (WritePlugInList(PlugInListFile(), PlugIns)) return true;
  // The table stays in force until exit; the old file stays on disk.
  Komunikat(LangText("msgpi00004"), LangText("msgpi00007"));
  return false;
}

void ReadPlugInIdentity(TPlugInEntry& entry) {
  if (!IsModuleLoaded(entry.Module)) LoadLibraryOf(entry);
  entry.Name = PluginName(entry.Module).substr(0, kRecordName.MaxLength());
  entry.Description = PluginDescription(entry.Module).substr(0, kRecordDescription.MaxLength());
}

int FindPlugIn(const std::string& file_name) {
  for (size_t i = 0; i < PlugIns.size(); ++i) {
    if (PlugIns[i].FileName == file_name) return static_cast<int>(i);
  }
  return -1;
}

std::vector<TPlugInItem> RefreshPlugIns() {
  std::vector<TPlugInItem> items;
  for (const std::string& file : ListLibraryFiles()) {
    int index = FindPlugIn(file);
    items.push_back({file, index >= 0 && PlugIns[index].Enabled != 0});
  }
  for (const TPlugInItem& item : items) {
    if (FindPlugIn(item.FileName) >= 0) continue;
    TPlugInEntry entry;
    entry.FileName = item.FileName;
    PlugIns.push_back(entry);
    ReadPlugInIdentity(PlugIns.back());
  }
  return items;
}

std::optional<TPlugInDetails> PlugInDetails(const std::string& file_name) {
  int index = FindPlugIn(file_name);
  if (index < 0) {
    Komunikat(LangText("msgpi00004"), LangText("msgpi00002"));
    return std::nullopt;
  }
  const TPlugInEntry& entry = PlugIns[index];
  return TPlugInDetails{entry.Name, entry.Description, PluginFunctions(entry.Module)};
}

bool CheckPlugIn(const std::string& file_name, bool checked) {
  int index = FindPlugIn(file_name);
  if (index < 0) {
    Komunikat(LangText("msgpi00004"), LangText("msgpi00001"));
    return false;
  }
  TPlugInEntry& entry = PlugIns[index];
  entry.Enabled = checked ? 1 : 0;
  if (checked) {
    ReadPlugInIdentity(entry);
  } else if (entry.Module != 0) {
    // Every library hears ZakonczRozszerzenie before it goes, as at exit.
    PluginFinalise(entry.Module);
    ReleaseLibraryOf(entry);
  }
  return true;
}

TImportOutcome ImportPlugIn(const std::string& source, const std::function<void()>& before_unload) {
  TImportOutcome outcome;
  fs::path from(source);
  auto fail = [&](const std::string& reason) {
    outcome.result = ImportResult::Failed;
    outcome.reason = reason;
    Komunikat(LangText("msgpi00003"), LangText("msgpi00008") + "\r\n" +
                                          Utf8ToCp1250(from.filename().string()) + "\r\n" + reason);
    return outcome;
  };
  std::error_code ec;
  // Only a file the list can record and the loader accepts is worth
  // unloading everything for.
  if (!fs::is_regular_file(from, ec)) return fail(LangText("msgpi00009"));
  const std::string native = from.filename().string();
  if (!HasMask(native)) return fail(LangText("msgpi00013"));
  if (!IsRecordableName(native)) return fail(LangText("msgpi00010"));
  TModuleLoad probe = LoadModule(from.string());
  if (probe.handle == 0) return fail(LangText("msgpi00012") + " " + probe.error);
  // A library that offers the block language nothing would only be a blank entry.
  const bool offers_functions = !PluginFunctions(probe.handle).empty();
  FreeModule(probe.handle);
  if (!offers_functions) return fail(LangText("msgpi00014"));

  const fs::path folder(PlugInImportFolder());
  fs::create_directories(folder, ec);
  fs::path target = folder / from.filename();
  if (fs::exists(target, ec) &&
      PytanieTakNie(LangText("msgpi00003"), LangText("msgpi00005")) != Answer::Yes) {
    return outcome;
  }

  // The checks made in the manager but not yet written to the list file
  // must outlive the reload, which reads that file.
  std::vector<std::pair<std::string, bool>> checks;
  for (const TPlugInEntry& entry : PlugIns) checks.emplace_back(entry.FileName, entry.Enabled != 0);

  if (before_unload) before_unload();
  UnloadPlugIns();
  bool copied = CopyLibrary(from, target);
  // Reload before listing, so that the list and the table agree: listing
  // first would show the new library while the reload drops its entry.
  LoadPlugIns(g_windows.application, g_windows.main);
  outcome.items = RefreshPlugIns();
  for (TPlugInItem& item : outcome.items) {
    for (const auto& [file_name, checked] : checks) {
      if (file_name != item.FileName || checked == item.Checked) continue;
      if (CheckPlugIn(item.FileName, checked)) item.Checked = checked;
    }
  }
  outcome.reloaded = true;
  if (!copied) {
    fail(LangText("msgpi00011"));
    return outcome;
  }
  outcome.result = ImportResult::Copied;
  return outcome;
}

}  // namespace tessaro
