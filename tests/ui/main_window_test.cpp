#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <ostream>

#include "core/encoding.h"
#include "core/errors.h"
#include "core/filesystem.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "support/fake_platform.h"
#include "support/fresh_home.h"
#include "support/report_texts.h"
#include "support/temp_folder.h"
#include "tables/memo.h"
#include "ui/choice_combo_box.h"
#include "ui/palette_dialog.h"
#include "ui/qt_text.h"
#include "ui/startup.h"

namespace dustora {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::UseFreshHome(platform, home, program);
    platform.today = Date{2011, 4, 1};
    program.Write("img/moeru.gif", "GIF89a");
    program.Write("img/dscnone.gif", "GIF89a");
    program.Write("img/kan.png", "x");
    session.document.Clear(2011, 4);
    window = std::make_unique<MainWindow>(session, platform);
    LoadAtStartUp(*window);
  }
  void TearDown() override { window.reset(); }

  Session session;

  template <typename T>
  T* Find(const char* name) {
    T* widget = window->findChild<T*>(ToQt(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  ChoiceComboBox* Box(const char* array, int row) {
    return Find<ChoiceComboBox>((std::string(array) + "(" + std::to_string(row) + ")").c_str());
  }
  QStringList Items(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
  }
  void Choose(QComboBox* box, const QString& text) {
    box->setFocus();
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << FromQt(text);
    box->setCurrentIndex(index);
    emit box->activated(index);
  }

  testing::TempFolder home;
  testing::TempFolder program;
  testing::FakePlatform platform;
  std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, StartsWithAnEmptyUnnamedDocument) {
  EXPECT_EQ(FromQt(window->windowTitle()), "ダストーラ作成 [新規]");
  EXPECT_FALSE(Find<QAction>("mnuSave")->isEnabled());
  EXPECT_EQ(FromQt(Find<QLabel>("LabelRule")->text()), "毎週○曜日");
  EXPECT_EQ(FromQt(Find<QComboBox>("ComboYear")->currentText()), "2011");
  EXPECT_EQ(Find<QComboBox>("ComboYear")->count(), 21);
  EXPECT_EQ(FromQt(Find<QComboBox>("cmb月")->currentText()), "4");
  EXPECT_EQ(FromQt(Find<QLabel>("StatusBar1(1)")->text()), "メモファイル : (関連付けなし)");
  QStringList categories = Items(Box("cmbカテゴリー", 2));
  EXPECT_EQ(categories.size(), 13);
  EXPECT_EQ(FromQt(categories[0]), "(なし)");
  EXPECT_EQ(FromQt(categories[1]), "燃やせるごみ");
  EXPECT_EQ(Items(Box("cmbImage", 0)), (QStringList{"(なし)", "kan.png", "moeru.gif"}));  // never dscnone.gif
  EXPECT_EQ(Items(Box("cmbWeekName", 4)).size(), 8);
  EXPECT_EQ(Box("cmbカテゴリー", 0)->currentText(), QString());
  // First start: the data folder was made and filled.
  EXPECT_TRUE(std::filesystem::exists(home.Join("share/Tessaloom/Dustora/dustora.ini")));
  EXPECT_TRUE(std::filesystem::exists(home.Join("share/Tessaloom/Dustora/img/moeru.gif")));
}

TEST_F(MainWindowTest, ChoicesStoreTheRowsAndMarkTheDocument) {
  auto* tabs = Find<QTabBar>("TabWeek");
  tabs->setCurrentIndex(2);  // 第１
  EXPECT_EQ(FromQt(Find<QLabel>("LabelRule")->text()), "第１○曜日");
  Choose(Box("cmbWeekName", 1), QStringLiteral("水"));
  Choose(Box("cmbカテゴリー", 1), QStringLiteral("空きかん"));
  Choose(Box("cmbImage", 1), QStringLiteral("moeru.gif"));
  CalendarDocument& doc = session.document;
  EXPECT_EQ(doc.week_name[6], "水");
  EXPECT_EQ(doc.category[6], "空きかん");
  EXPECT_EQ(doc.image[6], "moeru.gif");
  EXPECT_EQ(doc.color[6], "#000000");
  EXPECT_TRUE(doc.modified);
  EXPECT_FALSE(Find<QAction>("mnuSave")->isEnabled());  // untitled: never enabled

  Choose(Box("cmbカテゴリー", 1), QStringLiteral("(なし)"));
  EXPECT_TRUE(doc.category[6].empty());
  EXPECT_TRUE(doc.color[6].empty());

  // The special days' tab turns the first column into days.
  tabs->setCurrentIndex(11);
  EXPECT_EQ(Items(Box("cmbWeekName", 0)).size(), 32);
  Choose(Box("cmbWeekName", 0), QStringLiteral("15"));
  EXPECT_EQ(doc.special[0], "15");
  tabs->setCurrentIndex(2);
  EXPECT_EQ(Items(Box("cmbWeekName", 0)).size(), 8);
  EXPECT_EQ(Box("cmbWeekName", 1)->currentText(), QStringLiteral("水"));
}

// Typing goes to the next item that begins with it; the tab keys switch
// the tabs from any control and change no value; the document is marked,
// and the title says so, only when a value changed.
TEST_F(MainWindowTest, TypingChoosesAndTheTabKeysSwitchFromAnyControl) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  CalendarDocument& doc = session.document;
  ChoiceComboBox* box = Box("cmbカテゴリー", 0);
  box->setFocus();
  QTest::keyClicks(box, "abc");
  EXPECT_FALSE(doc.modified);
  QTest::qWait(QApplication::keyboardInputInterval() + 50);  // what comes next is typed anew
  // A character no key of QTest's names, as the window system sends it.
  const auto type = [](QWidget* target, const char* text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8(text));
    QApplication::sendEvent(target, &press);
  };
  type(box, "燃");
  EXPECT_EQ(doc.category[0], "燃やせるごみ");
  EXPECT_EQ(FromQt(window->windowTitle()), "ダストーラ作成 [新規] *");
  type(Box("cmbWeekName", 0), "水");
  EXPECT_EQ(doc.week_name[0], "水");

  auto* tabs = Find<QTabBar>("TabWeek");
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int tab;
  } passes[] = {{Qt::Key_PageDown, Qt::ControlModifier, 1},
                {Qt::Key_Tab, Qt::ControlModifier, 2},
                {Qt::Key_PageUp, Qt::ControlModifier, 1},
                {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, 0},
                {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 11},
                {Qt::Key_Tab, Qt::ControlModifier, 0}};
  for (const auto& pass : passes) {
    QTest::keyClick(window->focusWidget(), pass.key, pass.modifiers);
    EXPECT_EQ(tabs->currentIndex(), pass.tab) << pass.tab;
  }
  EXPECT_EQ(doc.category[0], "燃やせるごみ");
  // Round all the tabs, twice through both 隔週 tabs without a base date:
  // one notice.
  for (int i = 0; i < 2 * tabs->count(); ++i)
    QTest::keyClick(window->focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(platform.messages.size(), 1u);

  tabs->setCurrentIndex(11);  // the days of a month: "1", "2" is the 12th
  QTest::keyClicks(Box("cmbWeekName", 0), "12");
  EXPECT_EQ(doc.special[0], "12");
  doc.modified = false;
  QTest::keyClick(Box("cmbWeekName", 0), Qt::Key_End);
  QTest::keyClick(Box("cmbWeekName", 0), Qt::Key_Down);  // at the end already
  EXPECT_EQ(doc.special[0], "31");
  doc.modified = false;
  QTest::keyClick(Box("cmbWeekName", 0), Qt::Key_Down);
  EXPECT_FALSE(doc.modified);

  // Tab goes from the tabs to the first row, never to their scroll buttons.
  tabs->setFocus();
  QTest::keyClick(tabs, Qt::Key_Tab);
  EXPECT_EQ(window->focusWidget(), Box("cmbWeekName", 0));
  // A click on the text opens the list as a click on the arrow does.
  QTest::mouseClick(Box("cmbカテゴリー", 1)->lineEdit(), Qt::LeftButton);
  EXPECT_TRUE(Box("cmbカテゴリー", 1)->view()->isVisible());
  Box("cmbカテゴリー", 1)->hidePopup();

  auto* year = Find<QComboBox>("ComboYear");
  QTest::keyClick(year, Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(FromQt(year->currentText()), "2011");
  EXPECT_EQ(tabs->currentIndex(), 0);
  // Ctrl+S on a document never saved saves it under a name.
  QTest::keyClick(year, Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(platform.file_dialogs.size(), 1u);
  EXPECT_EQ(platform.file_dialogs[0].title, "ファイルの保存");
}

// A key a rule box receives that chooses nothing: it never marks the
// document nor changes the box, whatever the modifiers (Ctrl+PageDown
// stepped five items once).
struct RuleBoxKey {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  const char* text;
};
void PrintTo(const RuleBoxKey& key, std::ostream* out) {
  *out << key.name;
}

class RuleBoxKeyTest : public MainWindowTest, public ::testing::WithParamInterface<RuleBoxKey> {};

TEST_P(RuleBoxKeyTest, ChangesNothingAndMarksNothing) {
  const RuleBoxKey& key = GetParam();
  for (const char* array : {"cmbWeekName", "cmbカテゴリー", "cmbImage"}) {
    ChoiceComboBox* box = Box(array, 3);
    Choose(box, box->itemText(1));
    session.document.modified = false;
    const QString before = box->currentText();
    // Sent as the window system sends it (QTest does not know every key).
    QKeyEvent press(QEvent::KeyPress, key.key, key.modifiers, QString::fromUtf8(key.text));
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key.key, key.modifiers, QString::fromUtf8(key.text));
    QApplication::sendEvent(box, &release);
    EXPECT_FALSE(session.document.modified) << array;
    EXPECT_EQ(box->currentText(), before) << array;
  }
}

INSTANTIATE_TEST_SUITE_P(Keys, RuleBoxKeyTest,
                         ::testing::Values(RuleBoxKey{"AltAlone", Qt::Key_Alt, Qt::AltModifier, ""},
                                           RuleBoxKey{"CtrlAlone", Qt::Key_Control, Qt::ControlModifier, ""},
                                           RuleBoxKey{"Tab", Qt::Key_Tab, Qt::NoModifier, "\t"},
                                           RuleBoxKey{"F2", Qt::Key_F2, Qt::NoModifier, ""},
                                           RuleBoxKey{"CtrlC", Qt::Key_C, Qt::ControlModifier, "\x03"},
                                           RuleBoxKey{"AltF", Qt::Key_F, Qt::AltModifier, ""},
                                           RuleBoxKey{"CtrlPageDown", Qt::Key_PageDown, Qt::ControlModifier, ""},
                                           RuleBoxKey{"CtrlPageUp", Qt::Key_PageUp, Qt::ControlModifier, ""},
                                           RuleBoxKey{"CtrlDown", Qt::Key_Down, Qt::ControlModifier, ""},
                                           RuleBoxKey{"AltEnd", Qt::Key_End, Qt::AltModifier, ""},
                                           RuleBoxKey{"LetterOfNoItem", Qt::Key_Q, Qt::NoModifier, "q"},
                                           RuleBoxKey{"Delete", Qt::Key_Delete, Qt::NoModifier, ""},
                                           RuleBoxKey{"Space", Qt::Key_Space, Qt::NoModifier, " "},
                                           RuleBoxKey{"Return", Qt::Key_Return, Qt::NoModifier, "\r"},
                                           RuleBoxKey{"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b"}),
                         [](const ::testing::TestParamInfo<RuleBoxKey>& test) { return std::string(test.param.name); });

// The program says what state it is in: where to begin while there is no
// category, the example opened as a new document, the page's folder, and
// every-other-week rows left out for want of a base date.
TEST_F(MainWindowTest, SaysWhereToBeginWhereThePageIsAndWhatIsLeftOut) {
  EXPECT_TRUE(Find<QLabel>("lblFirstStart")->isHidden());
  session.settings.category = {};
  window->FillCategoryLists();
  EXPECT_FALSE(Find<QLabel>("lblFirstStart")->isHidden());
  // A 隔週(表) row, and no base date to count its weeks from.
  program.Write("sample.dsc", sjis::Encode("[WeekName]\r\n45=火\r\n[Category]\r\n50=空きかん\r\n").bytes);
  Find<QAction>("mnuSample")->trigger();
  EXPECT_EQ(FromQt(window->windowTitle()), "ダストーラ作成 [新規]");
  EXPECT_EQ(session.document.category[50], "空きかん");
  EXPECT_TRUE(session.document.document_path.empty());
  EXPECT_FALSE(Find<QAction>("mnuSave")->isEnabled());

  Find<QAction>("mnuPageFolder")->trigger();
  EXPECT_EQ(platform.opened, std::vector<std::string>{home.Join("share/Tessaloom/Dustora")});

  QTest::mouseClick(Find<QPushButton>("cmd作成"), Qt::LeftButton);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "隔週の基準日が設定されていないため、隔週の収集日は入りません。");
  EXPECT_EQ(platform.messages[0].title, "カレンダー作成");
  EXPECT_EQ(platform.browsed.size(), 1u);  // and the page all the same
}

