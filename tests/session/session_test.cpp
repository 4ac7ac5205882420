#include "session/session.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/encoding.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

// Windows follow the session through its one notification: each change is
// told to every observer still subscribed, after the data changed.
TEST(SessionTest, TellsEachChangeToItsObservers) {
  Report report;
  testing::TempFolder dir;
  Session session;
  session.document.Clear(2011, 4);
  std::vector<SessionChange> first;
  std::vector<std::string> memo_seen;
  const int id = session.Subscribe([&](SessionChange change) {
    first.push_back(change);
    memo_seen.push_back(session.memo_text);
  });
  std::vector<SessionChange> second;
  const int second_id = session.Subscribe([&](SessionChange change) { second.push_back(change); });
  EXPECT_NE(second_id, id);

  session.MarkModified();
  EXPECT_TRUE(session.document.modified);
  const std::string memo = dir.Write("町内.mmo", sjis::Encode("資源回収\r\n").bytes);
  session.TieMemo(memo, report);
  EXPECT_EQ(session.document.memo_path, memo);
  EXPECT_EQ(memo_seen.back(), "資源回収\r\n");  // read before the window hears of it
  session.Unsubscribe(id);
  session.TieMemo("", report);
  EXPECT_TRUE(report.empty());
  EXPECT_EQ(session.memo_text, "メモ:\r\n");
  EXPECT_EQ(first, (std::vector<SessionChange>{SessionChange::Modified, SessionChange::MemoTie}));
  EXPECT_EQ(second,
            (std::vector<SessionChange>{SessionChange::Modified, SessionChange::MemoTie, SessionChange::MemoTie}));
}

}  // namespace
}  // namespace dustora
