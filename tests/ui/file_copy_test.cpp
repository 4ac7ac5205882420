#include "ui/file_copy_dialog.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "settings/folders.h"
#include "settings/old_files.h"
#include "support/ui_driver.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;

// Fails the copy of one source file.
class FailingCopyFileSystem : public RealFileSystem {
 public:
  std::string failing_source;
  FileError CopyFile(std::string_view from, std::string_view to) override {
    return from == failing_source ? FileError(Error::Of(kErrDeviceIo)) : RealFileSystem::CopyFile(from, to);
  }
};

class FileCopyTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    OpenMainWindow();
    platform.messages.clear();
  }
  void TearDown() override { SetFileSystem(nullptr); }

  // Opens the tool, lets `act` drive it and closes it with 閉じる.
  void Run(const Act& act) {
    Script("dlgFileCopy", [act](QDialog& d) {
      act(d);
      Click(d, "cmdClose");
    });
    ShowFileCopy(window.get(), session.folders);
    ASSERT_EQ(results, std::vector<int>{QDialog::Rejected});
    EXPECT_EQ(parents, std::vector<QWidget*>{window.get()});
  }
  static QTreeWidget* List(QDialog& d) { return Child<QTreeWidget>(d, "ListView1"); }
  // Each row's text, with "*" before a checked one; paths under the program
  // folder are shown relative to it.
  std::vector<std::string> Rows(QDialog& d) const {
    std::vector<std::string> rows;
    QTreeWidget* list = List(d);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* row = list->topLevelItem(i);
      std::string text = FromQt(row->text(0));
      if (text.rfind(program.path() + "/", 0) == 0) text.erase(0, program.path().size() + 1);
      rows.push_back((row->checkState(0) == Qt::Checked ? "*" : "") + text);
    }
    return rows;
  }
  void ExpectMessage(const std::string& text, const char* title, MessageIcon icon) {
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, text);
    EXPECT_EQ(platform.messages[0].title, title);
    EXPECT_EQ(platform.messages[0].icon, icon);
    platform.messages.clear();
  }
  std::string Document(const char* name) const {
    return Fs().ReadFile(JoinPath(session.folders.document_folder, name)).value.value_or("(missing)");
  }
  // The program folder of the ordering example.
  void WriteExample() const {
    program.Write("a.dsc", "old a");
    program.Write("b.mmo", "old b");
    program.Write("S/c.dsc", "old c");
  }
};

TEST_F(FileCopyTest, NothingFoundSaysSoAndLeavesCopyDisabled) {
  program.Write("x.txt", "x");
  Run([&](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "旧フォルダからのファイルコピーツール");
    auto* label = Child<QLabel>(d, "Label1");
    EXPECT_EQ(testing::Text(label),
              "Ver1.64以前でプログラムフォルダに保存されていたファイルをユーザーのドキュメントフォルダにコピーします.\n"
              "コピー先に同名のファイルがある場合コピーしません.");
    EXPECT_EQ(FromQt(label->toolTip()), "[F1]でヘルプ");
    EXPECT_EQ(FromQt(List(d)->headerItem()->text(0)), "見つかったファイル");
    EXPECT_EQ(List(d)->columnCount(), 1);
    EXPECT_EQ(FromQt(Child<QPushButton>(d, "cmdSearch")->text()), "検索(&S)");
    EXPECT_EQ(FromQt(Child<QPushButton>(d, "cmdCopy")->text()), "コピー(&C)");
    EXPECT_EQ(FromQt(Child<QPushButton>(d, "cmdClose")->text()), "閉じる(&Q)");
    EXPECT_FALSE(Child(d, "cmdCopy")->isEnabled());
    Click(d, "cmdSearch");
    ExpectMessage("対象となるファイルは見つかりませんでした.", "検索結果", MessageIcon::Information);
    EXPECT_TRUE(Rows(d).empty());
    EXPECT_FALSE(Child(d, "cmdCopy")->isEnabled());
  });
}

TEST_F(FileCopyTest, SearchListsTheFolderSearchedLastOnTopAllChecked) {
  WriteExample();
  Run([&](QDialog& d) {
    Click(d, "cmdSearch");
    ExpectMessage("3個のファイルが見つかりました.", "検索結果", MessageIcon::Information);
    EXPECT_EQ(Rows(d), (std::vector<std::string>{"*S/c.dsc", "*a.dsc", "*b.mmo"}));
    EXPECT_EQ(FromQt(List(d)->topLevelItem(1)->text(0)), program.path() + "/a.dsc");
    EXPECT_TRUE(Child(d, "cmdCopy")->isEnabled());
    EXPECT_EQ(d.focusWidget(), Child(d, "cmdCopy"));
  });
}

