#include "ui/date_option_dialog.h"
#include "ui/every_other_dialog.h"
#include "ui/save_year_month_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTextCharFormat>
#include <stdexcept>

#include "core/encoding.h"
#include "settings/settings.h"
#include "support/ui_driver.h"
#include "ui/date_picker_dialog.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/startup.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;
using testing::ClickDay;
using testing::Text;

QRadioButton* Option(QDialog& d, int i) {
  return Child<QRadioButton>(d, ("Option日付変更(" + std::to_string(i) + ")").c_str());
}

class OptionsTest : public testing::DialogTest {
 protected:
  // The "..." of a date label showing `text`, the picker driven by `act`;
  // what the label shows afterwards.
  std::string Pick(const std::string& text, const Act& act) {
    QWidget owner;
    AttachPlatform(owner, platform);
    QLabel* label = MakeDateLabel(&owner, "lblDate");
    label->setText(ToQt(text));
    Script("dlgCalendar", act);
    MakePickButton(&owner, "cmdDate", "test.cmdDate", label)->click();
    return Text(label);
  }
  static QDate Shown(QDialog& d) { return Child<QCalendarWidget>(d, "MonthView1")->selectedDate(); }
};

TEST_F(OptionsTest, PickerOpensOnTheLabelsDateElseTodayAndChoosesOnOneClickOrEnter) {
  EXPECT_EQ(Pick(" 2012-2-29 ",
                 [](QDialog& d) {
                   EXPECT_EQ(FromQt(d.windowTitle()), "日付の選択");
                   auto* view = Child<QCalendarWidget>(d, "MonthView1");
                   EXPECT_EQ(view->firstDayOfWeek(), Qt::Sunday);
                   EXPECT_EQ(view->locale().dayName(7, QLocale::ShortFormat), ToQt("日"));
                   EXPECT_EQ(Shown(d), QDate(2012, 2, 29));
                   ClickDay(d, 3);
                   EXPECT_FALSE(d.isVisible());
                 }),
            "2012/02/03");
  for (const char* text : {"(未指定)", "2011/02/29", "11/4/5/6"}) {
    EXPECT_EQ(Pick(text, [](QDialog& d) { EXPECT_EQ(Shown(d), QDate(2011, 4, 1)); }), text);
  }
  // The arrow keys only move, Enter chooses; the close box writes nothing.
  EXPECT_EQ(Pick("2011/04/30",
                 [](QDialog& d) {
                   auto* table = Child<QCalendarWidget>(d, "MonthView1")->findChild<QTableView*>();
                   QTest::keyClick(table, Qt::Key_Right);
                   EXPECT_TRUE(d.isVisible());
                   EXPECT_EQ(Shown(d), QDate(2011, 5, 1));
                   QTest::keyClick(table, Qt::Key_Return);
                   EXPECT_FALSE(d.isVisible());
                 }),
            "2011/05/01");
  EXPECT_EQ(Pick("2011/04/30", [](QDialog& d) { d.close(); }), "2011/04/30");
  EXPECT_EQ(results, (std::vector<int>{1, 0, 0, 0, 1, 0}));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(OptionsTest, PickerHeaderReadsYearThenMonthAndWeekendsAreBlueAndRed) {
  Pick("2026/12/09", [](QDialog& d) {
    auto* view = Child<QCalendarWidget>(d, "MonthView1");
    EXPECT_FALSE(view->isNavigationBarVisible());
    EXPECT_EQ(Text(Child<QLabel>(d, "lblMonth")), "2026年12月");
    auto* table = view->findChild<QTableView*>();
    QTest::keyClick(table, Qt::Key_PageDown);
    EXPECT_EQ(Text(Child<QLabel>(d, "lblMonth")), "2027年1月");
    Click(d, "cmdPrevMonth");
    Click(d, "cmdPrevMonth");
    EXPECT_EQ(Text(Child<QLabel>(d, "lblMonth")), "2026年11月");
    Click(d, "cmdNextMonth");
    EXPECT_EQ(Text(Child<QLabel>(d, "lblMonth")), "2026年12月");
    EXPECT_TRUE(d.isVisible());  // turning the month chooses nothing
    EXPECT_EQ(view->weekdayTextFormat(Qt::Saturday).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(view->weekdayTextFormat(Qt::Sunday).foreground().color(), QColor(255, 0, 0));
    EXPECT_NE(view->weekdayTextFormat(Qt::Friday).foreground().color(), QColor(255, 0, 0));
    d.close();
  });
}

TEST_F(OptionsTest, DateOptionShowsTheSettingAndStoresOnlyOnOk) {
  OpenMainWindow();
  session.settings.special_sunday_option = 2;
  Script("dlgDateOption", [](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "特定日オプション");
    EXPECT_EQ(FromQt(Child<QPushButton>(d, "OKButton")->text()), "O K");
    EXPECT_EQ(FromQt(Child<QPushButton>(d, "CancelButton")->text()), "ｷｬﾝｾﾙ");
    EXPECT_EQ(FromQt(Option(d, 2)->text()), "その日は指定を中止する");
    EXPECT_TRUE(Option(d, 2)->isChecked());
    Click(d, "OKButton");
  });
  QAction* menu = Child<QAction>(*window, "mnuDateOption");
  EXPECT_EQ(FromQt(menu->text()), "特定日オプション(&O)...");
  menu->trigger();
  EXPECT_EQ(session.settings.special_sunday_option, 2);
  Script("dlgDateOption", [](QDialog& d) {
    Option(d, 0)->click();
    Click(d, "CancelButton");
  });
  menu->trigger();
  EXPECT_EQ(session.settings.special_sunday_option, 2);
  Script("dlgDateOption", [](QDialog& d) {
    Option(d, 1)->click();
    Click(d, "OKButton");
  });
  menu->trigger();
  EXPECT_EQ(session.settings.special_sunday_option, 1);
  // A value out of range selects nothing and OK stores 0.
  session.settings.special_sunday_option = 7;
  Script("dlgDateOption", [](QDialog& d) {
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(Option(d, i)->isChecked()) << i;
    Click(d, "OKButton");
  });
  menu->trigger();
  EXPECT_EQ(session.settings.special_sunday_option, 0);
  EXPECT_EQ(parents, std::vector<QWidget*>(4, window.get()));
  EXPECT_EQ(results, (std::vector<int>{1, 0, 1, 1}));
  EXPECT_FALSE(session.document.modified);
}

TEST_F(OptionsTest, EveryOtherBaseDateBeforeAndAfterItIsChosen) {
  OpenMainWindow();
  auto* tabs = Child<QTabBar>(*window, "TabWeek");
  const auto notices = [&] {
    platform.messages.clear();
    tabs->setCurrentIndex(0);
    tabs->setCurrentIndex(9);
    return platform.messages.size();
  };
  EXPECT_EQ(notices(), 1u);
  // OK without a date stores the shown "(未指定)": still no base date.
  Script("dlgEveryOther", [](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "隔週の基準日設定");
    EXPECT_EQ(FromQt(Child<QPushButton>(d, "OKButton")->text()), "O  K");
    EXPECT_EQ(Text(Child<QLabel>(d, "lblOmoteDay")), "(未指定)");
    Click(d, "OKButton");
  });
  Child<QAction>(*window, "mnuEveryOther")->trigger();
  EXPECT_EQ(session.settings.every_other_base, "(未指定)");
  EXPECT_EQ(notices(), 1u);
  EXPECT_EQ(platform.messages[0].text, "隔週の基準日が設定されていません.");

  // From "(未指定)" the picker starts on today; 3 April goes into the label.
  QDialog* every_other = nullptr;
  Script("dlgCalendar", [](QDialog& d) {
    EXPECT_EQ(Shown(d), QDate(2011, 4, 1));
    ClickDay(d, 3);
  });
  Script("dlgEveryOther", [&](QDialog& d) {
    every_other = &d;
    Click(d, "cmdCal");
    EXPECT_EQ(Text(Child<QLabel>(d, "lblOmoteDay")), "2011/04/03");
    Click(d, "OKButton");
  });
  Child<QAction>(*window, "mnuEveryOther")->trigger();
  EXPECT_EQ(session.settings.every_other_base, "2011/04/03");
  EXPECT_EQ(notices(), 0u);
  EXPECT_EQ(parents, (std::vector<QWidget*>{window.get(), window.get(), every_other}));

  EXPECT_FALSE(session.document.modified);
}

