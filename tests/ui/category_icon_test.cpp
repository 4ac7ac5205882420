#include <gtest/gtest.h>
#include <fstream>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolTip>

#include "settings/folders.h"
#include "support/ui_driver.h"
#include "ui/choice_combo_box.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;
using testing::Enabled;
using testing::Type;

QListWidget* List(QDialog& d) {
  return Child<QListWidget>(d, "List1");
}
QStringList Entries(QDialog& d) {
  QStringList entries;
  for (int i = 0; i < List(d)->count(); ++i) entries << List(d)->item(i)->text();
  return entries;
}
void Select(QDialog& d, int row) {
  QListWidget* list = List(d);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}
QStringList Items(QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

class ListDialogTest : public testing::DialogTest {
 protected:
  QComboBox* Box(const char* name, int index) {
    return Child<QComboBox>(*window, (std::string(name) + "(" + std::to_string(index) + ")").c_str());
  }
  static void Choose(QComboBox* box, const QString& text) {
    box->setCurrentIndex(box->findText(text));
    ASSERT_EQ(box->currentText(), text);
  }
  MessageBoxRequest Said() {
    EXPECT_EQ(platform.messages.size(), 1u);
    if (platform.messages.empty()) return {};
    MessageBoxRequest last = platform.messages.back();
    platform.messages.clear();
    return last;
  }
  void ExpectSaid(const std::string& text, const char* title, MessageIcon icon) {
    const MessageBoxRequest said = Said();
    EXPECT_EQ(said.text, text);
    EXPECT_EQ(said.title, title);
    EXPECT_EQ(said.icon, icon);
    if (icon == MessageIcon::Question) {
      EXPECT_EQ(said.buttons, MessageButtons::YesNo);
      EXPECT_EQ(said.default_button, MessageButton::No);
    }
  }
};

// --- 分別の種類設定 ---

class CategoryTest : public ListDialogTest {
 protected:
  void SetUp() override {
    ListDialogTest::SetUp();
    OpenMainWindow();
  }
  void OpenWith(const std::vector<std::string>& names, const Act& act) {
    session.settings.category = {};
    for (std::size_t i = 0; i < names.size(); ++i) session.settings.category[i] = names[i];
    window->FillCategoryLists();
    Script("dlgSet", act);
    Child<QAction>(*window, "mnuCategory")->trigger();
  }
  static std::vector<std::string> Numbered(int count) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) names.push_back("分別" + std::to_string(i));
    return names;
  }
};

TEST_F(CategoryTest, OpensWithoutGapsAndSaveClosesThemAndRebuildsTheBoxes) {
  session.settings.category = {};
  session.settings.category[0] = "燃やせるごみ";
  session.settings.category[5] = "空きかん";
  session.settings.category[39] = "乾電池";
  window->FillCategoryLists();
  Choose(Box("cmbカテゴリー", 1), ToQt("乾電池"));
  Script("dlgSet", [&](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "分別の種類設定");
    EXPECT_EQ(Entries(d), (QStringList{ToQt("燃やせるごみ"), ToQt("空きかん"), ToQt("乾電池")}));
    EXPECT_EQ(FromQt(Child<QLabel>(d, "Label1")->text()),
              "お住まいの環境に従って適宜、追加(最大40件)・削除・変更して下さい."
              "「保 存」ボタンで「分別の種類」リストに反映します.");
    for (const char* button : {"cmd登録", "cmd削除", "cmd新規"}) EXPECT_FALSE(Enabled(d, button)) << button;
    EXPECT_EQ(FromQt(Child<QPushButton>(d, "OKButton")->text()), "保 存 (&S)");
    // Overwrite 乾電池: the box that shows it keeps showing it.
    Select(d, 2);
    Child<QLineEdit>(d, "txtCategory")->setText(ToQt("電池"));
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmd登録");
    platform.messages.clear();
    Click(d, "OKButton");
  });
  Child<QAction>(*window, "mnuCategory")->trigger();
  EXPECT_EQ(parents, std::vector<QWidget*>{window.get()});
  std::array<std::string, kCategoryCount> expected{};
  expected[0] = "燃やせるごみ";
  expected[1] = "空きかん";
  expected[2] = "電池";
  EXPECT_EQ(session.settings.category, expected);
  EXPECT_EQ(FromQt(Box("cmbカテゴリー", 1)->currentText()), "乾電池");
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Items(Box("cmbカテゴリー", i)),
              (QStringList{ToQt("(なし)"), ToQt("燃やせるごみ"), ToQt("空きかん"), ToQt("電池")}));
  }
}

