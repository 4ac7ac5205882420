#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "output/page.h"
#include "settings/schema.h"
#include "support/ui_driver.h"
#include "tables/holiday.h"
#include "tables/noneterm.h"
#include "ui/color_swatch.h"
#include "ui/design_editor.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;
using testing::Type;

std::string Shown(QDialog& d, const std::string& name) {
  return FromQt(Child<QComboBox>(d, name.c_str())->currentText());
}
std::string Text(QDialog& d, const char* name) {
  return FromQt(Child<QLineEdit>(d, name)->text());
}
QCheckBox* Check(QDialog& d, const char* name) {
  return Child<QCheckBox>(d, name);
}
// The number the editor takes for one it cannot use.
std::string Fallback(Setting id) {
  return SettingOf(id).editor_fallback.value();
}
void Choose(QDialog& d, const std::string& name, const char* item) {
  auto* box = Child<QComboBox>(d, name.c_str());
  box->setCurrentIndex(box->findText(ToQt(item)));
  ASSERT_EQ(FromQt(box->currentText()), item);
}

class DesignTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    OpenMainWindow();
  }
  void Open(const Act& act) {
    Script("frmDesign", act);
    Child<QAction>(*window, "mnuDesign")->trigger();
  }
  std::vector<std::string> Page() {
    const HolidayTable holidays;
    const NoneTermTable periods;
    return PageLines(2011, 4, session.document, OutputSources{session.settings, holidays, periods, ""}).value();
  }
};

TEST_F(DesignTest, OpensFromTheStoredValuesWithTheirFallbacksAndOkKeepsWhatItCannotShow) {
  DesignSettings& design = session.settings.design;
  design.font_size[3] = "9";
  design.cell_style = "inset";
  design.font_align[1] = "左";
  design.fixed_table_width = 0;
  design.table_width = "12345";
  design.cell_height = "";
  design.minimum_column_width = "x";
  design.memo_height = "1000";
  session.document.show_local_name = 1;
  Open([&](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "デザイン");
    auto* tabs = Child<QTabWidget>(d, "TabStrip1");
    ASSERT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(FromQt(tabs->tabText(4)), "メモ欄");
    EXPECT_EQ(Shown(d, "cmbSize(3)"), "");
    EXPECT_EQ(Shown(d, "cmbSize(0)"), "特大");
    EXPECT_EQ(Shown(d, "cmbCellStyle"), "実線");
    EXPECT_EQ(Child<QComboBox>(d, "cmbCellStyle")->count(), 7);
    EXPECT_EQ(Child<QComboBox>(d, "cmbMCellStyle")->count(), 9);
    // The tab keys switch pages from any control and step no box.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    QTest::keyClick(Child(d, "cmbCellStyle"), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    QTest::keyClick(Child(d, "cmbCellStyle"), Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(Shown(d, "cmbCellStyle"), "実線");
    EXPECT_EQ(Shown(d, "cmbAlign(1)"), "右");
    EXPECT_FALSE(Child(d, "cmbAlign(1)")->isEnabled());
    EXPECT_EQ(Text(d, "txtTableWidth"), Fallback(Setting::TableWidth));
    EXPECT_FALSE(Child(d, "txtTableWidth")->isEnabled());
    EXPECT_EQ(Text(d, "txtTDHeight"), Fallback(Setting::CellHeight));
    EXPECT_EQ(Text(d, "txtMinimumWidth"), Fallback(Setting::MinimumColumnWidth));
    EXPECT_FALSE(Child(d, "txtMinimumWidth")->isEnabled());  // equal columns
    EXPECT_EQ(Text(d, "txtMemoHeight"), Fallback(Setting::MemoHeight));
    EXPECT_EQ(Text(d, "txtTitle"), "ダストーラ");
    EXPECT_EQ(Child<QLineEdit>(d, "txtTitle")->maxLength(), 30);
    EXPECT_EQ(Child<QLineEdit>(d, "txtLocalName")->maxLength(), 50);
    EXPECT_EQ(FromQt(Child<QLabel>(d, "lblFontName(0)")->text()), "ＭＳ Ｐゴシック");
    // Turning the area name off frees the heading's alignment, keeping 右.
    Check(d, "CheckLocalName")->click();
    EXPECT_TRUE(Child(d, "cmbAlign(1)")->isEnabled());
    EXPECT_EQ(Shown(d, "cmbAlign(1)"), "右");
    Check(d, "CheckLocalName")->click();
    Click(d, "OKButton");
  });
  EXPECT_EQ(design.font_size[3], "9");
  EXPECT_EQ(design.cell_style, "solid");
  EXPECT_EQ(design.font_align[1], "右");
  EXPECT_EQ(design.table_width, Fallback(Setting::TableWidth));
  EXPECT_EQ(design.cell_height, Fallback(Setting::CellHeight));
  EXPECT_EQ(design.minimum_column_width, Fallback(Setting::MinimumColumnWidth));
  EXPECT_EQ(design.memo_height, Fallback(Setting::MemoHeight));
  EXPECT_EQ(parents, std::vector<QWidget*>{window.get()});
}