// The documents opened or saved last, newest first, in the ファイル menu
// and in dustora.ini; one that is gone is said and taken off the list.
TEST_F(MainWindowTest, RecentDocumentsAreListedKeptAndForgotten) {
  const std::string a = home.Write("Documents/a.dsc", sjis::Encode("[Category]\r\n0=かん\r\n").bytes);
  const std::string b = home.Write("Documents/b&c.dsc", sjis::Encode("[Category]\r\n0=びん\r\n").bytes);
  for (const std::string& path : {a, b}) {
    platform.file_replies = {path};
    Find<QAction>("mnuOpen")->trigger();
  }
  EXPECT_EQ(FromQt(Find<QAction>("mnuRecent(0)")->text()), "&1 b&&c.dsc");
  EXPECT_EQ(FromQt(Find<QAction>("mnuRecent(0)")->toolTip()), b);
  EXPECT_EQ(FromQt(Find<QAction>("mnuRecent(1)")->text()), "&2 a.dsc");
  EXPECT_FALSE(Find<QAction>("mnuRecent(2)")->isVisible());
  Find<QAction>("mnuRecent(1)")->trigger();
  EXPECT_EQ(FromQt(window->windowTitle()), "ダストーラ作成 [a.dsc]");
  EXPECT_EQ(session.settings.recent[0], a);

  ASSERT_TRUE(SaveSettings(session.settings, session.document, testing::Unread()));
  AppSettings read;
  CalendarDocument document;
  LoadSettings(session.folders.data_folder, "", read, document, testing::Unread());
  EXPECT_EQ(read.recent, session.settings.recent);

  std::filesystem::remove(b);
  Find<QAction>("mnuRecent(1)")->trigger();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "次のファイルが見つからないため、一覧から外します:\r\n" + b);
  EXPECT_EQ(session.settings.recent[1], "");
  EXPECT_FALSE(Find<QAction>("mnuRecent(1)")->isVisible());
}

