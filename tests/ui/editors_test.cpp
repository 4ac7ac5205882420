#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "core/encoding.h"
#include "core/textfile.h"
#include "session/lifecycle.h"
#include "support/report_texts.h"
#include "support/ui_driver.h"
#include "tables/holiday.h"
#include "tables/noneterm.h"
#include "ui/holiday_dialog.h"
#include "ui/none_term_dialog.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;
using testing::ClickDay;
using testing::Enabled;
using testing::Focused;
using testing::Text;

QTreeWidget* List(QDialog& d) {
  return Child<QTreeWidget>(d, "ListView1");
}
std::vector<QStringList> Rows(QDialog& d) {
  std::vector<QStringList> rows;
  QTreeWidget* list = List(d);
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    QStringList row;
    for (int c = 0; c < list->columnCount(); ++c) row << list->topLevelItem(i)->text(c);
    rows.push_back(row);
  }
  return rows;
}
void ClickRow(QDialog& d, int row) {
  QTreeWidget* list = List(d);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(row)).center());
}
// Column headers, their data keys and widths as shares of the list.
void ExpectColumns(QDialog& d, const std::vector<std::pair<const char*, int>>& columns, const char* const* keys) {
  QTreeWidget* list = List(d);
  ASSERT_EQ(list->columnCount(), static_cast<int>(columns.size()));
  for (int i = 0; i < list->columnCount(); ++i) {
    EXPECT_EQ(FromQt(list->headerItem()->text(i)), columns[static_cast<std::size_t>(i)].first);
    EXPECT_EQ(list->columnWidth(i), list->width() * columns[static_cast<std::size_t>(i)].second / 100) << i;
    EXPECT_EQ(FromQt(list->headerItem()->data(i, Qt::UserRole).toString()), keys[i]);
  }
}

class EditorsTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    OpenMainWindow();
  }
  // The last message box, which the test then forgets.
  MessageBoxRequest Said() {
    EXPECT_FALSE(platform.messages.empty());
    if (platform.messages.empty()) return {};
    MessageBoxRequest last = platform.messages.back();
    platform.messages.clear();
    return last;
  }
  void ExpectAsked(const std::string& text, const char* title) {
    const MessageBoxRequest asked = Said();
    EXPECT_EQ(asked.text, text);
    EXPECT_EQ(asked.title, title);
    EXPECT_EQ(asked.icon, MessageIcon::Question);
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    EXPECT_EQ(asked.default_button, MessageButton::No);
  }
  void ExpectTold(const std::string& text, const char* title) {
    const MessageBoxRequest told = Said();
    EXPECT_EQ(told.text, text);
    EXPECT_EQ(told.title, title);
    EXPECT_EQ(told.icon, MessageIcon::Information);
  }
  static std::string FileBytes(const std::string& path) { return Fs().ReadFile(path).value.value_or("(missing)"); }
  void Open(const char* menu) { Child<QAction>(*window, menu)->trigger(); }
};

// --- holidays ---

TEST_F(EditorsTest, HolidayFileMissingShowsWhereToGetItThenAnEmptyDialog) {
  ASSERT_FALSE(Fs().FileExists(HolidayFilePath(session)));
  Script("dlgHoliday", [&](QDialog& d) {
    EXPECT_EQ(platform.messages.size(), 1u);  // the message comes first
    EXPECT_EQ(FromQt(d.windowTitle()), "祝祭日の確認と編集");
    const char* const keys[] = {"hDate", "hName"};
    ExpectColumns(d, {{"日付", 40}, {"祝祭日名", 48}}, keys);
    EXPECT_TRUE(Rows(d).empty());
    EXPECT_FALSE(Child<QCheckBox>(d, "CheckHolidayName")->isChecked());  // no file: names off
    EXPECT_FALSE(Enabled(d, "cmd削除"));
    EXPECT_FALSE(Enabled(d, "cmd新規"));
    EXPECT_EQ(FromQt(Child<QPushButton>(d, "cmd登録")->text()), "登 録 (&R)");
    Click(d, "CancelButton");
  });
  Open("mnuHoliday");
  ExpectTold(
      "祝祭日データが見つかりませんでした.\r\nダストーラを再起動すると付属の祝祭日データが復元されます.\r\n"
      "詳しくは " +
          program.path() + "/help/holiday.html を参照して下さい.",
      "祝祭日の設定");
  EXPECT_EQ(parents, std::vector<QWidget*>{window.get()});
}

