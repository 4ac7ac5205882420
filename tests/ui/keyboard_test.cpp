// Windows used without a mouse: the colour swatches and the palette, and the
// rule boxes' Home, End and page keys from a blank.
#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QTabWidget>
#include <string>

#include "support/ui_driver.h"
#include "ui/choice_combo_box.h"
#include "ui/color_swatch.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;
using testing::Focused;

void Key(QWidget* widget, Qt::Key key) {
  widget->setFocus();
  QTest::keyClick(widget, key);
}

class KeyboardTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    OpenMainWindow();
  }
  ChoiceComboBox* Box(const char* array, int row) {
    return Child<ChoiceComboBox>(*window, (std::string(array) + "(" + std::to_string(row) + ")").c_str());
  }
  int Opened(const char* dialog) const {
    return static_cast<int>(std::count(platform.dialogs.begin(), platform.dialogs.end(), dialog));
  }
};

// A swatch that opens the palette: in the tab order between its neighbours,
// and Space or Enter on it opens the palette and goes no further.
struct SwatchCase {
  const char* name;
  const char* before;  // the control Tab leaves for the swatch
  const char* swatch;
  const char* after;  // where Tab goes from the swatch
  bool in_design_editor;
};
void PrintTo(const SwatchCase& swatch, std::ostream* out) {
  *out << swatch.name;
}

class SwatchKeysTest : public KeyboardTest, public ::testing::WithParamInterface<SwatchCase> {};

TEST_P(SwatchKeysTest, TabReachesTheSwatchAndSpaceOrEnterOpensThePalette) {
  const SwatchCase& c = GetParam();
  Script("dlgPalette", [](QDialog& d) { Click(d, "CancelButton"); });
  const auto drive = [&](QWidget& top) {
    QWidget* before = Child(top, c.before);
    Key(before, Qt::Key_Tab);
    EXPECT_EQ(Focused(top), c.swatch);
    QWidget* swatch = Child(top, c.swatch);
    QTest::keyClick(swatch, Qt::Key_Space);
    QTest::keyClick(swatch, Qt::Key_Return);
    QTest::keyClick(swatch, Qt::Key_Enter);
    EXPECT_EQ(Opened("dlgPalette"), 3);
    EXPECT_TRUE(top.isVisible()) << "Enter reached the default button";
    Key(swatch, Qt::Key_Tab);
    EXPECT_EQ(Focused(top), c.after);
  };
  if (!c.in_design_editor) {
    window->show();
    drive(*window);
    return;
  }
  Script("frmDesign", [&](QDialog& d) {
    Child<QTabWidget>(d, "TabStrip1")->setCurrentIndex(3);
    drive(d);
    Click(d, "CancelButton");
  });
  Child<QAction>(*window, "mnuDesign")->trigger();
}

INSTANTIATE_TEST_SUITE_P(
    Swatches, SwatchKeysTest,
    ::testing::Values(SwatchCase{"RuleRow", "cmbカテゴリー(1)", "picColor(1)", "cmbImage(1)", false},
                      SwatchCase{"GridColour", "cmbBorder", "picCellColor", "CheckTableWidth", true}),
    [](const ::testing::TestParamInfo<SwatchCase>& test) { return std::string(test.param.name); });