TEST_F(MainWindowTest, IconBoxesShowThePicturesOnceAListFirstOpens) {
  const std::string img = home.Join("share/Tessaloom/Dustora/img/");
  QImage red(42, 40, QImage::Format_RGB32);
  red.fill(Qt::red);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(red.save(&buffer, "PNG"));
  ASSERT_FALSE(Fs().ReplaceFile(img + "red.png", std::string(png.constData(), png.size())));
  // Decodable, but larger than 1 MiB.
  ASSERT_FALSE(
      Fs().ReplaceFile(img + "big.png", std::string(png.constData(), png.size()) + std::string(1 << 20, '\0')));
  window->FillIconLists();
  const auto icon = [&](int row, const char* file) {
    return Box("cmbImage", row)->itemIcon(Box("cmbImage", row)->findText(file));
  };
  for (const char* file : {"red.png", "big.png", "moeru.gif"}) EXPECT_TRUE(icon(0, file).isNull()) << file;

  Box("cmbImage", 2)->showPopup();
  Box("cmbImage", 2)->hidePopup();
  for (int row = 0; row < 5; ++row) {
    EXPECT_FALSE(icon(row, "red.png").isNull()) << row;
    EXPECT_EQ(icon(row, "red.png").cacheKey(), icon(0, "red.png").cacheKey());  // one picture for every box
    EXPECT_TRUE(icon(row, "big.png").isNull());
    EXPECT_TRUE(icon(row, "moeru.gif").isNull());  // does not decode
    EXPECT_TRUE(icon(row, "kan.png").isNull());
  }
  // A list rebuilt after the icons changed shows the pictures at once.
  ASSERT_FALSE(Fs().ReplaceFile(img + "blue.png", std::string(png.constData(), png.size())));
  window->FillIconLists();
  EXPECT_FALSE(icon(4, "blue.png").isNull());
  EXPECT_FALSE(icon(4, "red.png").isNull());
}

