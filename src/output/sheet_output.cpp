// The one-sheet year calendar (年間一覧表作成): sheet.html in the data folder.
#include "output/outputs.h"
#include "output/page.h"
#include "output/sheet.h"

namespace dustora {
namespace {

class SheetOutput final : public Output {
 public:
  const OutputTraits& Traits() const override {
    static const OutputTraits traits{.title = "年間一覧表作成",
                                     .failure_tag = "MakeSheetHtml",
                                     .failure_unexpected = true,
                                     .file_filter = "HTMLファイル(*.html)|*.html",
                                     .extension = "html",
                                     .preview_file_name = kSheetFileName,
                                     .delivery = OutputDelivery::Preview,
                                     .most_months = kSheetMonths,
                                     .default_months = kSheetMonths,
                                     .cli_option = "--output",
                                     .cli_flag = "--sheet",
                                     .cli_file_word = "sheet",
                                     .cli_months_word = "month",
                                     .takes_reminder = false,
                                     .fiscal_year = true};
    return traits;
  }

  std::variant<OutputBytes, std::string> Write(const OutputInput& input) const override {
    return OutputBytes{PageBytes(SheetLines(input.months, input.document, input.sources)), input.months.size()};
  }
};

}  // namespace

const Output& SheetOutput() {
  static const class SheetOutput output;
  return output;
}

}  // namespace dustora
