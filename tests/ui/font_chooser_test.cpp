#include "ui/font_chooser_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "support/fake_platform.h"
#include "support/ui_driver.h"
#include "ui/qt_dialog.h"
#include "ui/qt_text.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;
using testing::Text;
using Names = std::vector<std::string>;

const char* const kGothic = "[Generic(ゴシック体)]";
const char* const kMincho = "[Generic(明朝体)]";
const char* const kFixed = "[Generic(等幅フォント)]";

// A system with a vertical-writing face, special names, a name Shift_JIS
// cannot hold, and families out of alphabetical order.
const Names kInstalled = {"ＭＳ ゴシック", "@ＭＳ ゴシック", "$x", "&y", "%z", "Noto 😀", "x@y", "", "ＭＳ Ｐ明朝"};
const Names kListed = {"ＭＳ ゴシック", "x@y", "ＭＳ Ｐ明朝", kGothic, kMincho, kFixed};

QListWidget* List(QDialog& d) {
  return Child<QListWidget>(d, "List1");
}
QLabel* Sample(QDialog& d) {
  return Child<QLabel>(d, "rtxtSample");
}
std::string Name(QDialog& d) {
  return Text(Child<QLabel>(d, "lblFontName"));
}
Names Items(QDialog& d) {
  Names items;
  for (int row = 0; row < List(d)->count(); ++row) items.push_back(FromQt(List(d)->item(row)->text()));
  return items;
}
// The highlighted entries.
Names Selected(QDialog& d) {
  Names selected;
  for (const QListWidgetItem* item : List(d)->selectedItems()) selected.push_back(FromQt(item->text()));
  return selected;
}
void ClickEntry(QDialog& d, const std::string& entry) {
  const QList<QListWidgetItem*> items = List(d)->findItems(ToQt(entry), Qt::MatchExactly);
  ASSERT_EQ(items.size(), 1) << entry;
  List(d)->scrollToItem(items.front());
  QTest::mouseClick(List(d)->viewport(), Qt::LeftButton, {}, List(d)->visualItemRect(items.front()).center());
}
// The family the sample really shows for an entry.
QString Shown(QDialog& d) {
  return QFontInfo(Sample(d)->font()).family();
}
void ExpectSampleLook(QDialog& d) {
  EXPECT_EQ(Text(Sample(d)), "123ABあい月火");
  EXPECT_EQ(Sample(d)->font().pointSize(), 12);
  EXPECT_FALSE(Sample(d)->font().bold());
  EXPECT_FALSE(Sample(d)->font().italic());
}

class FontChooserTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    AttachPlatform(owner, platform);
    platform.fonts = kInstalled;
    // A large bold italic owner: the sample must not inherit its font.
    QFont big = owner.font();
    big.setPointSize(20);
    big.setBold(true);
    big.setItalic(true);
    owner.setFont(big);
  }
  // Opens the chooser on `initial`; `act` drives it. Its result code; the
  // name it gave back is in `chosen`.
  int Choose(const std::string& initial, const Act& act) {
    const std::size_t runs = results.size();
    Script("dlgFont", act);
    chosen = ChooseFont(initial, &owner);
    EXPECT_EQ(results.size(), runs + 1) << "the chooser did not open";
    return results.size() > runs ? results.back() : -1;
  }

  QWidget owner;
  std::optional<std::string> chosen;
};

TEST_F(FontChooserTest, ListsTheStorableFamiliesInThePlatformsOrderThenTheGenericEntries) {
  EXPECT_EQ(FontEntries(kInstalled), kListed);
  EXPECT_EQ(FontEntries({}), (Names{kGothic, kMincho, kFixed}));
  // Each family once under the name a page uses; none a style sheet could
  // not name.
  EXPECT_EQ(FontEntries({"C059 [urw]", "C059 [unknown]", "C059", "Nimbus Sans [URW]", "[Generic]", "a<b", "a>b", "a{b",
                         "a}b", "a;b", "a\\b", "a\"b", "a\tb", "a\177b", "Noto Sans"}),
            (Names{"C059", "Nimbus Sans", "[Generic]", "Noto Sans", kGothic, kMincho, kFixed}));
  const int pumps = platform.pump_count;
  Choose("ＭＳ ゴシック", [&](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "フォントの選択");
    EXPECT_TRUE(d.isModal());
    EXPECT_EQ(d.parentWidget(), &owner);
    EXPECT_EQ(Items(d), kListed);
    // Events were handled after each family of the system.
    EXPECT_EQ(platform.pump_count - pumps, static_cast<int>(kInstalled.size()));
    EXPECT_EQ(List(d)->selectionMode(), QAbstractItemView::SingleSelection);
    auto* ok = Child<QPushButton>(d, "OKButton");
    EXPECT_EQ(FromQt(ok->text()), "O\u3000K");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(FromQt(Child<QPushButton>(d, "CancelButton")->text()), "ｷｬﾝｾﾙ");
    for (const char* name : {"List1", "lblFontName", "rtxtSample", "OKButton", "CancelButton"}) {
      EXPECT_EQ(FromQt(Child(d, name)->toolTip()), "[F1]でヘルプ") << name;
    }
    Click(d, "CancelButton");
  });
  // Every entry lives in the settings, so each is a Shift_JIS text.
  for (const std::string& entry : kListed) EXPECT_FALSE(sjis::FirstUnencodable(entry)) << entry;
}