TEST_F(MainWindowTest, EveryOtherTabsAskForTheBaseDate) {
  auto* tabs = Find<QTabBar>("TabWeek");
  tabs->setCurrentIndex(9);
  tabs->setCurrentIndex(10);
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[0].text, "隔週の基準日が設定されていません.");
  EXPECT_EQ(platform.messages[0].title, "隔週の設定");
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Information);
  session.settings.every_other_base = "2011/04/06";
  tabs->setCurrentIndex(9);
  EXPECT_EQ(platform.messages.size(), 2u);
}

TEST_F(MainWindowTest, YearAndMonthMarkOnlyWhenTheyAreSaved) {
  auto* year = Find<QComboBox>("ComboYear");
  Choose(year, QStringLiteral("2012"));
  EXPECT_EQ(session.document.year, 2012);
  EXPECT_FALSE(session.document.modified);
  session.settings.save_year_month = 1;
  Choose(Find<QComboBox>("cmb月"), QStringLiteral("12"));
  EXPECT_EQ(session.document.month, 12);
  EXPECT_TRUE(session.document.modified);
}

// A year or month the boxes do not offer, or none, is shown as today's.
TEST_F(MainWindowTest, AYearOrMonthTheBoxesDoNotOfferShowsToday) {
  for (const std::optional<int> number : {std::optional<int>(1999), std::optional<int>()}) {
    Choose(Find<QComboBox>("ComboYear"), QStringLiteral("2013"));
    Choose(Find<QComboBox>("cmb月"), QStringLiteral("7"));
    session.document.year = session.document.month = number;
    window->ShowYearMonth();
    EXPECT_EQ(session.document.year, 2011);
    EXPECT_EQ(session.document.month, 4);
  }
}

