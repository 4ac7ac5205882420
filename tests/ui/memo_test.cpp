#include <gtest/gtest.h>

#include <filesystem>

#include <QAction>
#include <QPlainTextEdit>
#include <QStatusBar>

#include "core/encoding.h"
#include "settings/folders.h"
#include "support/report_texts.h"
#include "support/ui_driver.h"
#include "tables/memo.h"
#include "ui/memo_editor.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;
using testing::Type;

QPlainTextEdit* Box(QDialog& d) {
  return Child<QPlainTextEdit>(d, "txtMemo");
}
bool SaveEnabled(QDialog& d) {
  return Child<QAction>(d, "mnuSaveMemo")->isEnabled();
}
void Trigger(QDialog& d, const char* action) {
  Child<QAction>(d, action)->trigger();
}

class MemoTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    OpenMainWindow();
    // A document that was saved: marks enable its save command.
    session.document.document_path = home.Join("Documents/area.dsc");
    session.document.modified = false;
  }
  std::string MemoPath(const char* name) const { return JoinPath(session.folders.document_folder, name); }
  std::string Bytes(const std::string& path) const { return Fs().ReadFile(path).value.value_or("(none)"); }
  void Edit(const Act& act) {
    Script("dlgMemo", act);
    Child<QAction>(*window, "mnuMemo")->trigger();
  }
  std::string Status() { return FromQt(Child<QLabel>(*window, "StatusBar1(1)")->text()); }
  bool CancelEnabled() { return Child<QAction>(*window, "mnuCancelR")->isEnabled(); }
};

TEST_F(MemoTest, NewMemoSaveAndCloseAsksForANameThenTheTie) {
  const std::string path = MemoPath("a.mmo");
  Edit([&](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "メモ欄の編集 [新規]");
    EXPECT_EQ(FromQt(Box(d)->toPlainText()), "メモ:\n");
    EXPECT_FALSE(SaveEnabled(d));
    Box(d)->moveCursor(QTextCursor::End);
    Type(Box(d), ToQt("燃えないごみは第2水曜日"));
    EXPECT_TRUE(SaveEnabled(d));
    platform.file_replies = {std::nullopt};
    Click(d, "OKButton");
    EXPECT_TRUE(d.isVisible());  // no name, no save, still open
    EXPECT_TRUE(platform.messages.empty());
    platform.file_replies = {path};
    platform.message_replies = {MessageButton::Yes};
    Click(d, "OKButton");
    EXPECT_FALSE(d.isVisible());
  });
  ASSERT_EQ(platform.file_dialogs.size(), 2u);
  const FileDialogRequest& save = platform.file_dialogs[1];
  EXPECT_EQ(save.title, "ファイルの保存");
  EXPECT_EQ(save.filter, "メモファイル(*.mmo)|*.mmo");
  EXPECT_EQ(save.default_extension, "mmo");
  EXPECT_EQ(save.initial_folder, session.folders.document_folder);
  EXPECT_TRUE(save.confirm_overwrite);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "表示中のメモ(a.mmo)を現在のダストーラファイルに関連付けますか?");
  EXPECT_EQ(platform.messages[0].title, "メモの関連付け");
  EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNoCancel);
  // The text, one more CR LF; read back it has an empty line more.
  EXPECT_EQ(Bytes(path), sjis::Encode("メモ:\r\n燃えないごみは第2水曜日\r\n").bytes);
  EXPECT_EQ(session.document.memo_path, path);
  EXPECT_EQ(Status(), "メモファイル : a.mmo");
  EXPECT_TRUE(CancelEnabled());
  EXPECT_TRUE(session.document.modified);
  EXPECT_EQ(session.memo_text, "メモ:\r\n燃えないごみは第2水曜日\r\n");
}

