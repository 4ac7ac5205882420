#include "ui/palette_dialog.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <map>
#include <stdexcept>

#include "core/color.h"
#include "support/fake_platform.h"
#include "ui/color_swatch.h"
#include "ui/qt_dialog.h"
#include "ui/qt_text.h"
#include "ui/target_registry.h"

namespace dustora {
namespace {

using testing::FakePlatform;
using Names = std::vector<int>;

constexpr std::int32_t kNavy = 0x800000, kRed = 0x0000FF, kLime = 0x00FF00, kGreen = 0x008000;

class PaletteTest : public ::testing::Test {
 protected:
  // A swatch of the owner window under `code`; every write is counted.
  void AddSwatch(int code, std::int32_t color) {
    colors[code] = color;
    ASSERT_TRUE(RegisterColorTarget(
        code, &owner, [this, code] { return colors[code]; },
        [this, code](std::int32_t value) { colors[code] = value, ++writes; }));
  }
  // Opens the palette for `code`; `act` drives the shown dialog. The result code.
  int Open(int code, const std::function<void(QDialog&)>& act) {
    int result = -1;
    driver->dialog_scripts["dlgPalette"] = [&](ModalDialog& modal) {
      QDialog& dialog = static_cast<QtDialog&>(modal).dialog();
      dialog.show();
      act(dialog);
      return result = dialog.result();
    };
    ShowPalette(&owner, code);
    EXPECT_NE(result, -1) << "the palette did not open";
    return result;
  }
  template <typename W = QWidget>
  static W* Child(QDialog& d, const QString& name) {
    W* w = d.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  static ColorSwatch* Swatch(QDialog& d, int i) { return Child<ColorSwatch>(d, QString("PicPalete(%1)").arg(i)); }
  static QLabel* Name(QDialog& d, int i) { return Child<QLabel>(d, QString("lblColorName(%1)").arg(i)); }
  static std::string Text(QDialog& d) { return FromQt(Child<QLabel>(d, "lblSelectedColor")->text()); }
  static std::int32_t Shown(QDialog& d) { return Child<ColorSwatch>(d, "picSelectedColor")->colorValue(); }
  static void Click(QDialog& d, const QString& name) { QTest::mouseClick(Child(d, name), Qt::LeftButton); }
  static void Pick(QDialog& d, int i) { QTest::mouseClick(Swatch(d, i), Qt::LeftButton); }
  // The highlighted names (white on navy); all others must show black text unfilled.
  static Names Lit(QDialog& d) {
    Names lit;
    for (int i = 0; i < 16; ++i) {
      const QLabel* l = Name(d, i);
      const bool on = l->autoFillBackground() && l->palette().color(QPalette::Window) == QColor(0, 0, 128);
      EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(on ? Qt::white : Qt::black)) << i;
      if (on) lit.push_back(i);
    }
    return lit;
  }