TEST_F(MainWindowTest, CreateWritesThePageAndShowsIt) {
  Choose(Box("cmbWeekName", 0), QStringLiteral("月"));
  Choose(Box("cmbカテゴリー", 0), QStringLiteral("燃やせるごみ"));
  QTest::mouseClick(Find<QPushButton>("cmd作成"), Qt::LeftButton);
  const std::string page = home.Join("share/Tessaloom/Dustora/temp.html");
  ASSERT_EQ(platform.browsed, std::vector<std::string>{page});
  EXPECT_NE(sjis::Decode(home.Read("share/Tessaloom/Dustora/temp.html")).find(">燃やせるごみ</font>"),
            std::string::npos);
  // A browser that cannot be started, at once or later, says where the
  // page is.
  const std::string said =
      "ブラウザーを起動できませんでした.(カレンダー作成)\r\nカレンダーは次のファイルに作成されています:\r\n" + page +
      "\r\n\r\nこのフォルダーを開きますか?";
  platform.last_browser_failure(Error::Of(kErrBadPathName));
  platform.browser_succeeds = false;
  QTest::mouseClick(Find<QPushButton>("cmd作成"), Qt::LeftButton);
  ASSERT_EQ(platform.messages.size(), 2u);
  for (const MessageBoxRequest& message : platform.messages) {
    EXPECT_EQ(message.text, said);
    EXPECT_EQ(message.title, "エラー情報");
    EXPECT_EQ(message.icon, MessageIcon::Error);
    EXPECT_EQ(message.buttons, MessageButtons::YesNo);
  }
  EXPECT_TRUE(platform.opened.empty());  // No, the default
  platform.message_replies = {MessageButton::Yes};
  platform.last_browser_failure(Error::Of(kErrBadPathName));
  EXPECT_EQ(platform.opened, std::vector<std::string>{home.Join("share/Tessaloom/Dustora")});
  platform.browser_succeeds = true;
  platform.browsed.clear();
  // No preview of an old page after a failed one.
  std::filesystem::remove_all(home.Join("share/Tessaloom/Dustora"));
  QTest::mouseClick(Find<QPushButton>("cmd作成"), Qt::LeftButton);
  EXPECT_TRUE(platform.browsed.empty());
  EXPECT_EQ(platform.messages.back().text.rfind("ご迷惑をおかけしています.(MakeHtml)", 0), 0u);
}

