// Recovery copies: every changed document is kept in a file of its own in
// the per-user data folder while the program runs, so that a crash, a kill
// or a power cut loses nothing. A clean quit or a save removes the copy.
//
// A copy is named after the writer that wrote it ("odzysk-<writer>-<n>.tsr"),
// a number the writer holds a lock on while it runs (its process id when that
// is free), so a start can tell the copies of a running program from those
// left behind.
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
  int Process = 0;      // the writer's number
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

// The lock a running writer holds on "odzysk-<n>.lock" in the folder of its
// copies. The kernel drops it with the process, however the process ends, so
// a copy whose writer's lock is free was left behind; a process id alone says
// nothing after a restart, when an unrelated program may run under it.
class TRecoveryLock {
 public:
  // Locks the first writer number from `preferred` upward that no running
  // writer holds and that has no copies left behind (those wait to be
  // offered, not overwritten). Creates the folder.
  TRecoveryLock(std::string folder, int preferred);
  ~TRecoveryLock();
  TRecoveryLock(const TRecoveryLock&) = delete;
  TRecoveryLock& operator=(const TRecoveryLock&) = delete;

  // The writer number held, or `preferred` when no lock could be had.
  int Writer() const { return writer_; }
  bool Held() const { return fd_ >= 0; }

 private:
  std::string folder_;
  int writer_ = 0;
  int fd_ = -1;
};

// Whether a running process holds the lock of writer `writer` in `folder`.
bool WriterAlive(const std::string& folder, int writer);

// The readable copies whose writer is not running (by `alive`, by default
// WriterAlive), oldest writer first, then by document number.
std::vector<TRecoveryCopy> LeftBehindCopies(const std::string& folder,
                                            const std::function<bool(int)>& alive = {});
// Removes every copy file, readable or not, whose writer is not running, and
// the lock files nobody holds.
void RemoveLeftBehindCopies(const std::string& folder, const std::function<bool(int)>& alive = {});

}  // namespace tessaro
