#include "settings/lifecycle.h"

#include "settings/settings.h"
#include "tables/holiday.h"
#include "tables/noneterm.h"

namespace dustora {

void WriteAtExit() {
  SetInitial();
  SetHoliday();
  SetNoneTerm();
}

}  // namespace dustora