TEST_F(MainWindowTest, CreateKeepsTheFocusSoSpaceMakesThePageAgain) {
  auto* create = Find<QPushButton>("cmd作成");
  create->setFocus();
  QTest::keyClick(create, Qt::Key_Space);
  EXPECT_EQ(window->focusWidget(), create);
  QTest::keyClick(window->focusWidget(), Qt::Key_Space);
  EXPECT_EQ(platform.browsed.size(), 2u);
  EXPECT_TRUE(platform.messages.empty());  // never the save question of a quit
}

TEST_F(MainWindowTest, APaletteCancelledMarksNothing) {
  platform.dialog_scripts["dlgPalette"] = [](ModalDialog&) { return 0; };
  QTest::mouseClick(Find<QWidget>("picColor(3)"), Qt::LeftButton);
  EXPECT_EQ(platform.dialogs, std::vector<std::string>{"dlgPalette"});
  EXPECT_FALSE(session.document.modified);
}

TEST_F(MainWindowTest, DocumentCommands) {
  CalendarDocument& doc = session.document;
  Choose(Box("cmbWeekName", 0), QStringLiteral("木"));
  Choose(Box("cmbカテゴリー", 0), QStringLiteral("空きびん"));
  // Save As under a name, then New asks nothing because it is clean.
  const std::string path = home.Join("Documents/east.dsc");
  platform.file_replies.emplace_back(path);
  Find<QAction>("mnuSaveAs")->trigger();
  EXPECT_EQ(FromQt(window->windowTitle()), "ダストーラ作成 [east.dsc]");
  EXPECT_FALSE(doc.modified);
  EXPECT_EQ(platform.file_dialogs[0].title, "ファイルの保存");
  EXPECT_EQ(platform.file_dialogs[0].filter, "ダストーラファイル(*.dsc)|*.dsc");
  EXPECT_EQ(platform.file_dialogs[0].default_extension, "dsc");
  EXPECT_TRUE(platform.file_dialogs[0].confirm_overwrite);
  Choose(Box("cmbImage", 0), QStringLiteral("moeru.gif"));
  EXPECT_TRUE(Find<QAction>("mnuSave")->isEnabled());
  Find<QAction>("mnuSave")->trigger();
  EXPECT_FALSE(doc.modified);

  Find<QAction>("mnuNew")->trigger();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(FromQt(window->windowTitle()), "ダストーラ作成 [新規]");
  EXPECT_TRUE(doc.category[0].empty());
  EXPECT_EQ(Box("cmbカテゴリー", 0)->currentText(), QString());

  // A changed document: Cancel keeps it; a cancelled save dialog after Yes too.
  Choose(Box("cmbカテゴリー", 0), QStringLiteral("乾電池"));
  platform.message_replies = {MessageButton::Cancel, MessageButton::Yes};
  Find<QAction>("mnuOpen")->trigger();
  Find<QAction>("mnuOpen")->trigger();
  EXPECT_EQ(platform.messages[0].text, "ダストーラファイルは更新されています.変更を保存しますか?");
  EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNoCancel);
  // Enter keeps the changes: it saves.
  EXPECT_EQ(platform.messages[0].default_button, MessageButton::Yes);
  EXPECT_EQ(doc.category[0], "乾電池");
  EXPECT_TRUE(doc.modified);

  // No, then open east.dsc: the first tab and its rows show.
  Find<QTabBar>("TabWeek")->setCurrentIndex(5);
  platform.message_replies = {MessageButton::No};
  platform.file_replies.emplace_back(path);
  Find<QAction>("mnuOpen")->trigger();
  EXPECT_EQ(Find<QTabBar>("TabWeek")->currentIndex(), 0);
  EXPECT_EQ(FromQt(Box("cmbカテゴリー", 0)->currentText()), "空きびん");
  EXPECT_EQ(FromQt(Box("cmbImage", 0)->currentText()), "moeru.gif");
  EXPECT_EQ(FromQt(window->windowTitle()), "ダストーラ作成 [east.dsc]");
  EXPECT_FALSE(Find<QAction>("mnuSave")->isEnabled());
  EXPECT_FALSE(doc.modified);
}

