// The extension table: every known extension, from start-up to exit.
//
// Filled from the list file at start-up, extended with the libraries of the
// extension folder when the manager refreshes, written back when the manager
// is confirmed. The compiler copies the enabled entries at each compilation;
// the position of an entry in that copy is what a call binds to.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/extensions/plugin_dll.h"
#include "core/extensions/plugin_entry.h"

namespace tessaro {

extern std::vector<TPlugInEntry> PlugIns;

// The shipped extension folder "Rozszerzenia" and the per-user list file
// "tsdllin.dat" (native paths).
std::string PlugInFolder();
std::string PlugInListFile();

// Where an import copies a library: the user's "Rozszerzenia" (the program
// folder's own when it is writable). Libraries are looked up in the shipped
// folder first, then here. The one place that decides it.
std::string PlugInImportFolder();

// Libraries are matched against this mask by their exact, case-sensitive name.
inline constexpr const char kPlugInMask[] = "*.so";

// Start-up: reads the list file and loads and initialises every enabled
// entry whose library is in the folder; disabled entries and entries whose
// file is gone are dropped. An unreadable list file leaves the table empty and
// is renamed aside to "tsdllin.dat.bad". The window handles are remembered for the reload after an import.
void LoadPlugIns(uintptr_t application_window = 0, uintptr_t main_window = 0);

// Exit: finalises every entry in table order and releases its library.
void UnloadPlugIns();

// Writes the table as the new list file. On failure the old file stays as it
// was, the table stays in force, and one notice is shown. Returns success.
bool SavePlugIns();

// Loads the entry's library from the extension folder (unless it is loaded
// already) and reads its name and description. No other export is called.
void ReadPlugInIdentity(TPlugInEntry& entry);

// The entry with exactly this file name, or -1.
int FindPlugIn(const std::string& file_name);

// One row of the manager's list.
struct TPlugInItem {
  std::string FileName;  // Windows-1250
  bool Checked = false;
};

// The libraries of the extension folder, sorted by name, each checked as its
// entry is enabled; a library without an entry gets a new, disabled entry
// whose identity is read (which loads it).
std::vector<TPlugInItem> RefreshPlugIns();

// What the manager's details panel shows for a selected library.
struct TPlugInDetails {
  std::string Name;
  std::string Description;
  std::vector<TPluginFunction> Functions;  // in the library's order
};

// The details of the entry with this file name. Without an entry a notice
// is shown and nothing is returned.
std::optional<TPlugInDetails> PlugInDetails(const std::string& file_name);

// The manager's check box. Checking enables the entry and reads its identity;
// unchecking disables it, finalises and releases its library. Effective for
// the next compilation at once. Without an entry for `file_name` a notice is
// shown and false is returned (the item must be unchecked).
bool CheckPlugIn(const std::string& file_name, bool checked);

enum class ImportResult {
  Declined,  // the user kept the existing file; nothing changed
  Copied,
  Failed,    // not a library, no function, or the copy failed; one notice names the file and the reason
};

struct TImportOutcome {
  ImportResult result = ImportResult::Declined;
  std::vector<TPlugInItem> items;  // the refreshed list, when reloaded
  bool reloaded = false;           // the table was unloaded and loaded from the list file
  std::string reason;              // of a failure, Windows-1250
};

// Copies the library at `source` (native path) into the import folder. A
// file that is not a loadable "*.so" library with a recordable name, or a
// library that exports no function, is refused before anything is unloaded. Replacing a file of the same name is
// asked first. The table is unloaded before the copy and reloaded from the
// list file after it, then the folder is listed again; checks not yet
// written to the list file stay as they were. A failure shows one
// notice naming the file and the reason.
// `before_unload`, when given, runs just before the table is unloaded (the
// window discards a compiled program that still refers to the libraries).
TImportOutcome ImportPlugIn(const std::string& source,
                            const std::function<void()>& before_unload = nullptr);

}  // namespace tessaro
