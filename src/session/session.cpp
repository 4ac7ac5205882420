#include "session/session.h"

#include <algorithm>

namespace dustora {

int Session::Subscribe(std::function<void(SessionChange)> observer) {
  observers_.emplace_back(++next_id_, std::move(observer));
  return next_id_;
}

void Session::Unsubscribe(int id) {
  std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Session::Notify(SessionChange change) const {
  // An observer may unsubscribe while it is called.
  const auto observers = observers_;
  for (const auto& [id, observer] : observers) observer(change);
}

void Session::MarkModified() {
  document.modified = true;
  Notify(SessionChange::Modified);
}

void Session::MarkUnmodified() {
  document.modified = false;
  Notify(SessionChange::Modified);
}

void Session::TieMemo(std::string path, Report& report) {
  dustora::TieMemo(document, std::move(path));
  ReadMemoText(document, memo_text, report);
  Notify(SessionChange::MemoTie);
}

}  // namespace dustora