TEST_F(MainWindowTest, SavesThatFailKeepTheChanges) {
  CalendarDocument& doc = session.document;
  Choose(Box("cmbカテゴリー", 0), QStringLiteral("ガラス類"));
  // Yes, a name, then the open dialog cancelled: written, still new and changed.
  const std::string first = home.Join("Documents/first.dsc");
  platform.message_replies = {MessageButton::Yes};
  platform.file_replies = {first, std::nullopt};
  Find<QAction>("mnuOpen")->trigger();
  EXPECT_TRUE(std::filesystem::exists(first));
  EXPECT_EQ(doc.document_path, first);
  EXPECT_EQ(FromQt(window->windowTitle()), "ダストーラ作成 [新規] *");
  EXPECT_TRUE(doc.modified);
  EXPECT_FALSE(Find<QAction>("mnuSave")->isEnabled());

  // Save As into a missing folder: the previous name, title and state stay.
  platform.file_replies = {home.Join("gone/second.dsc")};
  Find<QAction>("mnuSaveAs")->trigger();
  EXPECT_EQ(doc.document_path, first);
  EXPECT_TRUE(doc.modified);
  EXPECT_EQ(platform.messages.back().text.rfind("エラーが発生しました(WriteDscFile)", 0), 0u);

  // Save of a read-only file keeps the document marked as changed.
  std::filesystem::permissions(first, std::filesystem::perms::owner_read);
  Choose(Box("cmbImage", 0), QStringLiteral("kan.png"));
  Find<QAction>("mnuSave")->trigger();
  EXPECT_TRUE(doc.modified);
  EXPECT_NE(platform.messages.back().text.find("エラー番号: 70"), std::string::npos);

  // The close question: a failed save cancels the close.
  platform.message_replies = {MessageButton::Yes};
  EXPECT_FALSE(window->close());
}

// How a chosen document fails to read.
enum class Unreadable { Folder, NoPermission, DeviceError, NotADocument };
std::string UnreadableName(const ::testing::TestParamInfo<Unreadable>& info) {
  switch (info.param) {
    case Unreadable::Folder: return "Folder";
    case Unreadable::NoPermission: return "NoPermission";
    case Unreadable::DeviceError: return "DeviceError";
    case Unreadable::NotADocument: return "NotADocument";
  }
  return "";
}

class OpenFailureTest : public MainWindowTest, public ::testing::WithParamInterface<Unreadable> {
 protected:
  void TearDown() override {
    SetFileSystem(nullptr);
    MainWindowTest::TearDown();
  }
};