TEST_F(FontChooserTest, OpensOnTheCurrentEntryAndTheHighlightFollowsMouseAndArrowKeys) {
  const int result = Choose(kMincho, [](QDialog& d) {
    EXPECT_EQ(Selected(d), Names{kMincho});
    EXPECT_EQ(Name(d), kMincho);
    ExpectSampleLook(d);
    // The serif stand-in really shows: ＭＳ Ｐ明朝 is only the fake's.
    EXPECT_EQ(Shown(d), SampleFamily(kMincho));
    EXPECT_NE(Shown(d), ToQt("ＭＳ Ｐ明朝"));
    QTest::keyClick(List(d), Qt::Key_Down);
    EXPECT_EQ(Selected(d), Names{kFixed});
    EXPECT_EQ(Name(d), kFixed);
    ExpectSampleLook(d);
    // The chooser asks for a fixed-pitch face; which one the machine has is
    // its own business.
    EXPECT_EQ(Sample(d)->font().styleHint(), QFont::Monospace);
    ClickEntry(d, "ＭＳ ゴシック");
    EXPECT_EQ(Name(d), "ＭＳ ゴシック");
    EXPECT_EQ(Sample(d)->font().family(), ToQt("ＭＳ ゴシック"));
    QTest::keyClick(List(d), Qt::Key_End);
    EXPECT_EQ(Name(d), kFixed);
    Click(d, "OKButton");
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(chosen, kFixed);
}

TEST_F(FontChooserTest, GenericEntriesShowThreeDifferentSystemFamilies) {
  const QString gothic = SampleFamily(kGothic), mincho = SampleFamily(kMincho), fixed = SampleFamily(kFixed);
  EXPECT_NE(gothic, mincho);
  EXPECT_NE(gothic, fixed);
  EXPECT_NE(mincho, fixed);
  for (const QString& family : {gothic, mincho, fixed}) EXPECT_TRUE(QFontDatabase::families().contains(family));
  // Each sample asks for its entry's family and kind, so the glyphs the
  // family lacks come from a face of the same kind.
  const std::pair<const char*, QFont::StyleHint> kinds[] = {
      {kGothic, QFont::SansSerif}, {kMincho, QFont::Serif}, {kFixed, QFont::Monospace}};
  for (const auto& [entry, hint] : kinds) {
    Choose(entry, [&, entry = entry, hint = hint](QDialog& d) {
      EXPECT_EQ(Sample(d)->font().family(), SampleFamily(entry)) << entry;
      EXPECT_EQ(Sample(d)->font().styleHint(), hint) << entry;
    });
  }
  EXPECT_EQ(SampleFamily("ＭＳ Ｐ明朝"), ToQt("ＭＳ Ｐ明朝"));
  // Only the exact generic names stand for a family.
  EXPECT_EQ(SampleFamily("[generic(明朝体)]"), ToQt("[generic(明朝体)]"));
}

TEST_F(FontChooserTest, JapaneseFamilyShowsItsOwnGlyphs) {
  const QString japanese = QStringLiteral("Noto Sans CJK JP");
  if (!QFontDatabase::families().contains(japanese)) GTEST_SKIP() << "no Japanese font installed";
  platform.fonts = {"DejaVu Sans", "Noto Sans CJK JP"};
  Choose("Noto Sans CJK JP", [&](QDialog& d) {
    ExpectSampleLook(d);
    EXPECT_EQ(Shown(d), japanese);
    const QFontMetrics metrics(Sample(d)->font());
    for (const char32_t ch : std::u32string_view(U"123ABあい月火"))
      EXPECT_TRUE(metrics.inFontUcs4(ch)) << static_cast<int>(ch);
  });
}

TEST_F(FontChooserTest, CancelEscapeAndTheCloseBoxGiveNothing) {
  const Act leave[] = {
      [](QDialog& d) { Click(d, "CancelButton"); },
      [](QDialog& d) { QTest::keyClick(List(d), Qt::Key_Escape); },
      [](QDialog& d) { d.close(); },
  };
  for (const Act& how : leave) {
    EXPECT_EQ(Choose("ＭＳ ゴシック",
                     [&how](QDialog& d) {
                       ClickEntry(d, kMincho);
                       EXPECT_EQ(Name(d), kMincho);
                       how(d);
                       EXPECT_FALSE(d.isVisible());
                     }),
              QDialog::Rejected);
    EXPECT_EQ(chosen, std::nullopt);
  }
}

TEST_F(FontChooserTest, UnlistedCurrentFontSelectsNothingAndOkGivesItBackUnchanged) {
  // Not installed, differing only in case, with a trailing blank, the name
  // of one foundry's face (kept as it is stored).
  for (const char* current : {"ＭＳ Ｐゴシック", "[generic(明朝体)]", "ＭＳ ゴシック ", "C059 [urw]"}) {
    Choose(current, [current](QDialog& d) {
      EXPECT_EQ(Selected(d), Names{});
      EXPECT_EQ(Name(d), current);
      // The sample asks for that font; the font system shows its stand-in.
      ExpectSampleLook(d);
      EXPECT_EQ(Sample(d)->font().family(), QFont(SampleFamily(current)).family());
      Click(d, "OKButton");
    });
    EXPECT_EQ(chosen, current);
  }
}

// Records whether the wait pointer shows while the fonts are asked for and
// listed.
class BusyWatch : public testing::FakePlatform {
 public:
  std::vector<std::string> InstalledFonts() override {
    Look();
    if (fail) throw std::runtime_error("fonts");
    return FakePlatform::InstalledFonts();
  }
  void PumpEvents() override {
    Look();
    FakePlatform::PumpEvents();
  }
  void Look() {
    const QCursor* cursor = QApplication::overrideCursor();
    busy.push_back(cursor && cursor->shape() == Qt::WaitCursor);
  }

  bool fail = false;
  std::vector<bool> busy;
};

TEST_F(FontChooserTest, BusyPointerShowsOnlyWhileTheListFills) {
  BusyWatch watch;
  AttachPlatform(owner, watch);
  watch.fonts = {"ＭＳ ゴシック", "ＭＳ Ｐ明朝"};
  std::vector<bool> busy_while_open;
  watch.dialog_scripts["dlgFont"] = [&](ModalDialog& modal) {
    busy_while_open.push_back(QApplication::overrideCursor() != nullptr);
    QDialog& dialog = static_cast<QtDialog&>(modal).dialog();
    dialog.show();
    Click(dialog, "CancelButton");
    return dialog.result();
  };
  std::ignore = ChooseFont("", &owner);
  EXPECT_EQ(watch.busy, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // A failure while filling shows the error box and still ends the wait.
  watch.fail = true;
  std::ignore = ChooseFont("", &owner);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  ASSERT_EQ(watch.messages.size(), 1u);
  EXPECT_NE(watch.messages[0].text.find("dlgFont.SetList"), std::string::npos);
  EXPECT_EQ(watch.messages[0].title, "エラー情報");

  // So does a failure of the open dialog itself.
  watch.fail = false;
  watch.dialog_scripts["dlgFont"] = [](ModalDialog&) -> int { throw std::runtime_error("dialog"); };
  EXPECT_THROW(std::ignore = ChooseFont("", &owner), std::runtime_error);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(busy_while_open, (std::vector<bool>{false, false}));
}

TEST_F(FontChooserTest, F1OpensTheChoosersPage) {
  program.Write("help/index.html", "x");
  program.Write("help/dlgFont.html", "x");
  Choose("", [&](QDialog& d) {
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    QTest::keyClick(List(d), Qt::Key_F1);
    d.reject();
  });
  EXPECT_EQ(platform.opened, (Names{program.Join("help/dlgFont.html")}));
}

}  // namespace
}  // namespace dustora
