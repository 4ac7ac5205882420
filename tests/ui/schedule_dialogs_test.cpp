// The windows of the months of rule rows, the dated changes with the
// holiday rules, and the document's own every-other-week base, walked by
// keyboard as a user does.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "core/encoding.h"
#include "core/filesystem.h"

#include "support/ui_driver.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;
using testing::Enabled;
using testing::Text;

class ScheduleDialogsTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    session.settings.category[0] = "燃やせるごみ";
    session.settings.category[1] = "資源ごみ";
    session.document.StoreRow(RuleKind::Week2nd, 0, {"火", "資源ごみ", "", "#0000FF"});
    OpenMainWindow();
  }
  // A key on the focused control of the dialog, as the keyboard sends it.
  static void Key(QDialog& d, Qt::Key key) { QTest::keyClick(d.focusWidget() ? d.focusWidget() : &d, key); }
  QPushButton* MonthButton(int row) {
    return Child<QPushButton>(*window, ("cmdMonths(" + std::to_string(row) + ")").c_str());
  }
};

TEST_F(ScheduleDialogsTest, TheRuleEditorsMonthButtonOpensTheMonthsOfItsRow) {
  Child<QTabBar>(*window, "TabWeek")->setCurrentIndex(3);  // 第２
  EXPECT_EQ(FromQt(MonthButton(0)->text()), "毎月");
  EXPECT_FALSE(MonthButton(1)->isEnabled());  // no category
  // Each step: the control the focus is on (Tab takes it there), and a key.
  using Steps = std::vector<std::pair<const char*, Qt::Key>>;
  struct Walk {
    const char* what;
    Steps steps;
    MonthSet months;    // in the document afterwards
    bool told = false;  // O K with no month says so and stays
  };
  const Walk walks[] = {
      {"even months, then January too",
       {{"cmdEvenMonths", Qt::Key_Space}, {"CheckMonth(0)", Qt::Key_Space}, {"CheckMonth(0)", Qt::Key_Return}},
       0x1556},
      {"Escape changes nothing", {{"cmdOddMonths", Qt::Key_Space}, {"CheckMonth(0)", Qt::Key_Escape}}, 0x1556},
      {"no month is refused", {{"CheckMonth(0)", Qt::Key_Return}}, 0x1556, true},
      {"every month again", {{"cmdEveryMonth", Qt::Key_Space}, {"CheckMonth(5)", Qt::Key_Return}}, kEveryMonth},
  };
  for (const Walk& walk : walks) {
    platform.messages.clear();
    Script("dlgMonths", [&](QDialog& d) {
      EXPECT_EQ(FromQt(d.windowTitle()), "収集する月");
      for (int i = 0; i < 12 && walk.told; ++i) {
        Child<QCheckBox>(d, ("CheckMonth(" + std::to_string(i) + ")").c_str())->setChecked(false);
      }
      for (const auto& [focus, key] : walk.steps) {
        Child<QWidget>(d, focus)->setFocus();
        Key(d, key);
      }
      if (walk.told) Click(d, "CancelButton");
    });
    MonthButton(0)->click();
    EXPECT_EQ(session.document.months[SlotOf(RuleKind::Week2nd, 0)], walk.months) << walk.what;
    EXPECT_EQ(platform.messages.size(), walk.told ? 1u : 0u) << walk.what;
  }
  EXPECT_TRUE(session.document.modified);
  session.document.months[SlotOf(RuleKind::Week2nd, 0)] = 0x1554;
  Child<QTabBar>(*window, "TabWeek")->setCurrentIndex(0);
  Child<QTabBar>(*window, "TabWeek")->setCurrentIndex(3);
  // Six months do not fit: the button is cut and its tooltip has them all.
  EXPECT_NE(FromQt(MonthButton(0)->text()), "2,4,6,8,10,12月");
  EXPECT_EQ(FromQt(MonthButton(0)->toolTip()), "2,4,6,8,10,12月");
}

TEST_F(ScheduleDialogsTest, DatedChangesAndHolidayRulesAreEditedAndStoredOnOk) {
  session.document.day_changes = {{2011, 8, 16, false, "燃やせるごみ"}};
  Script("dlgCalendar", [](QDialog& d) { testing::ClickDay(d, 29); });
  Script("dlgDay", [&](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "臨時の収集日と休みの設定");
    auto* category = Child<QComboBox>(d, "cmbCategory");
    EXPECT_EQ(FromQt(category->currentText()), "[すべて]");
    // A yearly day without collection, by keyboard: the date's "...", 毎年, Enter.
    Click(d, "cmdDate");
    EXPECT_EQ(Text(Child<QLabel>(d, "lblDate")), "2011/04/29");
    Child<QCheckBox>(d, "CheckEveryYear")->setFocus();
    Key(d, Qt::Key_Space);
    Key(d, Qt::Key_Return);
    // A day of collection offers no [すべて]; without a date 登録 says so.
    Click(d, "OptionCollect");
    EXPECT_EQ(category->findText(QStringLiteral("[すべて]")), -1);
    Click(d, "cmd登録");
    EXPECT_EQ(platform.messages.back().text, "日付を指定してください.");
    Child<QLabel>(d, "lblDate")->setText(QStringLiteral("2011/05/02"));
    category->setCurrentIndex(category->findText(ToQt("資源ごみ")));
    Click(d, "cmd登録");
    auto* list = Child<QTreeWidget>(d, "ListView1");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(FromQt(list->topLevelItem(0)->text(0)), "毎年 04/29");
    EXPECT_EQ(FromQt(list->topLevelItem(1)->text(1) + list->topLevelItem(1)->text(2)), "収集資源ごみ");
    // The holiday list: [すべて] and the document's categories.
    auto* holiday = Child<QListWidget>(d, "lstHoliday");
    ASSERT_EQ(holiday->count(), 2);
    holiday->item(1)->setCheckState(Qt::Checked);
    Click(d, "OKButton");
  });
  Child<QAction>(*window, "mnuDay")->trigger();
  EXPECT_EQ(session.document.day_changes, (std::vector<DayChange>{{std::nullopt, 4, 29, false, "[すべて]"},
                                                                  {2011, 5, 2, true, "資源ごみ"},
                                                                  {2011, 8, 16, false, "燃やせるごみ"}}));
  EXPECT_EQ(session.document.holiday_rules, std::vector<std::string>{"資源ごみ"});
  EXPECT_TRUE(session.document.modified);
}