TEST_P(OpenFailureTest, AFileThatCannotBeReadChangesNothing) {
  CalendarDocument& doc = session.document;
  const std::string east = home.Join("Documents/east.dsc");
  Choose(Box("cmbカテゴリー", 0), QStringLiteral("空きびん"));
  platform.file_replies = {east};
  Find<QAction>("mnuSaveAs")->trigger();
  Choose(Box("cmbカテゴリー", 0), QStringLiteral("乾電池"));
  ASSERT_TRUE(Find<QAction>("mnuSave")->isEnabled());

  std::string west = home.Join("Documents/west.dsc");
  class FailingReads : public RealFileSystem {
   public:
    explicit FailingReads(int error) : error_(error) {}
    FsResult<std::string> ReadFile(std::string_view path) override {
      if (path.ends_with("west.dsc")) return {std::nullopt, FileErrorOfErrno(error_, path, false)};
      return RealFileSystem::ReadFile(path);
    }

   private:
    int error_;
  };
  std::optional<FailingReads> failing;
  switch (GetParam()) {
    case Unreadable::Folder: std::filesystem::create_directory(west); break;
    case Unreadable::NoPermission: failing.emplace(EACCES); break;
    case Unreadable::DeviceError: failing.emplace(EIO); break;
    case Unreadable::NotADocument: home.Write("Documents/west.dsc", "ガラス類\r\n"); break;
  }
  if (failing) {
    home.Write("Documents/west.dsc", sjis::Encode("[Category]\r\n0=ガラス類\r\n").bytes);
    SetFileSystem(&*failing);
  }
  platform.message_replies = {MessageButton::No};
  platform.file_replies = {west};
  Find<QAction>("mnuOpen")->trigger();
  ASSERT_EQ(platform.messages.size(), 2u);  // the save question, then why not
  const std::string why[] = {"53\r\n内容: フォルダーは開けません: " + west,
                             "70\r\n内容: 読み取りの許可がありません: " + west,
                             "57\r\n内容: デバイス I/O エラーです。"};
  if (GetParam() == Unreadable::NotADocument) {
    EXPECT_EQ(platform.messages[1].text, "ダストーラファイルではありません: west.dsc");
  } else {
    EXPECT_EQ(platform.messages[1].text,
              "エラーが発生しました(ReadDscFile)\r\nエラー番号: " + why[static_cast<int>(GetParam())]);
  }

  EXPECT_EQ(doc.document_path, east);
  EXPECT_EQ(FromQt(window->windowTitle()), "ダストーラ作成 [east.dsc] *");
  EXPECT_TRUE(doc.modified);
  EXPECT_TRUE(Find<QAction>("mnuSave")->isEnabled());
  EXPECT_EQ(doc.category[0], "乾電池");
  EXPECT_EQ(FromQt(Box("cmbカテゴリー", 0)->currentText()), "乾電池");
  // The next save writes the document it belongs to, not the failed file.
  SetFileSystem(nullptr);
  Find<QAction>("mnuSave")->trigger();
  EXPECT_NE(sjis::Decode(home.Read("Documents/east.dsc")).find("0=乾電池"), std::string::npos);
  if (GetParam() == Unreadable::NoPermission || GetParam() == Unreadable::DeviceError) {
    EXPECT_EQ(sjis::Decode(home.Read("Documents/west.dsc")), "[Category]\r\n0=ガラス類\r\n");
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, OpenFailureTest,
                         ::testing::Values(Unreadable::Folder, Unreadable::NoPermission, Unreadable::DeviceError,
                                           Unreadable::NotADocument),
                         UnreadableName);

// Qt alone opens a window at most two thirds of the screen wide, which
// cuts the rule tabs; the window takes the width they want while the screen
// has room.
TEST_F(MainWindowTest, OpensAsWideAsTheTabsWantWhereTheScreenHasRoom) {
  window->show();
  const int room = window->screen()->availableGeometry().width();
  const int wanted = window->sizeHint().width();
  ASSERT_GT(wanted, room * 2 / 3);
  EXPECT_GE(window->width(), std::min(wanted, room - 16));
}

TEST_F(MainWindowTest, CreateRefusesAYearOrMonthThatIsNotANumber) {
  auto* year = Find<QComboBox>("ComboYear");
  year->setCurrentIndex(-1);
  QTest::mouseClick(Find<QPushButton>("cmd作成"), Qt::LeftButton);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "年月の指定が不正です");
  EXPECT_EQ(platform.messages[0].title, "作成");
  EXPECT_EQ(FromQt(year->currentText()), "2011");
  EXPECT_TRUE(platform.browsed.empty());
  EXPECT_FALSE(std::filesystem::exists(home.Join("share/Tessaloom/Dustora/temp.html")));
}

}  // namespace
}  // namespace dustora
