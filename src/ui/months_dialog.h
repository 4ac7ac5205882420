// 収集する月 (dlgMonths): the months a rule row applies in, as twelve check
// boxes with buttons for every, the even and the odd months. O K needs at
// least one month; ｷｬﾝｾﾙ and the close box change nothing.
#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "core/day_change.h"

class QCheckBox;

namespace dustora {

class MonthsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit MonthsDialog(MonthSet months, QWidget* parent = nullptr);
  [[nodiscard]] MonthSet Chosen() const;

 private:
  void Check(MonthSet months);

  std::array<QCheckBox*, 12> months_{};
};

// Opens dlgMonths over `parent` with `months` checked: the months of O K,
// nothing when cancelled.
std::optional<MonthSet> ChooseMonths(MonthSet months, QWidget* parent);

// What the rule editor's month button of a row shows: "毎月", or the months
// with "月" ("4,6,8月").
std::string MonthsCaption(MonthSet months);

}  // namespace dustora
