// Recovery copies: every changed document is kept in a file of its own in
// the per-user data folder while the program runs, so that a crash, a kill
// or a power cut loses nothing. A clean quit or a save removes the copy.
//
// A copy is named after the process that wrote it ("odzysk-<pid>-<n>.tsr"),
// so a start can tell the copies of a running program from those left behind.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/document/model.h"

namespace tessaro {

// The folder of the recovery copies inside `data_folder`.
std::string RecoveryFolder(const std::string& data_folder);

struct TRecoveryCopy {
  std::string File;     // native path of the copy
  int Process = 0;      // the writer's process id
  int Serial = 0;       // the writer's number of the document
  std::string Nazwa;    // the document's caption (core text)
  std::string Sciezka;  // the document's file, "" when never saved
  TMemoryStream Diagram;
};

std::string RecoveryFileName(int process, int serial);

// The bytes of a copy file and back; nothing when `bytes` is not one.
std::string EncodeRecoveryCopy(const std::string& nazwa, const std::string& sciezka, const TMemoryStream& diagram);
bool DecodeRecoveryCopy(const std::string& bytes, TRecoveryCopy& copy);

// Writes the copy through a temporary file, creating the folder; false on failure.
bool WriteRecoveryCopy(const std::string& folder, int process, int serial, const std::string& nazwa,
                       const std::string& sciezka, const TMemoryStream& diagram);
void RemoveRecoveryCopy(const std::string& folder, int process, int serial);
// Removes every copy `process` wrote.
void RemoveRecoveryCopies(const std::string& folder, int process);

// Whether a process with this id runs now.
bool ProcessAlive(int process);

// The readable copies whose writer is not running (by `alive`), oldest
// writer first, then by document number.
std::vector<TRecoveryCopy> LeftBehindCopies(const std::string& folder,
                                            const std::function<bool(int)>& alive = ProcessAlive);
// Removes every copy file, readable or not, whose writer is not running.
void RemoveLeftBehindCopies(const std::string& folder, const std::function<bool(int)>& alive = ProcessAlive);

}  // namespace tessaro