TEST_F(EditorsTest, HolidayRegisterChecksAppendOverwriteDeleteAndOk) {
  ASSERT_FALSE(WriteTextFile(HolidayFilePath(session),
                             "\"#2011/01/01#\",\"元日\"\r\n\"#2011/01/02#\",\"\"\r\n"
                             "\"#2011/01/10#\",\"成人の日\"\r\n"));
  LoadHolidays(session, testing::Unread());
  session.settings.show_holiday_names = 0;
  Script("dlgCalendar", [](QDialog& d) { ClickDay(d, 18); });
  QDialog* holiday = nullptr;
  Script("dlgHoliday", [&](QDialog& d) {
    holiday = &d;
    EXPECT_TRUE(platform.messages.empty());
    // A holiday without a name is not listed.
    EXPECT_EQ(Rows(d), (std::vector<QStringList>{{"2011/01/01", ToQt("元日")}, {"2011/01/10", ToQt("成人の日")}}));
    auto* name = Child<QLineEdit>(d, "txtName");
    testing::Type(name, ToQt("海,の日"));
    EXPECT_EQ(FromQt(name->text()), "海の日");  // the comma is swallowed
    // The date comes first.
    Click(d, "cmd登録");
    ExpectTold("日付を正しく指定して下さい.", "祝祭日設定");
    EXPECT_EQ(Focused(d), "cmdDate");
    Click(d, "cmdDate");
    EXPECT_EQ(Text(Child<QLabel>(d, "lblDate")), "2011/04/18");
    name->clear();
    Click(d, "cmd登録");
    ExpectTold("祝祭実名をを正しく指定して下さい.", "祝祭日設定");
    EXPECT_EQ(Focused(d), "txtName");
    name->setText(ToQt("海,の日"));  // as pasted
    Click(d, "cmd登録");
    ExpectTold("カンマは使用できません.", "祝祭日設定");
    name->setText(ToQt("海の日🌊"));
    Click(d, "cmd登録");
    ExpectTold("Shift_JISで保存できない文字が含まれています: 🌊 (U+1F30A)", "祝祭日の確認と編集");
    EXPECT_EQ(Rows(d).size(), 2u);

    // A new row leaves the fields empty for the next one, the focus on the
    // first of them.
    name->setText(ToQt("海の日"));
    Click(d, "cmd登録");
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(Rows(d).size(), 3u);
    EXPECT_EQ(Rows(d)[2], (QStringList{"2011/04/18", ToQt("海の日")}));
    EXPECT_TRUE(List(d)->selectedItems().isEmpty());
    EXPECT_EQ(Focused(d), "cmdDate");
    EXPECT_EQ(FromQt(name->text()), "");

    // With a row selected, 登録 overwrites after asking, never appends.
    ClickRow(d, 0);
    EXPECT_EQ(Text(Child<QLabel>(d, "lblDate")), "2011/01/01");
    EXPECT_EQ(FromQt(name->text()), "元日");
    name->setText(ToQt("元旦"));
    platform.message_replies = {MessageButton::No};
    Click(d, "cmd登録");
    ExpectAsked("「元日」を上書きしますか?", "上書き確認");
    EXPECT_EQ(Rows(d)[0][1], ToQt("元日"));
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmd登録");
    platform.messages.clear();
    EXPECT_EQ(Rows(d).size(), 3u);
    EXPECT_EQ(Rows(d)[0][1], ToQt("元旦"));
    // The arrow keys move the selection, and the fields follow.
    QTest::keyClick(List(d), Qt::Key_Down);
    EXPECT_EQ(FromQt(name->text()), "成人の日");

    // 新規 returns to new-entry mode: the same date may be registered again,
    // and the row goes by its date, after the one already there.
    Click(d, "cmd新規");
    EXPECT_EQ(Text(Child<QLabel>(d, "lblDate")), "");
    EXPECT_EQ(FromQt(name->text()), "");
    EXPECT_FALSE(Enabled(d, "cmd削除"));
    EXPECT_FALSE(Enabled(d, "cmd新規"));
    Child<QLabel>(d, "lblDate")->setText("2011/01/10");
    name->setText(ToQt("成人の日"));
    Click(d, "cmd登録");
    EXPECT_EQ(Rows(d).size(), 4u);
    EXPECT_EQ(Rows(d)[2], (QStringList{"2011/01/10", ToQt("成人の日")}));

    ClickRow(d, 2);
    platform.message_replies = {MessageButton::No};
    Click(d, "cmd削除");
    ExpectAsked("「成人の日」を削除してよろしいですか?", "削除確認");
    EXPECT_EQ(Rows(d).size(), 4u);
    ClickRow(d, 1);
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmd削除");
    platform.messages.clear();
    EXPECT_EQ(Rows(d).size(), 3u);
    EXPECT_EQ(List(d)->selectedItems().size(), 0);
    EXPECT_EQ(FromQt(name->text()), "");
    EXPECT_FALSE(Enabled(d, "cmd削除"));

    Child<QCheckBox>(d, "CheckHolidayName")->setChecked(true);
    Click(d, "OKButton");
  });
  Open("mnuHoliday");
  EXPECT_EQ(results, (std::vector<int>{1, QDialog::Accepted}));
  EXPECT_EQ(parents, (std::vector<QWidget*>{window.get(), holiday}));
  // Only O K changed the table; the file is written when the program ends.
  const HolidayTable expected{{{2011, 1, 1}, "元旦"}, {{2011, 1, 10}, "成人の日"}, {{2011, 4, 18}, "海の日"}};
  EXPECT_EQ(session.holidays, expected);
  EXPECT_EQ(session.settings.show_holiday_names, 1);
  EXPECT_TRUE(WriteAtExit(session, testing::Unread()));
  EXPECT_EQ(
      FileBytes(HolidayFilePath(session)),
      sjis::Encode("\"#2011/01/01#\",\"元旦\"\r\n\"#2011/01/10#\",\"成人の日\"\r\n\"#2011/04/18#\",\"海の日\"\r\n")
          .bytes);
  EXPECT_FALSE(session.document.modified);
}

