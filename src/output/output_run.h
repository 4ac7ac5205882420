// Making an output: the one routine behind the window's commands and
// dustora-cli. It evaluates the months once, has the output write its
// bytes, writes them with one atomic replace and returns what happened;
// failures go into the report under the output's tag. The window then shows
// the file or says what was written; dustora-cli prints its line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/report.h"
#include "output/output.h"

namespace dustora {

// Why an output was not written.
enum class OutputFailure {
  None,
  MonthsNotLaidOut,  // a month cannot be laid out, or the count is outside the output's
  WriterMissing,     // what writes it cannot be had (the calendar's module)
  FileNotWritten,    // the file cannot be written
};

struct OutputResult {
  OutputFailure failure = OutputFailure::None;
  std::string why;                   // of WriterMissing and FileNotWritten: what happened
  std::vector<MonthEntries> months;  // the months evaluated, unless the output let them go
  OutputBytes made;                  // no item: nothing to write, and nothing written

  [[nodiscard]] bool ok() const { return failure == OutputFailure::None; }
};

// Evaluates the request's months and has the output write them, in memory.
[[nodiscard]] OutputResult MakeOutput(const Output& output, const CalendarDocument& document,
                                      const OutputSources& sources, const OutputRequest& request, Report& report);
// Writes what was made to `path` with one atomic replace, when it holds
// something; false when it could not.
[[nodiscard]] bool SaveOutput(const Output& output, OutputResult& result, std::string_view path, Report& report);
// Both.
[[nodiscard]] OutputResult WriteOutput(const Output& output, const CalendarDocument& document,
                                       const OutputSources& sources, const OutputRequest& request,
                                       std::string_view path, Report& report);

}  // namespace dustora
