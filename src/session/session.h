// One run of the program: the open document, the settings, the folders, the
// holiday table, the no-collection periods and the memo text. Start-up and
// dustora-cli make one and hand it, or the parts they use, to everything
// that works on them. Windows keep their own state and follow the session
// through its one notification.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/calendar_document.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "tables/holiday.h"
#include "tables/memo.h"
#include "tables/noneterm.h"

namespace dustora {

// What changed in a session, for the windows that show it.
enum class SessionChange {
  Modified,  // the document was changed by an edit, or saved, read or made new
  MemoTie,   // the document's memo tie (MemoPath, or its refusal)
};

class Session {
 public:
  Session() = default;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  CalendarDocument document;
  AppSettings settings;
  AppFolders folders;
  HolidayTable holidays;
  NoneTermTable periods;
  std::string memo_text = std::string(kNoMemoText);

  // Calls `observer` after every change until Unsubscribe(the id returned).
  [[nodiscard]] int Subscribe(std::function<void(SessionChange)> observer);
  void Unsubscribe(int id);
  void Notify(SessionChange change) const;

  // Marks the document changed by an edit.
  void MarkModified();
  // Marks it as the file holds it (read, saved or new).
  void MarkUnmodified();
  // Ties the document to a memo file (untie with an empty path) and reads
  // the memo text.
  void TieMemo(std::string path, Report& report);

 private:
  std::vector<std::pair<int, std::function<void(SessionChange)>>> observers_;
  int next_id_ = 0;
};

}  // namespace dustora