TEST_F(EditorsTest, HolidayListOpensOnThisYearAndShowsANewRow) {
  const auto top_row = [](QDialog& d) { return FromQt(List(d)->itemAt(4, 4)->text(0)); };
  const auto visible = [](QDialog& d, int row) {
    return List(d)->viewport()->rect().contains(List(d)->visualItemRect(List(d)->topLevelItem(row)));
  };
  HolidayTable table;
  for (int year = 2008; year <= 2013; ++year) {
    for (int month = 1; month <= 12; ++month) table.push_back({{year, month, 2}, "休み"});
  }
  session.holidays = table;
  Script("dlgCalendar", [](QDialog& d) { ClickDay(d, 18); });
  Script("dlgHoliday", [&](QDialog& d) {
    EXPECT_EQ(top_row(d), "2011/01/02");
    // A new row takes its place by date and comes into view.
    List(d)->scrollToTop();
    Click(d, "cmdDate");
    Child<QLineEdit>(d, "txtName")->setText(ToQt("植樹の日"));
    Click(d, "cmd登録");
    constexpr int kAfterApril2 = 3 * 12 + 4;
    EXPECT_EQ(FromQt(List(d)->topLevelItem(kAfterApril2)->text(1)), "植樹の日");
    EXPECT_TRUE(visible(d, kAfterApril2));
    Click(d, "CancelButton");
  });
  Open("mnuHoliday");
  // Nothing in this year or later: the list opens at its end.
  session.holidays.resize(36);  // 2008 to 2010
  Script("dlgHoliday", [&](QDialog& d) {
    EXPECT_TRUE(visible(d, 35));
    EXPECT_NE(top_row(d), "2008/01/02");
    Click(d, "CancelButton");
  });
  Open("mnuHoliday");
}