TEST_F(CategoryTest, EnableRulesAndTheFortyEntryLimit) {
  OpenWith(Numbered(40), [&](QDialog& d) {
    auto* name = Child<QLineEdit>(d, "txtCategory");
    // Full and nothing selected: a new name cannot be registered.
    QTest::keyClicks(name, "abc");
    EXPECT_FALSE(Enabled(d, "cmd登録"));
    Select(d, 3);
    EXPECT_EQ(FromQt(name->text()), "分別3");
    EXPECT_TRUE(Enabled(d, "cmd新規"));
    EXPECT_TRUE(Enabled(d, "cmd削除"));
    Click(d, "cmd新規");
    ExpectSaid("登録できる分別の種類は最大40件です.", "分別の種類設定", MessageIcon::Information);
    EXPECT_EQ(FromQt(name->text()), "分別3");
    EXPECT_TRUE(List(d)->item(3)->isSelected());
    // Overwriting a selected entry stays possible.
    QTest::keyClicks(name, "x");
    EXPECT_TRUE(Enabled(d, "cmd登録"));
    Click(d, "CancelButton");
  });
  OpenWith(Numbered(5), [&](QDialog& d) {
    auto* name = Child<QLineEdit>(d, "txtCategory");
    Select(d, 1);
    EXPECT_FALSE(Enabled(d, "cmd登録"));  // the entry's own name
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_TRUE(Enabled(d, "cmd登録"));
    Type(name, ToQt("1"));
    EXPECT_FALSE(Enabled(d, "cmd登録"));
    // 新規 deselects without copying anything.
    Click(d, "cmd新規");
    EXPECT_EQ(List(d)->selectedItems().size(), 0);
    EXPECT_EQ(FromQt(name->text()), "");
    EXPECT_FALSE(Enabled(d, "cmd削除"));
    EXPECT_EQ(d.focusWidget(), name);
    Click(d, "CancelButton");
  });
}

TEST_F(CategoryTest, RegisterChecksAppendOverwriteAndDelete) {
  OpenWith(Numbered(5), [&](QDialog& d) {
    auto* name = Child<QLineEdit>(d, "txtCategory");
    name->setText(ToQt("燃える,ごみ"));
    Click(d, "cmd登録");
    ExpectSaid("カンマは使用できません.", "分別の種類設定", MessageIcon::Information);
    name->setText(ToQt("電池🔋"));
    Click(d, "cmd登録");
    ExpectSaid("Shift_JISで保存できない文字が含まれています: 🔋 (U+1F50B)", "分別の種類設定", MessageIcon::Information);
    // Blanks only are a name; an append clears the box and selects nothing.
    name->setText("  ");
    Click(d, "cmd登録");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Entries(d).size(), 6);
    EXPECT_EQ(Entries(d).back(), "  ");
    EXPECT_EQ(name->text(), "");
    EXPECT_EQ(List(d)->selectedItems().size(), 0);

    // Delete the 2nd, then overwrite the 3rd of what is left.
    Select(d, 1);
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmd削除");
    ExpectSaid("選択された分別名を\r\n削除してよろしいですか?", "項目の削除", MessageIcon::Question);
    EXPECT_EQ(List(d)->selectedItems().size(), 0);
    EXPECT_FALSE(Enabled(d, "cmd削除"));
    Select(d, 2);
    name->setText(ToQt("古紙"));
    platform.message_replies = {MessageButton::No};
    Click(d, "cmd登録");
    ExpectSaid("選択されている項目を上書きしますか?", "上書き確認", MessageIcon::Question);
    EXPECT_EQ(List(d)->item(2)->text(), ToQt("分別3"));
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmd登録");
    platform.messages.clear();
    EXPECT_EQ(Entries(d), (QStringList{ToQt("分別0"), ToQt("分別2"), ToQt("古紙"), ToQt("分別4"), "  "}));
    EXPECT_TRUE(List(d)->item(2)->isSelected());
    // An empty name cannot be registered: the button is off.
    name->clear();
    EXPECT_FALSE(Enabled(d, "cmd登録"));
    // The emptied box differs from the selected entry: 保 存 asks first.
    platform.message_replies = {MessageButton::Yes};
    Click(d, "OKButton");
    ExpectSaid("登録されていない入力があります.破棄して閉じますか?", "分別の種類設定", MessageIcon::Question);
  });
  EXPECT_EQ(session.settings.category[2], "古紙");
  EXPECT_EQ(session.settings.category[4], "  ");
  EXPECT_EQ(session.settings.category[5], "");
}