TEST_F(FileCopyTest, FindOldFilesPutsEachFolderOnTopInListingOrder) {
  for (const char* name : {"a.dsc", "b.mmo", "S/c.dsc", "S/d.mmo", "S/T/e.dsc", "U/f.dsc"}) program.Write(name, "x");
  std::vector<std::string> found = FindOldFiles(program.path());
  for (std::string& path : found) path.erase(0, program.path().size() + 1);
  EXPECT_EQ(found, (std::vector<std::string>{"U/f.dsc", "S/T/e.dsc", "S/c.dsc", "S/d.mmo", "a.dsc", "b.mmo"}));
}

TEST_F(FileCopyTest, NamesCountByTheirLastThreeLettersInAnyCase) {
  for (const char* name : {"A.DSC", "notedsc", "x.txt", "Memo.Mmo", "a.dsc.bak", "dsc.txt", ".hidden.dsc"}) {
    program.Write(name, "x");
  }
  std::vector<std::string> found = FindOldFiles(program.path());
  for (std::string& path : found) path.erase(0, program.path().size() + 1);
  EXPECT_EQ(found, (std::vector<std::string>{"A.DSC", "Memo.Mmo", "notedsc"}));
  EXPECT_TRUE(IsOldFileName("dsc"));
  EXPECT_FALSE(IsOldFileName("sc"));
  EXPECT_FALSE(IsOldFileName("a.dsd"));
}

TEST_F(FileCopyTest, CopyNeverOverwritesAndReportsSuccess) {
  WriteExample();
  ASSERT_FALSE(Fs().ReplaceFile(JoinPath(session.folders.document_folder, "a.dsc"), "mine"));
  Run([&](QDialog& d) {
    Click(d, "cmdSearch");
    platform.messages.clear();
    const int pumps = platform.pump_count;
    Click(d, "cmdCopy");
    ExpectMessage("ファイルのコピーに成功しました.", "コピー結果", MessageIcon::Information);
    EXPECT_EQ(platform.pump_count - pumps, 3);
  });
  EXPECT_EQ(Document("a.dsc"), "mine");
  EXPECT_EQ(Document("b.mmo"), "old b");
  EXPECT_EQ(Document("c.dsc"), "old c");
}

TEST_F(FileCopyTest, AnUncheckedRowIsNotCopied) {
  WriteExample();
  Run([&](QDialog& d) {
    Click(d, "cmdSearch");
    platform.messages.clear();
    List(d)->topLevelItem(2)->setCheckState(0, Qt::Unchecked);
    Click(d, "cmdCopy");
    ExpectMessage("ファイルのコピーに成功しました.", "コピー結果", MessageIcon::Information);
  });
  EXPECT_EQ(Document("a.dsc"), "old a");
  EXPECT_EQ(Document("b.mmo"), "(missing)");
  EXPECT_EQ(Document("c.dsc"), "old c");
}

TEST_F(FileCopyTest, AFailedCopyStopsTheRestWithAnErrorBox) {
  WriteExample();
  FailingCopyFileSystem failing;
  failing.failing_source = program.path() + "/a.dsc";
  SetFileSystem(&failing);
  Run([&](QDialog& d) {
    Click(d, "cmdSearch");
    platform.messages.clear();
    Click(d, "cmdCopy");
    ExpectMessage("ファイルのコピーに失敗しました.", "コピー結果", MessageIcon::Error);
  });
  EXPECT_EQ(Document("c.dsc"), "old c");
  EXPECT_EQ(Document("a.dsc"), "(missing)");
  EXPECT_EQ(Document("b.mmo"), "(missing)");
}

TEST_F(FileCopyTest, SearchingAgainShowsOnlyTheNewRows) {
  WriteExample();
  Run([&](QDialog& d) {
    Click(d, "cmdSearch");
    platform.messages.clear();
    List(d)->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    ASSERT_FALSE(Fs().Remove(program.Join("b.mmo")));
    Click(d, "cmdSearch");
    ExpectMessage("2個のファイルが見つかりました.", "検索結果", MessageIcon::Information);
    EXPECT_EQ(Rows(d), (std::vector<std::string>{"*S/c.dsc", "*a.dsc"}));
  });
}

}  // namespace
}  // namespace dustora
