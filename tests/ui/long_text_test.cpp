// Long texts never widen a window: every window has the same size with
// 120-character names as with short ones, a cut text shows its beginning and
// all of it in a tooltip; the main window is narrower than its tabs.
#include <gtest/gtest.h>

#include <QAction>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QToolTip>
#include <QTreeWidget>
#include <functional>
#include <string>

#include "support/ui_driver.h"
#include "tables/holiday.h"
#include "tables/memo.h"
#include "tables/noneterm.h"
#include "ui/choice_combo_box.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;

std::string Long(const std::string& start) {
  std::string text = start;
  while (text.size() < std::size_t{120} * 3) text += "長";
  return text;  // 120 characters and more
}

class LongTextTest : public testing::DialogTest {
 protected:
  // The size of a window once shown, with short and with long texts.
  QSize DialogSize(const char* menu, const char* dialog) {
    QSize size;
    Script(dialog, [&](QDialog& d) {
      size = d.size();
      Click(d, "CancelButton");
    });
    Child<QAction>(*window, menu)->trigger();
    return size;
  }
  void UseTexts(const std::string& category, const std::string& holiday, const std::string& title) {
    session.settings.category[0] = category;
    session.document.title = title;
    session.document.local_name = title;
    session.holidays = {{{2011, 1, 1}, holiday}};
    session.periods = {{{2011, 12, 29}, {2012, 1, 3}, category}};
    window->FillCategoryLists();
  }
};

TEST_F(LongTextTest, EveryWindowKeepsItsSizeWithLongNames) {
  OpenMainWindow();
  window->show();
  const std::vector<std::pair<const char*, const char*>> dialogs = {
      {"mnuNone", "dlgNone"}, {"mnuCategory", "dlgSet"}, {"mnuHoliday", "dlgHoliday"}, {"mnuDesign", "frmDesign"}};
  UseTexts("びん", "元日", "題");
  const QSize main_short = window->minimumSizeHint();
  std::vector<QSize> short_sizes;
  short_sizes.reserve(dialogs.size());
  for (const auto& [menu, dialog] : dialogs) short_sizes.push_back(DialogSize(menu, dialog));

  UseTexts(Long("びん"), Long("元日"), Long("題"));
  // The rule rows show the long name, the status bar a long memo path.
  Child<ChoiceComboBox>(*window, "cmbカテゴリー(0)")->ShowText(ToQt(session.settings.category[0]));
  TieMemo(session.document, "/home/" + Long("町内") + ".mmo");
  window->ShowMemoTie();
  EXPECT_EQ(window->minimumSizeHint(), main_short);
  for (std::size_t i = 0; i < dialogs.size(); ++i) {
    EXPECT_EQ(DialogSize(dialogs[i].first, dialogs[i].second), short_sizes[i]) << dialogs[i].second;
  }
}

TEST_F(LongTextTest, ACutNameShowsItsBeginningAndAllOfItInATooltip) {
  OpenMainWindow();
  window->show();
  UseTexts(Long("びん"), "元日", "題");
  auto* box = Child<ChoiceComboBox>(*window, "cmbカテゴリー(3)");
  const int item = box->findText(ToQt(session.settings.category[0]));
  ASSERT_GT(item, 0);
  box->setFocus();
  box->setCurrentIndex(item);
  emit box->activated(item);
  EXPECT_EQ(box->lineEdit()->cursorPosition(), 0);
  EXPECT_EQ(FromQt(box->lineEdit()->toolTip()), session.settings.category[0]);
  box->ShowText(QStringLiteral("かん"));
  EXPECT_EQ(box->lineEdit()->toolTip(), QString());  // the box's own tip shows
  box->ShowText(ToQt(session.settings.category[0]));
  EXPECT_EQ(box->lineEdit()->cursorPosition(), 0);

  // The period list shows the whole name in a tooltip where its column cuts it.
  Script("dlgNone", [&](QDialog& d) {
    auto* list = Child<QTreeWidget>(d, "ListView1");
    const QRect cell = list->visualItemRect(list->topLevelItem(0));
    QPoint at(list->columnViewportPosition(2) + 4, cell.center().y());
    QHelpEvent tip(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &tip);
    EXPECT_EQ(FromQt(QToolTip::text()), session.settings.category[0]);
    Click(d, "CancelButton");
  });
  Child<QAction>(*window, "mnuNone")->trigger();
}

// The tabs scroll rather than widen the window.
TEST_F(LongTextTest, TheMainWindowIsNarrowerThanItsTabs) {
  OpenMainWindow();
  auto* tabs = Child<QTabBar>(*window, "TabWeek");
  int all_tabs = 0;
  for (int i = 0; i < tabs->count(); ++i) all_tabs += tabs->tabRect(i).width();
  EXPECT_LT(tabs->minimumSizeHint().width(), all_tabs);
}

}  // namespace
}  // namespace dustora