TEST_F(EditorsTest, HolidayCancelKeepsTheTableAndAnEmptiedTableLeavesTheFile) {
  ASSERT_FALSE(
      WriteTextFile(HolidayFilePath(session), "\"#2011/01/01#\",\"元日\"\r\n\"#2011/01/10#\",\"成人の日\"\r\n"));
  LoadHolidays(session, testing::Unread());
  const HolidayTable before = session.holidays;
  const std::string file = FileBytes(HolidayFilePath(session));
  session.settings.show_holiday_names = 1;
  const auto delete_all = [&](const char* close) {
    Script("dlgHoliday", [&, close](QDialog& d) {
      EXPECT_TRUE(Child<QCheckBox>(d, "CheckHolidayName")->isChecked());
      while (!Rows(d).empty()) {
        ClickRow(d, 0);
        platform.message_replies = {MessageButton::Yes};
        Click(d, "cmd削除");
      }
      Child<QCheckBox>(d, "CheckHolidayName")->setChecked(false);
      Click(d, close);
    });
    Open("mnuHoliday");
  };
  delete_all("CancelButton");
  EXPECT_EQ(session.holidays, before);
  EXPECT_EQ(session.settings.show_holiday_names, 1);
  delete_all("OKButton");
  EXPECT_TRUE(session.holidays.empty());
  EXPECT_EQ(session.settings.show_holiday_names, 0);
  EXPECT_TRUE(WriteAtExit(session, testing::Unread()));
  EXPECT_EQ(FileBytes(HolidayFilePath(session)), file);
}

// --- no-collection periods ---

TEST_F(EditorsTest, NoneEditorOpensEmptyWithTheCategoriesAndChecksTheDatesInOrder) {
  session.settings.category = {};
  session.settings.category[0] = "燃やせるごみ";
  session.settings.category[2] = "ペットボトル";
  QDialog* none = nullptr;
  Script("dlgCalendar", [](QDialog& d) { ClickDay(d, 5); });
  Script("dlgNone", [&](QDialog& d) {
    none = &d;
    EXPECT_EQ(FromQt(d.windowTitle()), "回収のない期間の設定");
    const char* const keys[] = {"nStart", "nEnd", "nCategory"};
    ExpectColumns(d, {{"開始日", 25}, {"終了日", 25}, {"カテゴリー", 45}}, keys);
    EXPECT_TRUE(Rows(d).empty());
    auto* category = Child<QComboBox>(d, "cmbCatedory");
    ASSERT_EQ(category->count(), 3);
    EXPECT_EQ(FromQt(category->itemText(1)), "燃やせるごみ");
    EXPECT_EQ(FromQt(category->itemText(2)), "ペットボトル");
    EXPECT_EQ(FromQt(category->currentText()), "[すべて]");
    QTest::keyClicks(category, "x");
    QTest::keyClick(category, Qt::Key_Delete);
    EXPECT_EQ(FromQt(category->currentText()), "[すべて]");
    EXPECT_FALSE(Enabled(d, "cmd削除"));
    EXPECT_FALSE(Enabled(d, "cmd新規"));

    auto* start = Child<QLabel>(d, "lblDateStart");
    auto* end = Child<QLabel>(d, "lblDateEnd");
    Click(d, "cmdDateEnd");
    EXPECT_EQ(Text(end), "2011/04/05");
    Click(d, "cmd登録");
    ExpectTold("開始日を指定してください.", "期間の指定");
    EXPECT_EQ(Focused(d), "cmdDateStart");
    start->setText("2011/05/06");
    end->clear();
    Click(d, "cmdDateEnd");  // at the start's month, not this month
    EXPECT_EQ(Text(end), "2011/05/05");
    end->clear();
    Click(d, "cmd登録");
    ExpectTold("終了日を指定してください.", "期間の指定");
    EXPECT_EQ(Focused(d), "cmdDateEnd");
    end->setText("2011/05/05");
    Click(d, "cmd登録");
    ExpectTold("開始日を終了日以降に設定しようとしています", "期間の指定");
    EXPECT_EQ(Focused(d), "cmdDateEnd");
    // One day is a period.
    start->setText("2011/05/05");
    Click(d, "cmd登録");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Rows(d), (std::vector<QStringList>{{"2011/05/05", "2011/05/05", ToQt("[すべて]")}}));
    // The fields wait for the next period.
    EXPECT_FALSE(List(d)->topLevelItem(0)->isSelected());
    EXPECT_EQ(Focused(d), "cmdDateStart");
    EXPECT_EQ(Text(start), "");
    Click(d, "OKButton");
  });
  Open("mnuNone");
  EXPECT_EQ(parents, (std::vector<QWidget*>{window.get(), none, none}));
  EXPECT_EQ(session.periods, (NoneTermTable{{{2011, 5, 5}, {2011, 5, 5}, "[すべて]"}}));
}

