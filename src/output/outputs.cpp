#include "output/outputs.h"

namespace dustora {

std::string Output::DefaultFileName(const CalendarDocument&) const {
  const std::string_view name = Traits().preview_file_name;
  return std::string(name.substr(0, name.rfind('.')));
}

const std::vector<const Output*>& AllOutputs() {
  static const std::vector<const Output*> outputs = {&MonthPageOutput(), &MonthsPageOutput(), &SheetOutput(),
                                                     &ICalendarOutput()};
  return outputs;
}

}  // namespace dustora