TEST_F(MemoTest, TiedMemoIsSavedWithoutAQuestionAndReadBackWithAnEmptyLineMore) {
  const std::string path = MemoPath("tied.mmo");
  ASSERT_FALSE(WriteMemoFile(path, "メモ:\r\n古い\r\n"));
  TieMemo(session.document, path);
  ReadMemoText(session.document, session.memo_text, testing::Unread());
  Edit([&](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "メモ欄の編集 [tied.mmo]");
    EXPECT_EQ(FromQt(Box(d)->toPlainText()), "メモ:\n古い\n\n");
    Box(d)->setPlainText(ToQt("新しい"));
    Click(d, "OKButton");
  });
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(Bytes(path), sjis::Encode("新しい\r\n").bytes);
  EXPECT_EQ(session.memo_text, "新しい\r\n");
  EXPECT_FALSE(session.document.modified);
}

TEST_F(MemoTest, AFailedWriteCancelsAndKeepsTheTextAndThePreviousFile) {
  const std::string path = MemoPath("keep.mmo");
  ASSERT_FALSE(WriteMemoFile(path, "前"));
  Edit([&](QDialog& d) {
    // 新規 on an unchanged, unnamed memo still asks for a name.
    platform.file_replies = {std::nullopt};
    Trigger(d, "mnuNewMemo");
    EXPECT_EQ(platform.file_dialogs.size(), 1u);
    Box(d)->setPlainText(ToQt("絵文字🗑"));
    platform.file_replies = {path};
    Trigger(d, "mnuNewMemo");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "Shift_JISで保存できない文字が含まれています: 🗑 (U+1F5D1)");
    EXPECT_EQ(FromQt(Box(d)->toPlainText()), "絵文字🗑");
    platform.messages.clear();
    // A folder that is not there.
    Box(d)->setPlainText(ToQt("文"));
    platform.file_replies = {home.Join("gone/x.mmo")};
    Click(d, "OKButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text.rfind("ご迷惑をおかけしています.(dlgMemo.WriteMemo)\r\n", 0), 0u);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(FromQt(d.windowTitle()), "メモ欄の編集 [新規]");
    Click(d, "CancelButton");
  });
  EXPECT_EQ(Bytes(path), sjis::Encode("前\r\n").bytes);
  EXPECT_FALSE(Fs().AnythingAt(home.Join("gone/x.mmo")));
  EXPECT_TRUE(session.document.memo_path.empty());
}

TEST_F(MemoTest, TypingStopsAtOneThousandCharacters) {
  Edit([&](QDialog& d) {
    Box(d)->clear();
    Box(d)->insertPlainText(QString(990, QLatin1Char('a')));
    QTest::keyClicks(Box(d), "bcdefghijklmnop");
    Box(d)->insertPlainText(QStringLiteral("xyz"));  // as pasted
    EXPECT_EQ(Box(d)->toPlainText(), QString(990, QLatin1Char('a')) + QStringLiteral("bcdefghijk"));
    Click(d, "CancelButton");
  });
}

