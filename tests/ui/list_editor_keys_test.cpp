// The three list editors (分別の種類設定, 祝祭日の確認と編集, 回収のない期間の設定)
// as a keyboard user meets them: Enter in an entry field registers and never
// closes, the closing button asks before it drops unregistered input, and a
// button that disables itself hands the focus on to a sensible place.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <ostream>
#include <string>

#include "support/ui_driver.h"
#include "tables/holiday.h"
#include "tables/noneterm.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;
using testing::ClickDay;
using testing::Focused;
using testing::Type;

void Press(QDialog& d, const char* name, Qt::Key key) {
  QWidget* widget = Child(d, name);
  widget->setFocus();
  QTest::keyClick(widget, key);
}
int RowCount(QDialog& d) {
  if (auto* list = d.findChild<QListWidget*>(QStringLiteral("List1"))) return list->count();
  return Child<QTreeWidget>(d, "ListView1")->topLevelItemCount();
}
std::string FirstColumn(QDialog& d, int row) {
  if (auto* list = d.findChild<QListWidget*>(QStringLiteral("List1"))) return FromQt(list->item(row)->text());
  return FromQt(Child<QTreeWidget>(d, "ListView1")->topLevelItem(row)->text(0));
}
void SelectFirstRow(QDialog& d) {
  if (auto* list = d.findChild<QListWidget*>(QStringLiteral("List1"))) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    return;
  }
  auto* tree = Child<QTreeWidget>(d, "ListView1");
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(0)).center());
}

struct Editor {
  const char* name;
  const char* menu;
  const char* dialog;
  const char* title;
  const char* field;         // the entry field in which Enter registers
  const char* close;         // the button that stores and closes
  const char* after_new;     // the focus after 新規 ...
  const char* after_delete;  // ... and after a deletion
  const char* registered;    // the first column of the row that fill registers
  const char* after_list;    // where Tab goes from the list
  // Puts one row into the table the editor opens on.
  std::function<void(Session&)> seed;
  // Edits the fields as a user would, leaving them unregistered.
  std::function<void(QDialog&)> fill;
  // The number of entries in the table the editor stores into.
  std::function<int(const Session&)> stored;
};

void PrintTo(const Editor& editor, std::ostream* out) {
  *out << editor.name;
}

// Enter on a "..." button opens the picker, whose script chooses day 18.
void PickWithEnter(QDialog& d, const char* button) {
  Press(d, button, Qt::Key_Return);
}

const Editor kEditors[] = {
    {"Categories", "mnuCategory", "dlgSet", "分別の種類設定", "txtCategory", "OKButton", "txtCategory", "List1", "びん",
     "txtCategory",
     [](Session& session) {
       session.settings.category = {};
       session.settings.category[0] = "燃やせるごみ";
     },
     [](QDialog& d) { Type(Child(d, "txtCategory"), QStringLiteral("びん")); },
     [](const Session& session) {
       return static_cast<int>(std::count_if(session.settings.category.begin(), session.settings.category.end(),
                                             [](const std::string& name) { return !name.empty(); }));
     }},
    {"Holidays", "mnuHoliday", "dlgHoliday", "祝祭日の確認と編集", "txtName", "OKButton", "ListView1", "ListView1",
     "2011/04/18", "cmdDate",
     [](Session& session) {
       session.holidays = {{{2011, 1, 1}, "元日"}};
     },
     [](QDialog& d) {
       PickWithEnter(d, "cmdDate");
       Type(Child(d, "txtName"), QStringLiteral("植樹の日"));
     },
     [](const Session& session) { return static_cast<int>(session.holidays.size()); }},
    {"Periods", "mnuNone", "dlgNone", "回収のない期間の設定", "cmbCatedory", "OKButton", "cmdDateStart", "cmdDateStart",
     "2011/04/18", "cmdDateStart",
     [](Session& session) {
       session.periods = {{{2011, 12, 29}, {2012, 1, 3}, "[すべて]"}};
     },
     [](QDialog& d) {
       PickWithEnter(d, "cmdDateStart");
       PickWithEnter(d, "cmdDateEnd");
     },
     [](const Session& session) { return static_cast<int>(session.periods.size()); }},
};

class ListEditorKeysTest : public testing::DialogTest, public ::testing::WithParamInterface<Editor> {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    OpenMainWindow();  // start-up loads the tables; the seed replaces them
    GetParam().seed(session);
    window->FillCategoryLists();
    Script("dlgCalendar", [](QDialog& d) { ClickDay(d, 18); });
  }
  // Opens the editor for `act`; its result code.
  int Run(const Act& act) {
    const std::size_t runs = results.size();
    // What start-up or the menu command said before the dialog is not ours.
    Script(GetParam().dialog, [&](QDialog& d) {
      platform.messages.clear();
      act(d);
    });
    Child<QAction>(*window, GetParam().menu)->trigger();
    EXPECT_GT(results.size(), runs);
    return results.size() > runs ? results.back() : -1;  // the editor closes last
  }
  void ExpectAskedToDrop() {
    ASSERT_EQ(platform.messages.size(), 1u);
    const MessageBoxRequest& asked = platform.messages[0];
    EXPECT_EQ(asked.text, "登録されていない入力があります.破棄して閉じますか?");
    EXPECT_EQ(asked.title, GetParam().title);
    EXPECT_EQ(asked.icon, MessageIcon::Question);
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    EXPECT_EQ(asked.default_button, MessageButton::No);
    platform.messages.clear();
  }
};