TEST_F(ScheduleDialogsTest, TheDocumentsOwnBaseDateGoesWithTheDocument) {
  session.settings.every_other_base = "2011/04/06";
  Script("dlgCalendar", [](QDialog& d) { testing::ClickDay(d, 13); });
  Script("dlgEveryOther", [&](QDialog& d) {
    auto* own = Child<QCheckBox>(d, "CheckDocumentBase");
    EXPECT_FALSE(own->isChecked());
    own->setFocus();
    Key(d, Qt::Key_Space);
    Click(d, "cmdCal");
    EXPECT_EQ(Text(Child<QLabel>(d, "lblOmoteDay")), "2011/04/13");
    own->setFocus();
    Key(d, Qt::Key_Space);  // the settings' date comes back while unchecked
    EXPECT_EQ(Text(Child<QLabel>(d, "lblOmoteDay")), "2011/04/06");
    Key(d, Qt::Key_Space);
    Click(d, "OKButton");
  });
  Child<QAction>(*window, "mnuEveryOther")->trigger();
  EXPECT_EQ(session.document.every_other_base, (Date{2011, 4, 13}));
  EXPECT_EQ(session.settings.every_other_base, "2011/04/06");
  EXPECT_TRUE(session.document.modified);
}

// 年間一覧表作成 by keyboard: April of the fiscal year proposed, a mark
// changed with a refused empty label on the way, O K writes the sheet and
// shows it; Escape writes nothing; an unchanged mark leaves the document
// unmodified.
TEST_F(ScheduleDialogsTest, TheSheetDialogChangesMarksAndWritesTheSheet) {
  platform.today = Date{2012, 2, 10};  // in the fiscal year 2011
  session.document.StoreRow(RuleKind::EveryWeek, 0, {"月", "燃やせるごみ", "", "#FF0000"});
  session.document.modified = false;
  const std::string sheet = JoinPath(session.folders.data_folder, "sheet.html");
  struct Walk {
    const char* what;
    std::vector<std::pair<const char*, std::string>> steps;  // a control, and keys or text typed there
    bool written;
    const char* first_row;  // of lstMarks when the walk ends
    const char* told = nullptr;
  };
  const Walk walks[] = {
      {"Escape", {{"lstMarks", "Escape"}}, false, "●燃　燃やせるごみ"},
      {"Enter without a change", {{"lstMarks", "Return"}}, true, "●燃　燃やせるごみ"},
      {"an empty label, then one typed, a symbol chosen",
       {{"txtLabel", "Backspace"},
        {"txtLabel", "Return"},
        {"txtLabel", "ご"},
        {"cmbSymbol", "Down"},
        {"txtLabel", "Return"}},
       true,
       "▲ご　燃やせるごみ",
       "短い名前を入力してください: 燃やせるごみ"},
  };
  for (const Walk& walk : walks) {
    std::filesystem::remove(sheet);
    platform.messages.clear();
    Script("dlgSheet", [&](QDialog& d) {
      EXPECT_EQ(FromQt(d.windowTitle()), "年間一覧表作成");
      EXPECT_EQ(FromQt(Child<QComboBox>(d, "cmbYear")->currentText() + Child<QComboBox>(d, "cmbMonth")->currentText()),
                "20114");
      EXPECT_NE(Text(Child<QLabel>(d, "lblPreview")).find("●燃"), std::string::npos);
      for (const auto& [control, keys] : walk.steps) {
        Child<QWidget>(d, control)->setFocus();
        if (keys == "Escape" || keys == "Return" || keys == "Backspace" || keys == "Down") {
          const Qt::Key key = keys == "Escape"   ? Qt::Key_Escape
                              : keys == "Return" ? Qt::Key_Return
                              : keys == "Down"   ? Qt::Key_Down
                                                 : Qt::Key_Backspace;
          Key(d, key);
        } else {
          testing::Type(d.focusWidget(), ToQt(keys));
        }
      }
      EXPECT_EQ(FromQt(Child<QListWidget>(d, "lstMarks")->item(0)->text()), walk.first_row) << walk.what;
    });
    window->findChild<QAction*>(QStringLiteral("mnuSheet"))->trigger();
    EXPECT_EQ(std::filesystem::exists(sheet), walk.written) << walk.what;
    EXPECT_EQ(platform.messages.size(), walk.told ? 1u : 0u) << walk.what;
    if (walk.told) {
      EXPECT_EQ(platform.messages[0].text, walk.told);
    }
  }
  EXPECT_EQ(platform.browsed.back(), sheet);
  std::ifstream written(sheet, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
  EXPECT_NE(sjis::Decode(bytes).find("2011年度 (2011年4月～2012年3月)"), std::string::npos);
  EXPECT_EQ(session.document.sheet_marks.front(), (SheetMark{"燃やせるごみ", "▲", "ご"}));
  EXPECT_TRUE(session.document.modified);
}

}  // namespace
}  // namespace dustora