TEST_F(KeyboardTest, PaletteIsOneTabStopArrowsMoveEnterOrSpaceChoosesAndCloses) {
  // Shown, so that it takes its first focus as the user sees it.
  const auto show = [](QDialog& d) {
    d.show();
    d.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
  };
  Script("dlgPalette", [&](QDialog& d) {
    show(d);
    EXPECT_EQ(Focused(d), "PicPalete(0)");  // the row has no colour yet: black
    Key(Child(d, "PicPalete(0)"), Qt::Key_Right);
    EXPECT_EQ(Focused(d), "PicPalete(1)");
    QTest::keyClick(Child(d, "PicPalete(1)"), Qt::Key_Down);
    EXPECT_EQ(Focused(d), "PicPalete(5)");
    QTest::keyClick(Child(d, "PicPalete(5)"), Qt::Key_Up);
    QTest::keyClick(Child(d, "PicPalete(1)"), Qt::Key_Up);  // stays in the grid
    QTest::keyClick(Child(d, "PicPalete(1)"), Qt::Key_Left);
    QTest::keyClick(Child(d, "PicPalete(0)"), Qt::Key_Left);
    EXPECT_EQ(Focused(d), "PicPalete(0)");
    for (int i = 0; i < 3; ++i) QTest::keyClick(d.focusWidget(), Qt::Key_Down);
    QTest::keyClick(d.focusWidget(), Qt::Key_Down);
    for (int i = 0; i < 4; ++i) QTest::keyClick(d.focusWidget(), Qt::Key_Right);
    EXPECT_EQ(Focused(d), "PicPalete(15)");
    // One Tab leaves the grid, one Shift+Tab comes back to where it was.
    QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(Focused(d), "picSelectedColor");
    QTest::keyClick(d.focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(Focused(d), "PicPalete(15)");
    QTest::keyClick(d.focusWidget(), Qt::Key_Return);  // red, taken at once
    EXPECT_FALSE(d.isVisible());
  });
  window->show();
  Key(Box("cmbカテゴリー", 2), Qt::Key_Tab);
  QTest::keyClick(Child(*window, "picColor(2)"), Qt::Key_Space);
  EXPECT_EQ(Child<ColorSwatch>(*window, "picColor(2)")->colorValue(), 0x0000FF);
  // The next opening starts on red; Space takes the colour it moved to.
  Script("dlgPalette", [&](QDialog& d) {
    show(d);
    EXPECT_EQ(Focused(d), "PicPalete(15)");
    QTest::keyClick(d.focusWidget(), Qt::Key_Up);
    QTest::keyClick(d.focusWidget(), Qt::Key_Space);  // fuchsia
  });
  QTest::keyClick(Child(*window, "picColor(2)"), Qt::Key_Space);
  EXPECT_EQ(results, (std::vector<int>{QDialog::Accepted, QDialog::Accepted}));
  EXPECT_EQ(Child<ColorSwatch>(*window, "picColor(2)")->colorValue(), 0xFF00FF);
}

// Keys on a rule box that shows a blank: the arrows enter at either end;
// Home and the page keys count from the first item, End goes to the last;
// each is a choice, which marks the document when it changes the row.
struct BlankKey {
  const char* name;
  Qt::Key key;
  int item;  // -1: the last
};
void PrintTo(const BlankKey& key, std::ostream* out) {
  *out << key.name;
}

class BlankBoxKeyTest : public KeyboardTest, public ::testing::WithParamInterface<BlankKey> {};

TEST_P(BlankBoxKeyTest, ChoosesAsFromTheFirstItem) {
  ChoiceComboBox* box = Box("cmbカテゴリー", 0);
  ASSERT_EQ(box->currentText(), QString());
  const int last = box->count() - 1;
  const int expected = GetParam().item < 0 ? last : GetParam().item;
  Key(box, GetParam().key);
  EXPECT_EQ(box->currentText(), box->itemText(expected));
  const std::string stored = expected == 0 ? "" : FromQt(box->itemText(expected));  // (なし) stores nothing
  EXPECT_EQ(session.document.category[0], stored);
  EXPECT_EQ(session.document.modified, expected != 0);  // (なし) on a blank changes nothing
}

INSTANTIATE_TEST_SUITE_P(Keys, BlankBoxKeyTest,
                         ::testing::Values(BlankKey{"Home", Qt::Key_Home, 0}, BlankKey{"PageUp", Qt::Key_PageUp, 0},
                                           BlankKey{"End", Qt::Key_End, -1}, BlankKey{"PageDown", Qt::Key_PageDown, 5},
                                           BlankKey{"Down", Qt::Key_Down, 0}, BlankKey{"Up", Qt::Key_Up, -1}),
                         [](const ::testing::TestParamInfo<BlankKey>& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace dustora
