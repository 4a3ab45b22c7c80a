// The reports of a grading: a text summary for the terminal, and TAP 14,
// JUnit XML, CSV and JSON for the tools and school systems that read them.
// Each returns the whole document as UTF-8, ready to be written out.
#pragma once

#include <string>
#include <vector>

#include "core/task/grading.h"
#include "core/task/task.h"

namespace tessaro::task {

// How much of the failed cases the text summary tells.
enum class ShowDetails : uint8_t { None, First, All };

// One line per pupil, with the failed cases under it as `show` asks, then
// "N passed, M failed".
std::string TextSummary(const std::vector<PupilResult>& pupils, ShowDetails show);

// TAP 14: one test point per pupil, the cases as its subtests, with a YAML
// block of status, message, expect and got for each failed case.
std::string TapReport(const Task& task, const std::vector<PupilResult>& pupils);

// JUnit XML: a testsuite per pupil, a testcase per case (classname = pupil,
// name = case), the difference inside <failure>.
std::string JunitReport(const Task& task, const std::vector<PupilResult>& pupils);

// CSV for a gradebook: pupil, file, passed, total, score, statuses.
std::string CsvReport(const std::vector<PupilResult>& pupils);

// JSON: the task, and every pupil with every case.
std::string JsonReport(const Task& task, const std::vector<PupilResult>& pupils);

// A duration as the reports write it: seconds with three decimals.
std::string SecondsText(double seconds);

// The pupils who passed every case.
size_t CountAllPassed(const std::vector<PupilResult>& pupils);

}  // namespace tessaro::task
