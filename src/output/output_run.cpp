#include "output/output_run.h"

#include <tuple>
#include <utility>

#include "core/filesystem.h"

namespace dustora {

namespace {

OutputResult Failed(const Output& output, OutputFailure failure, Error error, Report& report) {
  const OutputTraits& traits = output.Traits();
  OutputResult result;
  result.failure = failure;
  result.why = error.description;
  if (traits.failure_unexpected) {
    report.FailUnexpectedly(traits.failure_tag, std::move(error));
  } else {
    report.Fail(traits.failure_tag, std::move(error));
  }
  return result;
}

}  // namespace

OutputResult MakeOutput(const Output& output, const CalendarDocument& document, const OutputSources& sources,
                        const OutputRequest& request, Report& report) {
  if (request.months.count < 1 || request.months.count > output.Traits().most_months) {
    return Failed(output, OutputFailure::MonthsNotLaidOut, Error{0, {}}, report);
  }
  std::optional<std::vector<MonthEntries>> months = EvaluateMonths(document, request.months, sources);
  if (!months) return Failed(output, OutputFailure::MonthsNotLaidOut, Error{0, {}}, report);
  auto written = output.Write(OutputInput{document, sources, request, *months});
  if (auto* problem = std::get_if<std::string>(&written)) {
    OutputResult result =
        Failed(output, OutputFailure::WriterMissing,
               Error{kErrFileNotFound, "書き出しに使うモジュールを読み込めません: " + *problem}, report);
    result.why = std::move(*problem);
    return result;
  }
  OutputResult result;
  result.months = std::move(*months);
  result.made = std::move(std::get<OutputBytes>(written));
  return result;
}

bool SaveOutput(const Output& output, OutputResult& result, std::string_view path, Report& report) {
  if (!result.ok() || result.made.items == 0) return false;
  if (const FileError failed = Fs().ReplaceFile(path, result.made.bytes)) {
    const std::vector<MonthEntries> months = std::move(result.months);
    result = Failed(output, OutputFailure::FileNotWritten, *failed, report);
    result.months = std::move(months);
    return false;
  }
  return true;
}

OutputResult WriteOutput(const Output& output, const CalendarDocument& document, const OutputSources& sources,
                         const OutputRequest& request, std::string_view path, Report& report) {
  OutputResult result = MakeOutput(output, document, sources, request, report);
  std::ignore = SaveOutput(output, result, path, report);
  return result;
}

}  // namespace dustora
