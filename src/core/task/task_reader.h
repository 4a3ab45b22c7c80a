// Reading a task from its folder or its packed form, with one clear message
// naming the file when any part of it is missing or broken.
//
// task.ini has one section [task]: title (required), min-version, compare,
// max-steps, seed, grading (all-or-nothing | per-case), time-limit (seconds).
// A case's own NN-name.ini has one section [case]: mark, display (show |
// hide | hide-if-fail), hide-rest-if-fail (yes | no).
#pragma once

#include <string>
#include <vector>

#include "core/task/task.h"
#include "core/task/task_files.h"

namespace tessaro::task {

struct TaskRead {
  bool ok = false;
  std::string error;  // core text naming the file, when not ok
  Task task;
};

// Reads the task at native `path` (a folder, or a packed task).
TaskRead ReadTask(const std::string& path);

// Builds a task from files already read; `source` names it in messages.
TaskRead ParseTask(const TaskFiles& files, const std::string& source);

// The answers of a case's input file (UTF-8, one answer per line; the final
// line ends are dropped). False with `why` set when a line inside is empty,
// which the console would take for the end of the input.
bool ParseAnswers(const std::string& bytes, std::vector<std::string>& answers, std::string& why);

// Whether version `wanted` ("1.2", "1.2.0.3") is at most `have`, part by part.
bool VersionAtMost(const std::string& wanted, const std::string& have);

}  // namespace tessaro::task