TEST_F(CategoryTest, DefaultsReplaceTheWorkingListAndCancelChangesNothing) {
  const std::vector<std::string> thirty = Numbered(30);
  const auto restore = [&](const char* close) {
    OpenWith(thirty, [&, close](QDialog& d) {
      platform.message_replies = {MessageButton::No};
      Click(d, "cmdDefault");
      ExpectSaid("よろしいですか?", "初期値に戻す", MessageIcon::Question);
      EXPECT_EQ(Entries(d).size(), 30);
      platform.message_replies = {MessageButton::Yes};
      Click(d, "cmdDefault");
      platform.messages.clear();
      QStringList defaults;
      for (const std::string& name : DefaultCategories()) defaults << ToQt(name);
      EXPECT_EQ(Entries(d), defaults);
      EXPECT_EQ(defaults.size(), 12);
      EXPECT_EQ(defaults.front(), ToQt("燃やせるごみ"));
      EXPECT_EQ(defaults.back(), ToQt("乾電池"));
      Click(d, close);
    });
  };
  restore("CancelButton");
  EXPECT_EQ(session.settings.category[29], "分別29");
  EXPECT_EQ(Items(Box("cmbカテゴリー", 0)).size(), 31);
  restore("OKButton");
  EXPECT_EQ(session.settings.category[11], "乾電池");
  EXPECT_EQ(session.settings.category[12], "");
  EXPECT_EQ(Items(Box("cmbカテゴリー", 4)).size(), 13);
}

// --- アイコンの設定 ---

// A 1 × 1 GIF.
const std::string kGif(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00\x00\x00,"
    "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
    43);

