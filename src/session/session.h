// One run of the program: the open document, the settings, the folders, the
// holiday table, the no-collection periods and the memo text. Start-up and
// dustora-cli make one and hand it, or the parts they use, to everything
// that works on them.
#pragma once

#include "core/document.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "tables/holiday.h"
#include "tables/memo.h"
#include "tables/noneterm.h"

namespace dustora {

class Session {
 public:
  Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  CalendarDocument& document;
  AppSettings& settings;
  AppFolders& folders;
  HolidayTable& holidays;
  NoneTermTable& periods;
  MemoState& memo;
};

}  // namespace dustora