TEST_P(ListEditorKeysTest, EnterInTheEntryFieldRegistersAndNeverCloses) {
  const Editor& editor = GetParam();
  Run([&](QDialog& d) {
    // Nothing to register: 登録 is disabled (categories) or says what is
    // missing; either way the dialog stays.
    Press(d, editor.field, Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(RowCount(d), 1);
    platform.messages.clear();

    editor.fill(d);
    EXPECT_TRUE(d.isVisible()) << "Enter on a \"...\" button closed the dialog";
    Press(d, editor.field, Qt::Key_Enter);  // the keypad's Enter
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(RowCount(d), 2);
    EXPECT_EQ(FirstColumn(d, 1), editor.registered);
    EXPECT_TRUE(platform.messages.empty());
    // The focus is back on the first entry field (where Tab from the list
    // goes), so the next entry is registered the same way.
    EXPECT_EQ(Focused(d), editor.after_list);
    editor.fill(d);
    Press(d, editor.field, Qt::Key_Return);
    EXPECT_EQ(RowCount(d), 3);
    EXPECT_TRUE(platform.messages.empty());
    Click(d, "CancelButton");
  });
}

TEST_P(ListEditorKeysTest, TheClosingButtonAsksBeforeItDropsUnregisteredInput) {
  const Editor& editor = GetParam();
  // Typed but not registered: No keeps the dialog, Yes closes without it.
  EXPECT_EQ(Run([&](QDialog& d) {
              editor.fill(d);
              Click(d, editor.close);
              ExpectAskedToDrop();
              EXPECT_TRUE(d.isVisible());
              platform.message_replies = {MessageButton::Yes};
              Click(d, editor.close);
              ExpectAskedToDrop();
            }),
            QDialog::Accepted);
  EXPECT_EQ(editor.stored(session), 1);

  // A selected row as it stands closes without a question; the same row
  // edited asks.
  Run([&](QDialog& d) {
    SelectFirstRow(d);
    editor.fill(d);
    Click(d, editor.close);
    ExpectAskedToDrop();
    Click(d, "CancelButton");
  });
  EXPECT_EQ(Run([&](QDialog& d) {
              SelectFirstRow(d);
              Click(d, editor.close);
              EXPECT_TRUE(platform.messages.empty());
            }),
            QDialog::Accepted);
}

// Tab follows the layout: from the list into the entry fields, from the
// last field to 登録.
TEST_P(ListEditorKeysTest, TabFollowsTheLayout) {
  Run([&](QDialog& d) {
    QWidget* list = d.findChild<QListWidget*>(QStringLiteral("List1"));
    if (!list) list = Child(d, "ListView1");
    Press(d, list->objectName().toUtf8().constData(), Qt::Key_Tab);
    EXPECT_EQ(Focused(d), GetParam().after_list);
    GetParam().fill(d);
    Press(d, GetParam().field, Qt::Key_Tab);
    EXPECT_EQ(Focused(d), "cmd登録");
    Click(d, "CancelButton");
  });
}

TEST_P(ListEditorKeysTest, AButtonThatDisablesItselfHandsTheFocusOn) {
  const Editor& editor = GetParam();
  Run([&](QDialog& d) {
    SelectFirstRow(d);
    Press(d, "cmd新規", Qt::Key_Space);
    EXPECT_EQ(Focused(d), editor.after_new);

    SelectFirstRow(d);
    platform.message_replies = {MessageButton::No};
    Press(d, "cmd削除", Qt::Key_Space);
    EXPECT_EQ(Focused(d), "cmd削除");  // nothing changed
    platform.message_replies = {MessageButton::Yes};
    Press(d, "cmd削除", Qt::Key_Space);
    EXPECT_EQ(RowCount(d), 0);
    EXPECT_EQ(Focused(d), editor.after_delete);
    Click(d, "CancelButton");
  });
}

INSTANTIATE_TEST_SUITE_P(Editors, ListEditorKeysTest, ::testing::ValuesIn(kEditors),
                         [](const ::testing::TestParamInfo<Editor>& test) { return std::string(test.param.name); });

class ListEditorKeysOneEditorTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    OpenMainWindow();
  }
};

// An appended category empties the name box, which disables 登録: the focus
// goes to the list. Enter in the box keeps it there for the next name.
TEST_F(ListEditorKeysOneEditorTest, CategoryRegisterByButtonFocusesTheListByEnterStaysInTheBox) {
  session.settings.category = {};
  window->FillCategoryLists();
  Script("dlgSet", [](QDialog& d) {
    Type(Child(d, "txtCategory"), QStringLiteral("かん"));
    Press(d, "cmd登録", Qt::Key_Space);
    EXPECT_EQ(Focused(d), "List1");
    Type(Child(d, "txtCategory"), QStringLiteral("びん"));
    Press(d, "txtCategory", Qt::Key_Return);
    EXPECT_EQ(Focused(d), "txtCategory");
    EXPECT_EQ(Child<QListWidget>(d, "List1")->count(), 2);
    Click(d, "CancelButton");
  });
  Child<QAction>(*window, "mnuCategory")->trigger();
}

// The period editor's category starts at [すべて]; choosing another one
// alone is no input to lose.
TEST_F(ListEditorKeysOneEditorTest, PeriodCategoryAloneIsNoUnregisteredInput) {
  session.settings.category[0] = "燃やせるごみ";
  Script("dlgNone", [](QDialog& d) {
    auto* category = Child<QComboBox>(d, "cmbCatedory");
    category->setFocus();
    QTest::keyClick(category, Qt::Key_Down);
    EXPECT_EQ(FromQt(category->currentText()), "燃やせるごみ");
    Click(d, "OKButton");
  });
  Child<QAction>(*window, "mnuNone")->trigger();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(results, std::vector<int>{QDialog::Accepted});
}

}  // namespace
}  // namespace dustora