std::string Png() {
  QImage image(8, 8, QImage::Format_ARGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

class IconTest : public ListDialogTest {
 protected:
  void SetUp() override {
    ListDialogTest::SetUp();
    // The shipped icons are copied into the new data folder at start-up.
    program.Write("img/a.gif", kGif);
    program.Write("img/dscnone.gif", kGif);
    program.Write("img/.hidden.gif", kGif);
    program.Write("img/c.png", Png());
    program.Write("img/note.txt", "not a picture");
    program.Write("img/B.PNG", "not a picture either");
    OpenMainWindow();
    Choose(Box("cmbImage", 2), QStringLiteral("a.gif"));
  }
  std::string Icon(std::string_view name) const { return JoinPath(JoinPath(session.folders.data_folder, "img"), name); }
  void Open(const Act& act) {
    Script("dlgImageSet", act);
    Child<QAction>(*window, "mnuImage")->trigger();
  }
  static void ExpectNoSelection(QDialog& d) {
    EXPECT_EQ(List(d)->selectedItems().size(), 0);
    EXPECT_EQ(Child<QLineEdit>(d, "txtImageName")->text(), "");
    EXPECT_TRUE(Child<QLabel>(d, "Picture1")->pixmap().isNull());
    EXPECT_FALSE(Enabled(d, "cmdNameChange"));
    EXPECT_FALSE(Enabled(d, "cmdDelete"));
  }
};

TEST_F(IconTest, ListsPlainFilesAndPreviewsWhatDecodes) {
  EXPECT_EQ(Items(Box("cmbImage", 0)), (QStringList{ToQt("(なし)"), "a.gif", "B.PNG", "c.png", "note.txt"}));
  Open([&](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "アイコンの設定");
    EXPECT_EQ(Entries(d), (QStringList{"a.gif", "B.PNG", "c.png", "note.txt"}));
    ExpectNoSelection(d);
    EXPECT_EQ(Child<QLineEdit>(d, "txtImageName")->maxLength(), 30);
    Select(d, 2);  // a PNG that decodes
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(Child<QLabel>(d, "Picture1")->pixmap().isNull());
    Select(d, 1);
    ExpectSaid("Png形式の画像はサンプルが表示されません.\r\nあしからずご了承下さい.", "サンプル画像表示",
               MessageIcon::Information);
    EXPECT_TRUE(Child<QLabel>(d, "Picture1")->pixmap().isNull());
    Select(d, 3);
    ExpectSaid("画像ファイルではないか、もしくは壊れています.", "画像表示", MessageIcon::Error);
    EXPECT_EQ(Child<QLineEdit>(d, "txtImageName")->text(), "note.txt");
    EXPECT_TRUE(Enabled(d, "cmdNameChange"));
    EXPECT_TRUE(Enabled(d, "cmdDelete"));
    Select(d, 0);
    EXPECT_FALSE(Child<QLabel>(d, "Picture1")->pixmap().isNull());
    Click(d, "CancelButton");
  });
  EXPECT_EQ(parents, std::vector<QWidget*>{window.get()});
}

TEST_F(IconTest, AddRefusesTheReservedNameAndAsksBeforeOverwriting) {
  const std::string picked = home.Write("Documents/DscNone.GIF", kGif);
  const std::string other = home.Write("Documents/pictures/a.gif", Png());
  const std::string fresh = home.Write("Documents/new.gif", kGif);
  Open([&](QDialog& d) {
    platform.file_replies = {std::nullopt, picked, other, other, fresh};
    Click(d, "cmd追加");  // cancelled
    ASSERT_EQ(platform.file_dialogs.size(), 1u);
    const FileDialogRequest& request = platform.file_dialogs[0];
    EXPECT_EQ(request.title, "ファイルを開く");
    EXPECT_EQ(request.filter, "画像ファイル|*.gif;*.bmp;*.jpg;*.jpeg;*.png");
    EXPECT_EQ(request.initial_folder, session.folders.documents_root);
    EXPECT_TRUE(request.must_exist);
    EXPECT_TRUE(platform.messages.empty());
    Click(d, "cmd追加");
    ExpectSaid("このファイル名は予約されています.\r\nファイル名を変更してから使用してください.", "画像の追加",
               MessageIcon::Information);
    platform.message_replies = {MessageButton::No};
    Click(d, "cmd追加");
    ExpectSaid("同名のファイルが存在します.上書きしますか?", "上書き確認", MessageIcon::Question);
    EXPECT_EQ(Fs().ReadFile(Icon("a.gif")).value, kGif);
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmd追加");
    platform.messages.clear();
    EXPECT_EQ(Fs().ReadFile(Icon("a.gif")).value, Png());
    Select(d, 0);
    Click(d, "cmd追加");
    ExpectNoSelection(d);
    EXPECT_TRUE(Entries(d).contains("new.gif"));
    Click(d, "CancelButton");
  });
  EXPECT_FALSE(Fs().AnythingAt(Icon("DscNone.GIF")));
  EXPECT_TRUE(Items(Box("cmbImage", 4)).contains("new.gif"));
  EXPECT_EQ(Box("cmbImage", 2)->currentText(), "a.gif");
}

TEST_F(IconTest, RenameChecksThenRenamesAndTheBoxesKeepTheirTexts) {
  Open([&](QDialog& d) {
    auto* name = Child<QLineEdit>(d, "txtImageName");
    Select(d, 0);
    name->clear();
    Click(d, "cmdNameChange");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(name->text(), "a.gif");
    // The unchanged name is taken.
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmdNameChange");
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, "ファイル名を変更しますか?");
    EXPECT_EQ(platform.messages[0].title, "ファイル名変更");
    EXPECT_EQ(platform.messages[0].default_button, MessageButton::No);
    EXPECT_EQ(platform.messages[1].text, "同名のファイルが存在するためファイル名を変更できません.");
    EXPECT_EQ(platform.messages[1].icon, MessageIcon::Error);
    platform.messages.clear();
    const auto refused = [&](const char* typed, const std::string& message) {
      name->setText(ToQt(typed));
      platform.message_replies = {MessageButton::Yes};
      Click(d, "cmdNameChange");
      ASSERT_EQ(platform.messages.size(), 2u) << typed;
      EXPECT_EQ(platform.messages[1].text, message);
      EXPECT_EQ(platform.messages[1].title, "ファイル名変更");
      platform.messages.clear();
      EXPECT_EQ(name->text(), "a.gif") << typed;
    };
    refused("DSCNONE.GIF", "このファイル名は予約されています.\r\n他のファイル名を使用してください.");
    refused("../a.gif", "このファイル名は使用できません.");
    refused("sub\\a.gif", "このファイル名は使用できません.");
    refused("..", "このファイル名は使用できません.");
    // No keeps the typed text.
    name->setText("moeru.gif");
    platform.message_replies = {MessageButton::No};
    Click(d, "cmdNameChange");
    platform.messages.clear();
    EXPECT_EQ(name->text(), "moeru.gif");
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmdNameChange");
    platform.messages.clear();
    ExpectNoSelection(d);
    EXPECT_EQ(Entries(d), (QStringList{"B.PNG", "c.png", "moeru.gif", "note.txt"}));
    Click(d, "CancelButton");
  });
  EXPECT_FALSE(Fs().AnythingAt(Icon("a.gif")));
  EXPECT_EQ(Fs().ReadFile(Icon("moeru.gif")).value, kGif);
  EXPECT_EQ(Box("cmbImage", 2)->currentText(), "a.gif");
  EXPECT_EQ(Items(Box("cmbImage", 2)), (QStringList{ToQt("(なし)"), "B.PNG", "c.png", "moeru.gif", "note.txt"}));
}