TEST_F(DesignTest, NumberBoxesTakeDigitsOnlyAndStoreTheirFallbacks) {
  const auto store = [&](const char* width, const char* minimum, const char* memo) {
    Open([&](QDialog& d) {
      Child<QLineEdit>(d, "txtTableWidth")->setText(width);
      Child<QLineEdit>(d, "txtMinimumWidth")->setText(minimum);
      Child<QLineEdit>(d, "txtMemoHeight")->setText(memo);
      Click(d, "OKButton");
    });
  };
  store("", "", "0");
  EXPECT_EQ(session.settings.design.table_width, Fallback(Setting::TableWidth));
  EXPECT_EQ(session.settings.design.minimum_column_width, Fallback(Setting::MinimumColumnWidth));
  EXPECT_EQ(session.settings.design.memo_height, Fallback(Setting::MemoHeight));
  store("0", "0", "00");
  EXPECT_EQ(session.settings.design.table_width, Fallback(Setting::TableWidth));
  EXPECT_EQ(session.settings.design.minimum_column_width, "0");
  EXPECT_EQ(session.settings.design.memo_height, "00");
  store("00", "12", "7");
  EXPECT_EQ(session.settings.design.table_width, "00");
  Open([&](QDialog& d) {
    Check(d, "CheckTableWidth")->click();
    auto* width = Child<QLineEdit>(d, "txtTableWidth");
    EXPECT_TRUE(width->isEnabled());
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, "1a2b3c45");
    EXPECT_EQ(FromQt(width->text()), "1234");  // letters dropped, 4 digits at most
    QTest::keyClick(width, Qt::Key_Backspace);
    EXPECT_EQ(FromQt(width->text()), "123");
    Click(d, "OKButton");
  });
  EXPECT_EQ(session.settings.design.table_width, "123");
  EXPECT_EQ(session.settings.design.fixed_table_width, 1);
}

TEST_F(DesignTest, OnlyTheDocumentsOwnValuesMarkASavedDocument) {
  session.document.document_path = home.Join("Documents/a.dsc");
  Script("dlgPalette", [](QDialog& d) {
    QTest::mouseClick(Child(d, "PicPalete(15)"), Qt::LeftButton);
    Click(d, "OKButton");
  });
  Open([&](QDialog& d) {
    Click(d, "picCellColor");
    EXPECT_EQ(Child<ColorSwatch>(d, "picCellColor")->colorValue(), 0x0000FF);
    Click(d, "OKButton");
  });
  EXPECT_EQ(session.settings.design.cell_color, "#FF0000");
  EXPECT_FALSE(session.document.modified);
  // A typed character marks it, even when the editor is cancelled.
  Open([&](QDialog& d) {
    Type(Child<QLineEdit>(d, "txtTitle"), ToQt("版"));
    Click(d, "CancelButton");
  });
  EXPECT_TRUE(session.document.modified);
  EXPECT_EQ(session.document.title, "ダストーラ");
  // A document never saved is not marked; its values are still stored.
  session.document.Clear(2011, 4);
  Open([&](QDialog& d) {
    Check(d, "CheckOutput")->click();
    Click(d, "OKButton");
  });
  EXPECT_FALSE(session.document.modified);
  EXPECT_EQ(session.document.memo_output, 1);
}

