// The two pages: of one month, and of several months on one page that
// prints one month a sheet. Both are written by the page writer.
#include "output/outputs.h"
#include "output/page.h"

namespace dustora {
namespace {

class PageOutput final : public Output {
 public:
  explicit PageOutput(OutputTraits traits) : traits_(traits) {}

  const OutputTraits& Traits() const override { return traits_; }

  std::variant<OutputBytes, std::string> Write(const OutputInput& input) const override {
    return OutputBytes{PageBytes(PageLines(input.months, input.document, input.sources)), input.months.size()};
  }

 private:
  OutputTraits traits_;
};

}  // namespace

const Output& MonthPageOutput() {
  static const PageOutput output({.title = "カレンダー作成",
                                  .failure_tag = "MakeHtml",
                                  .failure_unexpected = true,
                                  .file_filter = "HTMLファイル(*.html)|*.html",
                                  .extension = "html",
                                  .preview_file_name = kPageFileName,
                                  .delivery = OutputDelivery::Preview,
                                  .most_months = 1,
                                  .default_months = 1,
                                  .cli_option = "--output",
                                  .cli_flag = "",
                                  .cli_file_word = "page",
                                  .cli_months_word = "month",
                                  .takes_reminder = false,
                                  .fiscal_year = false});
  return output;
}

const Output& MonthsPageOutput() {
  static const PageOutput output({.title = "年間カレンダー作成",
                                  .failure_tag = "MakeYearHtml",
                                  .failure_unexpected = true,
                                  .file_filter = "HTMLファイル(*.html)|*.html",
                                  .extension = "html",
                                  .preview_file_name = kYearPageFileName,
                                  .delivery = OutputDelivery::Preview,
                                  .most_months = kMaxPageMonths,
                                  .default_months = kDefaultYearMonths,
                                  .cli_option = "--output",
                                  .cli_flag = "",
                                  .cli_file_word = "page",
                                  .cli_months_word = "month",
                                  .takes_reminder = false,
                                  .fiscal_year = false});
  return output;
}

}  // namespace dustora