// Names Shift_JIS cannot hold, or that are not even UTF-8, could never be
// saved with a document: the boxes leave them out, the manager marks them
// and still renames and deletes them.
TEST_F(IconTest, NamesShiftJisCannotHoldAreOnlyRenamedOrDeleted) {
  const std::string unstorable = "剝がせるごみとプラスチック.gif";
  const std::string look_alike = "〜.gif";  // would come back as ～
  const std::string not_utf8 = "\xFF\xFE.gif";
  for (const std::string& name : {unstorable, look_alike, not_utf8}) {
    std::ofstream(ToPath(Icon(name)), std::ios::binary) << kGif;
  }
  const QString mark = ToQt("(使用できないファイル名)");
  const QString shown_not_utf8 = QString::fromUtf8("\uFFFD\uFFFD.gif");
  Open([&](QDialog& d) {
    const QStringList entries = Entries(d);
    for (const QString& entry : {ToQt(unstorable) + mark, ToQt(look_alike) + mark, shown_not_utf8 + mark}) {
      EXPECT_TRUE(entries.contains(entry)) << FromQt(entry);
    }
    EXPECT_TRUE(entries.contains("a.gif"));
    // A name the list cuts shows whole in a tooltip.
    auto* list = List(d);
    const QListWidgetItem* cut = list->item(static_cast<int>(entries.indexOf(ToQt(unstorable) + mark)));
    QPoint at = list->visualItemRect(cut).center();
    at.setX(8);
    QHelpEvent tip(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &tip);
    EXPECT_EQ(QToolTip::text(), ToQt(unstorable) + mark);
    // The one that is not UTF-8: previewed, and renamed by its real name.
    Select(d, static_cast<int>(entries.indexOf(shown_not_utf8 + mark)));
    EXPECT_FALSE(Child<QLabel>(d, "Picture1")->pixmap().isNull());
    EXPECT_EQ(Child<QLineEdit>(d, "txtImageName")->text(), shown_not_utf8);
    Child<QLineEdit>(d, "txtImageName")->setText("moyasu.gif");
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmdNameChange");
    platform.messages.clear();
    Select(d, static_cast<int>(Entries(d).indexOf(ToQt(unstorable) + mark)));
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmdDelete");
    ExpectSaid("剝がせるごみとプラスチック.gif を削除しますか?", "アイコンの削除", MessageIcon::Question);
    EXPECT_EQ(Entries(d), (QStringList{"a.gif", "B.PNG", "c.png", "moyasu.gif", "note.txt", ToQt(look_alike) + mark}));
    Click(d, "CancelButton");
  });
  EXPECT_EQ(Fs().ReadFile(Icon("moyasu.gif")).value, kGif);
  EXPECT_FALSE(Fs().AnythingAt(Icon(not_utf8)));
  EXPECT_FALSE(Fs().AnythingAt(Icon(unstorable)));
  EXPECT_EQ(Items(Box("cmbImage", 0)),
            (QStringList{ToQt("(なし)"), "a.gif", "B.PNG", "c.png", "moyasu.gif", "note.txt"}));
}

TEST_F(IconTest, DeleteAsksThenRemovesTheFile) {
  Open([&](QDialog& d) {
    Select(d, 0);
    platform.message_replies = {MessageButton::No};
    Click(d, "cmdDelete");
    ExpectSaid("a.gif を削除しますか?", "アイコンの削除", MessageIcon::Question);
    EXPECT_EQ(Entries(d).size(), 4);
    platform.message_replies = {MessageButton::Yes};
    Click(d, "cmdDelete");
    platform.messages.clear();
    ExpectNoSelection(d);
    EXPECT_EQ(Entries(d), (QStringList{"B.PNG", "c.png", "note.txt"}));
    Click(d, "CancelButton");
  });
  EXPECT_FALSE(Fs().AnythingAt(Icon("a.gif")));
  EXPECT_EQ(Box("cmbImage", 2)->currentText(), "a.gif");
  EXPECT_FALSE(Items(Box("cmbImage", 2)).contains("a.gif"));
}

}  // namespace
}  // namespace dustora
