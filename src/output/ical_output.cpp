// The iCalendar file: what it says is decided in ical.h, its text is
// written by the module dustora-ical, loaded on the first export.
#include "output/ical.h"
#include "output/ical_module_loader.h"
#include "output/outputs.h"

namespace dustora {
namespace {

class ICalendarFileOutput final : public Output {
 public:
  const OutputTraits& Traits() const override {
    static const OutputTraits traits{.title = "iCalendar形式で書き出し",
                                     .failure_tag = "WriteICalFile",
                                     .failure_unexpected = false,
                                     .file_filter = "iCalendarファイル(*.ics)|*.ics",
                                     .extension = "ics",
                                     .preview_file_name = {},
                                     .delivery = OutputDelivery::SaveAs,
                                     .most_months = kMaxICalMonths,
                                     .default_months = kDefaultICalMonths,
                                     .cli_option = "--ics",
                                     .cli_flag = "",
                                     .cli_file_word = "calendar",
                                     .cli_months_word = "months",
                                     .takes_reminder = true,
                                     .fiscal_year = false};
    return traits;
  }

  // The area's name, else the title.
  std::string DefaultFileName(const CalendarDocument& document) const override {
    return document.local_name.empty() ? document.title : document.local_name;
  }

  std::variant<OutputBytes, std::string> Write(const OutputInput& input) const override {
    const std::vector<CollectionDay> days = CollectionDays(input.months);
    std::vector<MonthEntries>().swap(input.months);  // the days are all it needs of them
    if (days.empty()) return OutputBytes{};          // nothing to write: the module is not loaded for it
    const auto serializer = RunICalSerializer();
    if (const auto* problem = std::get_if<std::string>(&serializer)) return *problem;
    const OutputOptions& options = input.request.options;
    return OutputBytes{std::get<const ICalSerializer*>(serializer)
                           ->Serialize(CalendarOf(days, input.document, options.reminder, options.now_utc)),
                       days.size()};
  }
};

}  // namespace

const Output& ICalendarOutput() {
  static const ICalendarFileOutput output;
  return output;
}

}  // namespace dustora