TEST_F(EditorsTest, NoneEditorPeriodWrittenAtExitIsTheFileExampleLine) {
  Script("dlgNone", [](QDialog& d) {
    Child<QLabel>(d, "lblDateStart")->setText("2011/12/29");
    Child<QLabel>(d, "lblDateEnd")->setText("2012/1/3");
    Click(d, "cmd登録");
    Click(d, "OKButton");
  });
  Open("mnuNone");
  EXPECT_TRUE(WriteAtExit(session, testing::Unread()));
  EXPECT_EQ(FileBytes(NoneTermFilePath(session)),
            sjis::Encode("\"#2011/12/29#\",\"#2012/01/03#\",\"[すべて]\"\r\n").bytes);
}

TEST_F(EditorsTest, NoneEditorOverwriteDeleteNewAndCancel) {
  session.settings.category[0] = "燃やせるごみ";
  session.periods = {{{2011, 12, 29}, {2012, 1, 3}, "[すべて]"},
                     {{2011, 8, 13}, {2011, 8, 16}, ""},
                     {{2011, 5, 3}, {2011, 5, 5}, "燃やせるごみ"}};
  ASSERT_TRUE(SaveNoCollectionPeriods(session, testing::Unread()));
  const NoneTermTable before = session.periods;
  const std::string file = FileBytes(NoneTermFilePath(session));
  Script("dlgNone", [&](QDialog& d) {
    // The period without a category is not listed.
    ASSERT_EQ(Rows(d).size(), 2u);
    ClickRow(d, 0);
    EXPECT_EQ(Text(Child<QLabel>(d, "lblDateStart")), "2011/12/29");
    EXPECT_EQ(Text(Child<QLabel>(d, "lblDateEnd")), "2012/01/03");
    Child<QComboBox>(d, "cmbCatedory")->setCurrentIndex(1);
    Child<QLabel>(d, "lblDateStart")->setText("2011/12/30");
    platform.message_replies = {MessageButton::No};
    Click(d, "cmd登録");
    ExpectAsked("選択された項目\r\n2011/12/29 2012/01/03 [すべて]\r\nを上書きしますか?", "上書き確認");
    EXPECT_EQ(Rows(d)[0], (QStringList{"2011/12/29", "2012/01/03", ToQt("[すべて]")}));
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmd登録");
    platform.messages.clear();
    EXPECT_EQ(Rows(d)[0], (QStringList{"2011/12/30", "2012/01/03", ToQt("燃やせるごみ")}));
    EXPECT_TRUE(List(d)->topLevelItem(0)->isSelected());
    EXPECT_EQ(Rows(d).size(), 2u);

    ClickRow(d, 1);
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmd削除");
    ExpectAsked("選択された項目\r\n2011/05/03 2011/05/05 燃やせるごみ\r\n削除してよろしいですか?", "削除確認");
    EXPECT_EQ(Rows(d).size(), 1u);
    EXPECT_EQ(Text(Child<QLabel>(d, "lblDateStart")), "");
    EXPECT_EQ(FromQt(Child<QComboBox>(d, "cmbCatedory")->currentText()), "[すべて]");
    EXPECT_EQ(Focused(d), "cmdDateStart");

    ClickRow(d, 0);
    Click(d, "cmd新規");
    EXPECT_EQ(List(d)->selectedItems().size(), 0);
    EXPECT_EQ(Text(Child<QLabel>(d, "lblDateEnd")), "");
    EXPECT_FALSE(Enabled(d, "cmd削除"));
    EXPECT_EQ(Focused(d), "cmdDateStart");
    d.close();  // the close box stores nothing
  });
  Open("mnuNone");
  EXPECT_EQ(session.periods, before);
  EXPECT_EQ(FileBytes(NoneTermFilePath(session)), file);
  // O K without a change drops the unlisted period; removing every row
  // deletes the file at exit.
  Script("dlgNone", [](QDialog& d) { Click(d, "OKButton"); });
  Open("mnuNone");
  EXPECT_EQ(session.periods, (NoneTermTable{before[0], before[2]}));
  Script("dlgNone", [&](QDialog& d) {
    while (!Rows(d).empty()) {
      ClickRow(d, 0);
      platform.message_replies = {MessageButton::Yes};
      Click(d, "cmd削除");
    }
    Click(d, "OKButton");
  });
  Open("mnuNone");
  EXPECT_TRUE(session.periods.empty());
  EXPECT_TRUE(WriteAtExit(session, testing::Unread()));
  EXPECT_FALSE(Fs().FileExists(NoneTermFilePath(session)));
}

}  // namespace
}  // namespace dustora
