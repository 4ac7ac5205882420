#include "ui/palette_dialog.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <optional>
#include <stdexcept>

#include "core/color.h"
#include "support/fake_platform.h"
#include "ui/color_swatch.h"
#include "ui/qt_dialog.h"
#include "ui/qt_text.h"

namespace dustora {
namespace {

using testing::FakePlatform;
using Names = std::vector<int>;

constexpr std::int32_t kNavy = 0x800000, kLime = 0x00FF00, kGreen = 0x008000;

class PaletteTest : public ::testing::Test {
 protected:
  // Opens the palette on `initial`; `act` drives the shown dialog. The
  // result code; the colour it gave back is in `chosen`.
  int Open(std::int32_t initial, const std::function<void(QDialog&)>& act) {
    int result = -1;
    driver->dialog_scripts["dlgPalette"] = [&](ModalDialog& modal) {
      QDialog& dialog = static_cast<QtDialog&>(modal).dialog();
      dialog.show();
      act(dialog);
      return result = dialog.result();
    };
    AttachPlatform(owner, *driver);
    chosen = ChooseColor(initial, &owner);
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
  std::optional<std::int32_t> chosen;
};

TEST_F(PaletteTest, OpensOnTheColourAndOkGivesItBackUnchanged) {
  const int result = Open(ColorTextToValue("#123456"), [](QDialog& d) {
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
  EXPECT_EQ(chosen, 0x563412);
}

TEST_F(PaletteTest, TheSixteenColoursFillTheGridRowByRowWithTheirNamesUnder) {
  const char* named[] = {"black #000000 黒",       "gray #808080 灰色", "silver #C0C0C0 銀色", "white #FFFFFF 白",
                         "blue #0000FF 青",        "navy #000080 紺",   "teal #008080 青緑",   "green #008000 緑",
                         "aqua #00FFFF 水色",      "lime #00FF00 黄緑", "yellow #FFFF00 黄",   "fuchsia #FF00FF 赤紫",
                         "olive #808000 オリーブ", "purple #800080 紫", "maroon #800000 栗色", "red #FF0000 赤"};
  Open(0, [&](QDialog& d) {
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

TEST_F(PaletteTest, EachChoiceMovesTheHighlightAndEnterGivesOnlyTheLastOne) {
  platform.color_replies = {std::nullopt, 0xBC9A12};
  Open(0x123456, [](QDialog& d) {
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
  EXPECT_EQ(chosen, 0xBC9A12);
}

TEST_F(PaletteTest, AFailingColourDialogIsSilent) {
  struct BrokenColorDialog : FakePlatform {
    std::optional<std::int32_t> ChooseColor(std::int32_t) override { throw std::runtime_error("no dialog"); }
  } broken;
  driver = &broken;
  Open(0, [](QDialog& d) {
    Pick(d, 5);
    Click(d, "cmdShowColor");
    EXPECT_EQ(Text(d), "#000080");
    EXPECT_EQ(Lit(d), Names{});
    EXPECT_TRUE(d.isVisible());
  });
  EXPECT_TRUE(broken.messages.empty());
}

TEST_F(PaletteTest, CancelCloseBoxAndEscapeGiveNothingAndANamedColourIsNotHighlighted) {
  const std::function<void(QDialog&)> closes[] = {[](QDialog& d) { Click(d, "CancelButton"); },
                                                  [](QDialog& d) { d.close(); },
                                                  [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }};
  for (const auto& close : closes) {
    const int result = Open(kGreen, [&](QDialog& d) {
      EXPECT_EQ(Text(d), "#008000");
      EXPECT_EQ(Lit(d), Names{});
      Pick(d, 15);
      close(d);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(chosen, std::nullopt);
  }
}

}  // namespace
}  // namespace dustora
