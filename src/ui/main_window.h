// frmMain: the rule editor (twelve tabs of five rows), the year and month to
// create, the create and quit buttons, the menus and the memo status.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/calendar_document.h"
#include "output/output_run.h"
#include "session/session.h"
#include "ui/document_commands.h"
#include "ui/icon_pictures.h"

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;
class QTimer;

namespace dustora {

class ChoiceComboBox;
class ColorSwatch;

class MainWindow : public QMainWindow, public DocumentView {
  Q_OBJECT

 public:
  // The window works on `platform`, and so do its dialogs.
  MainWindow(Session& session, Platform& platform, QWidget* parent = nullptr);
  Session& session() { return session_; }
  ~MainWindow() override;

  // The rows of the selected tab from the slot tables into the boxes; a
  // failure on a change of tab is said under the tag.
  void LoadTabRows();
  static constexpr std::string_view kLoadTabRowsTag = "SetComboText";
  // The boxes back into the selected tab's rows. True when a row's value
  // changed.
  bool StoreTabRows();
  // The category boxes' items from the settings (and the recent documents
  // and the first-start note, which follow the settings too).
  void FillCategoryLists();
  // The icon boxes' items from the data folder's img folder, with their
  // pictures once those were shown.
  void FillIconLists();

  // DocumentView
  void SetWindowTitle(const std::string& title) override;
  void SetSaveEnabled(bool enabled) override;
  void ReloadRows() override { LoadTabRows(); }
  void ShowFirstTab() override;
  void ShowYearMonth() override;
  void FocusTabs() override;

  // The create command.
  void CreateCalendar();
  // The year dialog, then its page: 年間カレンダー作成.
  void CreateYearCalendar();
  // The export dialog, the file, then the calendar file: iCalendar形式で書き出し.
  void ExportICal();
  // 年間一覧表作成: dlgSheet, then the sheet in the browser.
  void CreateSheet();
  // オープンデータから読み込み: the folder, dlgImport, then the area as a new document.
  void ImportOpenData();
  // Shows the memo status text and the cancel command's state.
  void ShowMemoTie();
  // Closes without the save-changes question, writing the settings and
  // tables as a normal close does (the session or a signal ends the program).
  void EndWithoutAsking();
  // Opens `path` through the Open command once the window is idle: enabled
  // (loading and the splash are over) and without a modal dialog. Of the
  // files that wait, the last one counts.
  void OpenWhenIdle(const std::string& path);
  // A second start handed over: the window comes to the front and, with a
  // file, opens it when idle.
  void HandOver(const std::string& path);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The first opening is as wide as the rows and all twelve rule tabs want,
  // as far as the screen has room (Qt would stop at two thirds of it).
  void showEvent(QShowEvent* event) override;

 private:
  Session& session_;
  int subscription_ = 0;
  void BuildMenus();
  void BuildEditor();
  void ConnectRow(int row);
  void PickColor(int row);
  // The month button of each row: its months, or disabled without a category.
  void ShowRowMonths();
  void ChooseRowMonths(int row);
  // Puts each icon's picture beside its name in the five icon boxes; the
  // first time a box's list opens, not before; a failure is said under the
  // tag.
  void ShowIconPictures();
  static constexpr std::string_view kShowIconPicturesTag = "SetImage";
  void YearOrMonthChosen();
  void CreateYearCalendarKeepingFocus();
  // The main window's years, for the dialogs that start at its choice.
  QStringList Years() const;
  // Makes an output of the document under the busy pointer, `button` (if
  // any) disabled meanwhile, says what the making reported, and delivers
  // it: a preview into the data folder, shown in the browser; a calendar
  // into the file the user chooses, its number of days said. What was made
  // (the months evaluated) goes back to the command.
  OutputResult RunOutput(const Output& output, const OutputRequest& request, QPushButton* button);
  // Shows a page in the browser; `command` names the command in the
  // message of a browser that cannot be started.
  void ShowPage(const std::string& path, std::string_view command);
  // The memo commands: edit (mnuMemo), tie a file (mnuMRelation), untie
  // (mnuCancelR).
  void EditMemo();
  void TieMemoFile();
  void UntieMemo();
  QAction* AddAction(QMenu* menu, const char* name, const QString& caption, bool enabled = true);
  // Opens the waiting file when idle, else looks again a little later.
  void OpenWaitingFile();
  // Says, titled `command`, that every-other-week rows without a base date
  // are left out, when there are such rows.
  void SayWhenEveryOtherDaysAreLeftOut(std::string_view command);
  // The page's folder (the data folder) in the file manager; false when
  // the desktop refused at once (a late refusal is said).
  bool OpenPageFolder();
  // The recent documents in the ファイル menu, from the settings; a
  // document opened or saved goes first.
  void ShowRecent();
  // After a command that `done` opening or saving: its document goes first.
  void OpenAndRemember(bool done);
  void OpenRecent(int index);
  // The title with " *" while the document has unsaved changes.
  void ShowTitle();
  // Ctrl+N, Ctrl+O, Ctrl+S (on a document never saved: save as),
  // Ctrl+Shift+S and Ctrl+W; the tabs' keys.
  void InstallShortcuts(QAction* new_action, QAction* open_action, QAction* save_as_action, QAction* close_action);

  CalendarDocument& document_;
  Platform& platform_;
  QTabBar* tabs_ = nullptr;
  QLabel* rule_label_ = nullptr;
  std::array<ChoiceComboBox*, kRowsPerKind> week_boxes_{};
  std::array<ChoiceComboBox*, kRowsPerKind> category_boxes_{};
  std::array<ColorSwatch*, kRowsPerKind> swatches_{};
  std::array<ChoiceComboBox*, kRowsPerKind> image_boxes_{};
  std::array<QPushButton*, kRowsPerKind> month_buttons_{};
  QComboBox* year_box_ = nullptr;
  QComboBox* month_box_ = nullptr;
  QPushButton* create_button_ = nullptr;
  QPushButton* year_button_ = nullptr;
  QPushButton* quit_button_ = nullptr;
  QLabel* memo_status_ = nullptr;
  QLabel* first_start_ = nullptr;
  QAction* save_action_ = nullptr;
  QAction* cancel_tie_action_ = nullptr;
  std::array<QAction*, kRecentCount> recent_actions_{};
  QAction* recent_separator_ = nullptr;
  IconPictures icon_pictures_;
  bool icon_pictures_shown_ = false;
  bool loading_ = false;
  std::string title_;
  // The tab keys are passing through the tabs; the missing-base-date
  // notice shows once per opening of the window then.
  bool passing_tabs_ = false;
  bool base_notice_shown_ = false;
  bool end_without_asking_ = false;
  bool sized_ = false;  // the first opening has taken its width
  std::optional<std::string> waiting_file_;
  QTimer* idle_check_ = nullptr;
};

}  // namespace dustora