TEST_F(OptionsTest, SaveYearMonthWritesTheDateSectionAndClearingStopsReadingIt) {
  OpenMainWindow();
  const auto set = [&](bool save) {
    Script("dlgSelectSetDate", [save](QDialog& d) {
      EXPECT_EQ(FromQt(d.windowTitle()), "ダストーラファイル保存オプション");
      EXPECT_EQ(FromQt(Child<QPushButton>(d, "OKButton")->text()), "O　K");
      auto* box = Child<QCheckBox>(d, "CheckSaveYM");
      EXPECT_EQ(FromQt(box->text()), "[年月]をダストーラファイルに保存する");
      box->setChecked(save);
      Click(d, "OKButton");
    });
    Child<QAction>(*window, "mnuFileOption")->trigger();
    EXPECT_EQ(session.settings.save_year_month, save ? 1 : 0);
  };
  auto* year = Child<QComboBox>(*window, "ComboYear");
  const auto choose_year = [&](const QString& text) {
    year->setCurrentIndex(year->findText(text));
    emit year->activated(year->currentIndex());
    ASSERT_EQ(year->currentText(), text);
  };
  const std::string path = home.Join("Documents/ym.dsc");
  const auto save_as = [&] {
    platform.file_replies.emplace_back(path);
    Child<QAction>(*window, "mnuSaveAs")->trigger();
    return sjis::Decode(home.Read("Documents/ym.dsc"));
  };
  set(true);
  choose_year(QStringLiteral("2012"));
  EXPECT_NE(save_as().find("[Date]\r\nYear=2012\r\n"), std::string::npos);
  set(false);
  choose_year(QStringLiteral("2013"));
  EXPECT_EQ(save_as().find("[Date]"), std::string::npos);  // a save writes the document whole
  platform.file_replies.emplace_back(path);
  Child<QAction>(*window, "mnuOpen")->trigger();
  // Not the stored 2012: an unsaved year is today's.
  EXPECT_EQ(FromQt(year->currentText()), "2011");
  EXPECT_FALSE(session.document.modified);
}

}  // namespace
}  // namespace dustora
