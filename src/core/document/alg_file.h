// Algorithm files on disk.
//
// Paths are native file-system paths (UTF-8 on Linux), not core text: a file
// name need not fit the code page to be opened or saved.
#pragma once

#include <cstddef>
#include <string>

#include "core/document/model.h"

namespace tessaro {

class TDocumentState;

// The largest file ReadAlgorithmFile accepts; far beyond any real diagram
// (the largest examples are a few kilobytes), and small enough that the
// diagram it holds fits a school computer's memory.
inline constexpr size_t kMaxAlgorithmFileSize = size_t{64} << 20;

// Whether the file at `path` can be opened and begins with one of the four magics.
bool SprawdzFormat(const std::string& path);

// Reads the whole file into `stream`. False when it is not a readable regular
// file or is larger than kMaxAlgorithmFileSize.
bool ReadAlgorithmFile(const std::string& path, TMemoryStream& stream);

// Whether `path` is a regular file larger than kMaxAlgorithmFileSize: the
// reason to give when ReadAlgorithmFile refused it.
bool AlgorithmFileTooLarge(const std::string& path);

// The notice of a refused file: its name and the limit in MB (Windows-1250).
std::string AlgorithmFileTooLargeText(const std::string& display_name);

// What a save came to.
struct TSaveResult {
  bool Saved = false;
  // Why the file could not be written (the system's reason, as core text);
  // empty when it saved or the user chose not to overwrite a read-only file.
  std::string Failure;
};

// Saves state.Bloki to `path`. The path joins the recent files first. The
// diagram goes to a temporary file in the same folder that replaces the
// target only once it is complete, so a failed save leaves the previous file
// as it was. A read-only file is overwritten only when the user agrees (and
// then becomes writable); the question is asked only once the temporary file
// exists, so never where the save cannot succeed. Failures are not reported
// here: the caller says why and offers another name.
TSaveResult ZapiszDoPliku(TDocumentState& state, const std::string& path);

}  // namespace tessaro
