// An output: one kind of file the program writes from a document (the month
// page, the page of several months, the iCalendar file). Each is one object
// behind this interface, listed once in outputs.h; the window's commands and
// dustora-cli make every output through the one routine of output_run.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/calendar_document.h"
#include "output/evaluation.h"

namespace dustora {

// What each event of a calendar reminds of: nothing, the evening before at
// 18:00, or the morning of the day at 6:00.
enum class Reminder { None, EveningBefore, MorningOf };

// The options of the outputs that take them; each output reads its own.
struct OutputOptions {
  Reminder reminder = Reminder::EveningBefore;  // the calendar's
  std::int64_t now_utc = 0;                     // the time of writing, seconds since 1970 UTC: the calendar's stamp
};

struct OutputRequest {
  MonthSpan months;
  OutputOptions options;
};

// What the window does with what it wrote.
enum class OutputDelivery {
  Preview,  // into the data folder under its file name, shown in the browser
  SaveAs,   // into a file the user chooses, then how many items it holds said
};

// How an output presents itself to the window and to dustora-cli.
struct OutputTraits {
  // The window's command, which titles its messages ("カレンダー作成").
  std::string_view title;
  // What a failure is reported under, and whether the failure is one the
  // program never expects (the box's "想定外" wording).
  std::string_view failure_tag;
  bool failure_unexpected = false;
  // The file: the save dialog's filter ("名前(*.ext)|*.ext"), the extension,
  // and of a preview its name in the data folder.
  std::string_view file_filter;
  std::string_view extension;
  std::string_view preview_file_name;
  OutputDelivery delivery = OutputDelivery::Preview;
  // The months it takes, and how many when nobody says.
  int most_months = 1;
  int default_months = 1;
  // dustora-cli's option that names its file, and the words of its lines:
  // what the file is ("the page cannot be written: ..."), what its months
  // are ("the month cannot be laid out: ...").
  std::string_view cli_option;
  // The flag that chooses it among the outputs of its option ("--sheet");
  // empty: chosen by its months.
  std::string_view cli_flag;
  std::string_view cli_file_word;
  std::string_view cli_months_word;
  // Whether it takes OutputOptions::reminder.
  bool takes_reminder = false;
  // Whether, without a start named, it starts in April of the fiscal year
  // that holds this month (else: the document's month).
  bool fiscal_year = false;
};

// What a write reads.
struct OutputInput {
  const CalendarDocument& document;
  const OutputSources& sources;
  const OutputRequest& request;
  // The request's months, evaluated. An output that has taken what it
  // needs from them may let them go before it writes, so that a run never
  // holds both (the calendar does); what is left goes back to the caller.
  std::vector<MonthEntries>& months;
};

// What a write makes: the file's bytes, and how many items they hold
// (months of a page, events of a calendar); no item: nothing to write.
struct OutputBytes {
  std::string bytes;
  std::size_t items = 0;
};

class Output {
 public:
  virtual ~Output() = default;

  [[nodiscard]] virtual const OutputTraits& Traits() const = 0;
  // The file name the save dialog proposes, without the extension.
  [[nodiscard]] virtual std::string DefaultFileName(const CalendarDocument& document) const;
  // The bytes of the file, or why what writes them cannot be had.
  [[nodiscard]] virtual std::variant<OutputBytes, std::string> Write(const OutputInput& input) const = 0;
};

}  // namespace dustora