TEST_F(DesignTest, DefaultsFillTheControlsAndStoreOnlyOnOk) {
  DesignSettings& d = session.settings.design;
  d.font_size = {"1", "1", "1", "1", "1", "1", "1"};
  d.fixed_table_width = 1;
  d.equal_columns = 0;
  d.fixed_memo_height = 1;
  session.document.local_name = "北町";
  const DesignSettings before = d;
  const auto defaults = [&](const char* close) {
    Open([&, close](QDialog& dialog) {
      platform.message_replies = {MessageButton::Yes};
      Click(dialog, "cmdDefault");
      ASSERT_EQ(platform.messages.size(), 1u);
      EXPECT_EQ(platform.messages[0].text, "よろしいですか?");
      EXPECT_EQ(platform.messages[0].title, "初期値に戻す");
      EXPECT_EQ(platform.messages[0].default_button, MessageButton::No);
      platform.messages.clear();
      for (const char* box : {"txtTableWidth", "txtTDHeight", "txtMinimumWidth", "txtMemoHeight"}) {
        EXPECT_FALSE(Child(dialog, box)->isEnabled()) << box;
      }
      EXPECT_EQ(Text(dialog, "txtLocalName"), "");
      Click(dialog, close);
    });
  };
  defaults("CancelButton");
  EXPECT_EQ(d, before);
  EXPECT_EQ(session.document.local_name, "北町");
  defaults("OKButton");
  // What 初期値に戻す stores is the table's editor default of every entry it names.
  int named = 0;
  for (const SettingEntry& entry : SettingsSchema()) {
    if (!entry.editor_default) continue;
    ++named;
    const std::string stored = entry.text ? entry.text_value(session.settings, session.document)
                                          : std::to_string(entry.byte_value(session.settings, session.document));
    EXPECT_EQ(stored, *entry.editor_default) << entry.section << "/" << entry.key;
  }
  EXPECT_EQ(named, 3 * kFontSlotCount + 2 + 3 + 3 + 1 + 6 + 10 + 2);
  EXPECT_EQ(d.font_size, (std::array<std::string, kFontSlotCount>{"6", "6", "3", "5", "5", "3", "5"}));
}

TEST_F(DesignTest, TitleThatShiftJisCannotHoldIsRefusedAtOk) {
  Open([&](QDialog& d) {
    Child<QTabWidget>(d, "TabStrip1")->setCurrentIndex(1);
    // Each character once, with its code: a font may not show it.
    Child<QLineEdit>(d, "txtTitle")->setText(ToQt("ごみ🗑\u200b🗑"));
    Click(d, "OKButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "Shift_JISで保存できない文字が含まれています: 🗑 (U+1F5D1)、\u200b (U+200B)");
    EXPECT_EQ(platform.messages[0].title, "デザイン");
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(Child<QTabWidget>(d, "TabStrip1")->currentIndex(), 0);
    Child<QLineEdit>(d, "txtTitle")->setText(ToQt("ごみ"));
    Click(d, "OKButton");
  });
  EXPECT_EQ(session.document.title, "ごみ");
}

// One control of each kind changed; the page then differs in exactly the
// lines those controls make.
TEST_F(DesignTest, ChangedControlsReachExactlyTheirPageLines) {
  platform.fonts = {"Noto Sans CJK JP"};
  const std::vector<std::string> before = Page();
  Script("dlgFont", [](QDialog& d) {
    auto* list = Child<QListWidget>(d, "List1");
    list->setCurrentItem(list->findItems(ToQt("[Generic(明朝体)]"), Qt::MatchExactly).value(0));
    Click(d, "OKButton");
  });
  Script("dlgPalette", [](QDialog& d) {
    QTest::mouseClick(Child(d, "PicPalete(15)"), Qt::LeftButton);
    Click(d, "OKButton");
  });
  Open([&](QDialog& d) {
    Click(d, "Command1(2)");                               // a font label
    Choose(d, "cmbSize(3)", "最大");                       // a size list
    Choose(d, "cmbAlign(0)", "左");                        // an alignment list
    Click(d, "picMCellColor");                             // a swatch
    Check(d, "CheckTableWidth")->click();                  // a check box
    Child<QLineEdit>(d, "txtTableWidth")->setText("150");  // a number box
    Choose(d, "cmbMStyle", "斜体");                        // a style list
    Click(d, "OKButton");
  });
  const std::vector<std::string> after = Page();
  ASSERT_EQ(after.size(), before.size());
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i] != before[i]) changed.push_back(after[i]);
  }
  const std::string indent(13, ' ');
  EXPECT_EQ(changed, (std::vector<std::string>{
                         "table.cal   {width:150mm;",
                         indent + "text-align:left;}",
                         "td.name     {font:normal normal normal small serif;}",
                         "tr.week     {font:normal normal normal xx-large \"ＭＳ Ｐゴシック\";}",
                         "div#memo    {border-style:solid; border-width:1pt; border-color:#FF0000;",
                         indent + "font:italic normal normal medium \"ＭＳ Ｐゴシック\";",
                     }));
}

}  // namespace
}  // namespace dustora
