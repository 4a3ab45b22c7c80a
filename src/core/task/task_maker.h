// Making a task from the teacher's own solution: each input file becomes a
// case whose expected output is what the reference writes for it.
#pragma once

#include <string>
#include <vector>

#include "core/document/model.h"

namespace tessaro::task {

// One case's input given as text: its name (a file stem) and its UTF-8 lines.
struct MakeTaskInput {
  std::string name;
  std::string bytes;
};

struct MakeTaskRequest {
  std::string task_dir;                  // native path; created when missing
  std::vector<std::string> input_paths;  // native paths of the inputs, one case each
  std::vector<MakeTaskInput> inputs;     // more inputs, after those of the files
  std::string title;                     // core text; for a new task.ini
  std::string statement_md;              // UTF-8; for a new statement.md
};

struct MakeTaskResult {
  bool ok = false;
  std::string error;                  // core text naming the file, when not ok
  std::vector<std::string> written;   // native paths of the files written
  std::vector<std::string> warnings;  // core text: inputs the reference left partly unread
};

// Runs `reference` on every input and writes cases/NAME.in and cases/NAME.out
// into the task folder, NAME being the input's stem (or given name) with
// "NN-" put before it when it does not start with digits. task.ini and statement.md are written
// only when the folder has none; the limits of an existing task.ini apply to
// the runs. Nothing is written unless every input runs to its end.
MakeTaskResult MakeTask(const std::vector<Tobj>& reference, const MakeTaskRequest& request);

}  // namespace tessaro::task