  FakePlatform platform;
  FakePlatform* driver = &platform;  // the platform that runs the palette
  QWidget owner;
  std::map<int, std::int32_t> colors;
  int writes = 0;
};

TEST_F(PaletteTest, OpensFromTheTargetAndOkWritesItBackUnchanged) {
  AddSwatch(color_target::kGridBorder, ColorTextToValue("#123456"));
  const int result = Open(3, [](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "色の選択");
    EXPECT_TRUE(Child<QPushButton>(d, "OKButton")->isDefault());
    // The colour text asks for the system's fixed-pitch face.
    EXPECT_EQ(Child(d, "lblSelectedColor")->font().styleHint(), QFont::Monospace);
    EXPECT_EQ(Text(d), "#123456");
    EXPECT_EQ(Shown(d), 0x563412);
    EXPECT_EQ(Lit(d), Names{});
    Click(d, "OKButton");
  });
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(colors[3], 0x563412);
  EXPECT_EQ(writes, 1);
}

TEST_F(PaletteTest, TheSixteenColoursFillTheGridRowByRowWithTheirNamesUnder) {
  const char* named[] = {"black #000000 黒",    "gray #808080 灰色",   "silver #C0C0C0 銀色", "white #FFFFFF 白",
                         "blue #0000FF 青",     "navy #000080 紺",     "teal #008080 青緑",   "green #008000 緑",
                         "aqua #00FFFF 水色",   "lime #00FF00 黄緑",   "yellow #FFFF00 黄",   "fuchsia #FF00FF 赤紫",
                         "olive #808000 オリーブ", "purple #800080 紫", "maroon #800000 栗色", "red #FF0000 赤"};
  Open(3, [&](QDialog& d) {
    for (int i = 0; i < 16; ++i) {
      EXPECT_EQ(FromQt(Name(d, i)->text()) + " " + ColorValueToText(Swatch(d, i)->colorValue()) + " " +
                    FromQt(Swatch(d, i)->toolTip()),
                named[i]);
      EXPECT_EQ(Name(d, i)->toolTip(), Swatch(d, i)->toolTip());
      EXPECT_EQ(Swatch(d, i)->pos(), QPoint(Swatch(d, i % 4)->x(), Swatch(d, i / 4 * 4)->y())) << i;
      EXPECT_TRUE(i % 4 == 0 || Swatch(d, i)->x() > Swatch(d, i - 1)->x()) << i;
      EXPECT_TRUE(i < 4 || Swatch(d, i)->y() > Name(d, i - 4)->y()) << i;
    }
  });
}

TEST_F(PaletteTest, EachChoiceMovesTheHighlightAndEnterWritesOnlyTheLastOne) {
  AddSwatch(10, 0x123456);
  platform.color_replies = {std::nullopt, 0xBC9A12};
  Open(10, [](QDialog& d) {
    QPalette grey_text = d.palette();  // the unlit names stay black whatever the theme says
    grey_text.setColor(QPalette::WindowText, Qt::gray);
    d.setPalette(grey_text);
    Pick(d, 5);
    EXPECT_EQ(Text(d), "#000080");
    EXPECT_EQ(Shown(d), kNavy);
    EXPECT_EQ(Lit(d), Names{5});
    QTest::mousePress(Swatch(d, 3), Qt::LeftButton);  // released outside: no click
    QTest::mouseRelease(Swatch(d, 3), Qt::LeftButton, {}, QPoint(-5, -5));
    QTest::mouseClick(Name(d, 9), Qt::LeftButton);
    EXPECT_EQ(Shown(d), kLime);
    EXPECT_EQ(Lit(d), Names{9});
    EXPECT_EQ(Name(d, 9)->grab().toImage().pixelColor(1, 1), QColor(0, 0, 128));
    EXPECT_EQ(Name(d, 5)->grab().toImage().pixelColor(1, 1), d.palette().color(QPalette::Window));
    Click(d, "cmdShowColor");  // cancelled: the choice stays, the highlight goes
    EXPECT_EQ(Text(d), "#00FF00");
    EXPECT_EQ(Lit(d), Names{});
    EXPECT_EQ(FromQt(Child(d, "picSelectedColor")->toolTip()), "黄緑");
    Click(d, "cmdShowColor");
    EXPECT_EQ(Text(d), "#129ABC");
    EXPECT_EQ(Shown(d), 0xBC9A12);
    EXPECT_EQ(FromQt(Child(d, "picSelectedColor")->toolTip()), "#129ABC");
    QTest::keyClick(&d, Qt::Key_Return);
  });
  EXPECT_EQ(platform.color_dialogs, (std::vector<std::int32_t>{kLime, kLime}));
  EXPECT_EQ(colors[10], 0xBC9A12);
  EXPECT_EQ(writes, 1);
}

TEST_F(PaletteTest, AFailingColourDialogIsSilent) {
  struct BrokenColorDialog : FakePlatform {
    std::optional<std::int32_t> ChooseColor(std::int32_t) override { throw std::runtime_error("no dialog"); }
  } broken;
  driver = &broken;
  Open(5, [](QDialog& d) {
    Pick(d, 5);
    Click(d, "cmdShowColor");
    EXPECT_EQ(Text(d), "#000080");
    EXPECT_EQ(Lit(d), Names{});
    EXPECT_TRUE(d.isVisible());
  });
  EXPECT_TRUE(broken.messages.empty());
}

TEST_F(PaletteTest, CancelCloseBoxAndEscapeWriteNothingAndEachOpeningStartsAfresh) {
  AddSwatch(3, 0x563412);
  const std::function<void(QDialog&)> closes[] = {[](QDialog& d) { Click(d, "CancelButton"); },
                                                  [](QDialog& d) { d.close(); },
                                                  [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }};
  for (const auto& close : closes) {
    const int result = Open(3, [&](QDialog& d) {
      EXPECT_EQ(Text(d), "#123456");
      EXPECT_EQ(Lit(d), Names{});
      Pick(d, 15);
      close(d);
    });
    EXPECT_EQ(result, QDialog::Rejected);
  }
  EXPECT_EQ(writes, 0);
}

TEST_F(PaletteTest, RuleRowCodeWritesOnlyThatRowAndANamedColourIsNotHighlighted) {
  for (int row = 0; row < 5; ++row) AddSwatch(color_target::kRuleRow0 + row, row == 2 ? kGreen : row);
  Open(12, [](QDialog& d) {
    EXPECT_EQ(Text(d), "#008000");
    EXPECT_EQ(Lit(d), Names{});
    Pick(d, 13);
    Click(d, "OKButton");
  });
  EXPECT_EQ(colors, (std::map<int, std::int32_t>{{10, 0}, {11, 1}, {12, 0x800080}, {13, 3}, {14, 4}}));
}

TEST_F(PaletteTest, OtherCodesReadAndWriteNothingAndColourCodesStandApartFromFontCodes) {
  for (int code : {-1, 6, 9, 15}) EXPECT_FALSE(RegisterColorTarget(code, &owner, {}, {})) << code;
  QVariant font = QStringLiteral("ＭＳ 明朝");
  TargetRegistry::Register(TargetKind::Font, 3, &owner, {[&] { return font; }, {}});
  TargetRegistry::Register(TargetKind::Color, 7, &owner, {[] { return QVariant(0x123456); }, [&](auto&) { ++writes; }});
  AddSwatch(3, 0x563412);
  const int result = Open(7, [](QDialog& d) {
    EXPECT_EQ(Text(d), "");
    EXPECT_EQ(Shown(d), 0);
    Pick(d, 15);
    Click(d, "OKButton");
  });
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(writes, 0);
  Open(3, [](QDialog& d) {
    EXPECT_EQ(Text(d), "#123456");
    Click(d, "OKButton");
  });
  EXPECT_EQ(writes, 1);
  EXPECT_EQ(TargetRegistry::Read(&owner, TargetKind::Font, 3), font);
}

// Each window answers for its own controls only, and for a control that
// was registered before it was put into the window.
TEST_F(PaletteTest, EachWindowAnswersOnlyForItsOwnControls) {
  QWidget other;
  TargetRegistry::Register(TargetKind::Color, 4, &other, {[] { return QVariant(0x123456); }, {}});
  EXPECT_EQ(TargetRegistry::Read(&other, TargetKind::Color, 4), QVariant(0x123456));
  EXPECT_EQ(TargetRegistry::Read(&owner, TargetKind::Color, 4), std::nullopt);
  QWidget page;
  TargetRegistry::Register(TargetKind::Color, 5, &page, {[] { return QVariant(0x654321); }, {}});
  EXPECT_EQ(TargetRegistry::Read(&owner, TargetKind::Color, 5), std::nullopt);
  page.setParent(&owner);
  EXPECT_EQ(TargetRegistry::Read(&owner, TargetKind::Color, 5), QVariant(0x654321));
  page.setParent(nullptr);
}

TEST_F(PaletteTest, FailedReadAndWriteShowTheirErrorsAndLeaveTheDialogOpen) {
  const auto fail = [](auto...) -> std::int32_t { throw std::runtime_error("gone"); };
  RegisterColorTarget(3, &owner, fail, fail);
  const int result = Open(3, [](QDialog& d) {
    EXPECT_EQ(Text(d), "");
    EXPECT_EQ(Swatch(d, 15)->colorValue(), kRed);  // filled before the read
    Click(d, "OKButton");
    EXPECT_TRUE(d.isVisible());
    Click(d, "CancelButton");
  });
  EXPECT_EQ(result, QDialog::Rejected);
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_TRUE(platform.messages[0].text.starts_with("エラーが発生しました(Palette.load)\r\n"));
  EXPECT_TRUE(platform.messages[1].text.starts_with("エラーが発生しました(Palette.OKButton)\r\n"));
  EXPECT_EQ(platform.messages[1].title, "エラー情報");
}

}  // namespace
}  // namespace dustora
