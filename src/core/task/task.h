// A task: an exercise that checks itself. A folder (or a zip of it) holds
// "task.ini", the statement the pupil reads, an optional template flowchart
// and the cases, each an input (one answer per line, as the console takes
// them) with the output the program must write.
//
// Text read from a task's files is UTF-8 on disk; titles and case texts are
// kept here as core text (Windows-1250), statements as the UTF-8 the window
// shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/task/output_compare.h"

namespace tessaro::task {

enum class Grading : uint8_t {
  AllOrNothing,  // the marks count only when every case passes
  PerCase,       // each passed case earns its mark
};

// What a pupil is shown of one case in the window.
enum class Display : uint8_t {
  Show,        // input, expected and got
  Hide,        // only counted
  HideIfFail,  // shown while it passes, counted when it fails
};

struct TaskCase {
  std::string name;                 // the file stem, "01-zero"
  std::vector<std::string> answers;  // one per read, in order
  std::string expected;             // the expected output, lines joined by "\n"
  int32_t mark = 1;
  Display display = Display::Show;
  bool hide_rest_if_fail = false;  // a failure hides every later case
};

// The values of [task] in task.ini, with the defaults of a key left out.
struct TaskSettings {
  std::string title;
  std::string min_version;  // empty: any
  CompareMode compare;      // lines
  uint64_t max_steps = 1'000'000;
  uint32_t seed = 1;
  Grading grading = Grading::PerCase;
  double time_limit = 5.0;  // seconds per case
};

enum class StatementFormat : uint8_t { None, Html, Markdown };

struct Statement {
  StatementFormat format = StatementFormat::None;
  std::string text;  // UTF-8
};

struct Task {
  std::string source;  // the folder or zip it was read from
  TaskSettings settings;
  Statement statement;     // Polish
  Statement statement_en;  // English; format None when absent
  std::string template_alg;  // the bytes of template.alg; empty when absent
  std::vector<TaskCase> cases;  // in name order
};

}  // namespace tessaro::task