// Only a file whose name ends in ".mmo" is ever a memo, and so the file a
// link leads to: a document tied to another file prints none and says so,
// the tie command and the editor's open refuse other names, and the
// editor's saves add ".mmo". A relative path is the document's neighbour.
TEST_F(MemoTest, OnlyMemoFilesAreReadTiedOrSaved) {
  const std::string letter = home.Write("Documents/letter.txt", "secret");
  const std::string upper = MemoPath("B.MMO");
  ASSERT_FALSE(WriteMemoFile(upper, "ゴミ"));
  std::filesystem::create_symlink(letter, MemoPath("link.mmo"));
  const struct {
    std::string path;
    std::string status;
    std::string text;
  } documents[] = {
      {letter, "メモファイル : (関連付けできません)", "メモ:\r\n"},
      {"/etc/passwd", "メモファイル : (関連付けできません)", "メモ:\r\n"},
      {upper, "メモファイル : B.MMO", "ゴミ\r\n"},
      {MemoPath("link.mmo"), "メモファイル : (関連付けできません)", "メモ:\r\n"},
      {std::filesystem::relative(upper, home.Join("Documents")).string(), "メモファイル : B.MMO", "ゴミ\r\n"},
      {MemoPath("gone.mmo"), "メモファイル : (関連付けなし)", "メモ:\r\n"},
  };
  for (const auto& document : documents) {
    const std::string dsc =
        home.Write("Documents/tied.dsc", sjis::Encode("[Memo]\r\nOP=1\r\nPath=" + document.path + "\r\n").bytes);
    platform.file_replies = {dsc};
    Child<QAction>(*window, "mnuOpen")->trigger();
    EXPECT_EQ(Status(), document.status) << document.path;
    EXPECT_EQ(session.memo_text, document.text) << document.path;
    const bool tied = document.text == "ゴミ\r\n";
    EXPECT_EQ(CancelEnabled(), tied);
    EXPECT_EQ(session.document.memo_path, tied ? upper : "");
    session.document.modified = false;
  }

  platform.messages.clear();
  platform.file_replies = {letter};
  Child<QAction>(*window, "mnuMRelation")->trigger();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "メモファイル(*.mmo)を選択して下さい.");
  EXPECT_EQ(platform.messages[0].title, "関連付け");
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(session.document.memo_path, "");  // nothing tied
  EXPECT_FALSE(session.document.modified);

  // The editor: a letter is not opened; names typed without ".mmo" get it.
  Edit([&](QDialog& d) {
    platform.messages.clear();
    platform.file_replies = {letter};
    Child<QAction>(d, "mnuOpnMemo")->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "メモファイル(*.mmo)を選択して下さい.");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Information);
    for (const char* typed : {"notes", "notes.txt", "n.Mmo"}) {
      platform.file_replies = {MemoPath(typed)};
      Child<QAction>(d, "mnuSaveAsMemo")->trigger();
    }
    d.reject();
  });
  for (const char* saved : {"notes.mmo", "notes.txt.mmo", "n.Mmo"})
    EXPECT_TRUE(Fs().FileExists(MemoPath(saved))) << saved;
  EXPECT_FALSE(Fs().FileExists(MemoPath("notes.txt")));
}

TEST_F(MemoTest, TieAndUntieFromTheMainWindow) {
  const std::string path = MemoPath("b.mmo");
  ASSERT_FALSE(WriteMemoFile(path, "ゴミ"));
  QAction* tie = Child<QAction>(*window, "mnuMRelation");
  platform.file_replies = {std::nullopt};
  tie->trigger();
  EXPECT_EQ(platform.file_dialogs[0].filter, "テキストファイル(*.mmo)|*.mmo");
  EXPECT_TRUE(platform.file_dialogs[0].must_exist);
  EXPECT_EQ(Status(), "メモファイル : (関連付けなし)");
  EXPECT_FALSE(CancelEnabled());
  EXPECT_FALSE(session.document.modified);
  platform.file_replies = {path};
  tie->trigger();
  EXPECT_EQ(Status(), "メモファイル : b.mmo");
  EXPECT_TRUE(CancelEnabled());
  EXPECT_TRUE(session.document.modified);
  EXPECT_EQ(session.memo_text, "ゴミ\r\n");

  session.document.modified = false;
  platform.message_replies = {MessageButton::No};
  Child<QAction>(*window, "mnuCancelR")->trigger();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "メモファイルの関連付けを解除しますか?");
  EXPECT_EQ(platform.messages[0].title, "関連付けの解除");
  EXPECT_EQ(platform.messages[0].default_button, MessageButton::No);
  EXPECT_EQ(session.document.memo_path, path);
  EXPECT_FALSE(session.document.modified);
  platform.message_replies = {MessageButton::Yes};
  Child<QAction>(*window, "mnuCancelR")->trigger();
  EXPECT_EQ(Status(), "メモファイル : (関連付けなし)");
  EXPECT_FALSE(CancelEnabled());
  EXPECT_TRUE(session.document.modified);
  EXPECT_EQ(session.memo_text, "メモ:\r\n");
  EXPECT_TRUE(Fs().FileExists(path));  // the file itself stays
}

}  // namespace
}  // namespace dustora
