#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <tuple>
#include <variant>

#include "core/color.h"
#include "core/encoding.h"
#include "core/filesystem.h"
#include "output/evaluation.h"
#include "output/outputs.h"
#include "output/sheet.h"
#include "session/lifecycle.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "tables/memo.h"
#include "ui/batch_dialog.h"
#include "ui/busy_pointer.h"
#include "ui/category_dialog.h"
#include "ui/choice_combo_box.h"
#include "ui/color_swatch.h"
#include "ui/date_option_dialog.h"
#include "ui/day_dialog.h"
#include "ui/design_editor.h"
#include "ui/dialogs.h"
#include "ui/every_other_dialog.h"
#include "ui/file_copy_dialog.h"
#include "ui/help.h"
#include "ui/holiday_dialog.h"
#include "ui/ical_dialog.h"
#include "ui/icon_dialog.h"
#include "ui/import_dialog.h"
#include "ui/memo_editor.h"
#include "ui/months_dialog.h"
#include "ui/none_term_dialog.h"
#include "ui/palette_dialog.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/report_boxes.h"
#include "ui/save_year_month_dialog.h"
#include "ui/sheet_dialog.h"
#include "ui/version_dialog.h"
#include "ui/window_keys.h"
#include "ui/year_dialog.h"

namespace dustora {

namespace {

// Room around a month button's text.
constexpr int kMonthButtonPadding = 16;

QColor ColorOf(std::string_view text) {
  const int value = ColorTextToValue(text);
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The number the year or month box shows; none when it shows no item.
std::optional<int> ShownNumber(const QComboBox& box) {
  bool ok = false;
  const int number = box.currentText().toInt(&ok);
  return ok ? std::optional<int>(number) : std::nullopt;
}

// The year or month box's item that shows the number; -1 when none does.
int ItemShowing(const QComboBox& box, std::optional<int> number) {
  return number ? box.findText(QString::number(*number)) : -1;
}

}  // namespace

MainWindow::MainWindow(Session& session, Platform& platform, QWidget* parent)
    : QMainWindow(parent), session_(session), document_(session.document), platform_(platform) {
  setObjectName(QStringLiteral("frmMain"));
  AttachPlatform(*this, platform);
  BuildMenus();
  BuildEditor();
  subscription_ = session_.Subscribe([this](SessionChange change) {
    switch (change) {
      case SessionChange::Modified:
        if (document_.modified && !document_.document_path.empty()) save_action_->setEnabled(true);
        ShowTitle();
        break;
      case SessionChange::MemoTie: ShowMemoTie(); break;
    }
  });
  MainWindow::SetWindowTitle(WindowTitleFor(""));  // not yet through the view it is
  ShowMemoTie();
  InstallHelpKey(this);
  GuardChoiceBoxes(*this);
}

void MainWindow::showEvent(QShowEvent* event) {
  if (!sized_ && !isMaximized() && !isFullScreen()) {
    sized_ = true;
    if (const QScreen* shown_on = screen()) {
      // Room for the window's frame, which is not known before it is shown.
      constexpr int kFrameAllowance = 16;
      const QRect room = shown_on->availableGeometry();
      const QSize wanted = sizeHint();
      resize(std::max(width(), std::min(wanted.width(), room.width() - kFrameAllowance)),
             std::max(height(), std::min(wanted.height(), room.height() - kFrameAllowance)));
    }
  }
  QMainWindow::showEvent(event);
}

MainWindow::~MainWindow() {
  session_.Unsubscribe(subscription_);
}

QAction* MainWindow::AddAction(QMenu* menu, const char* name, const QString& caption, bool enabled) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(ToQt(name));
  action->setEnabled(enabled);
  return action;
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* new_action = AddAction(file, "mnuNew", QStringLiteral("新規作成(&N)"));
  QAction* open_action = AddAction(file, "mnuOpen", QStringLiteral("ファイルを開く(&O)..."));
  QAction* sample_action = AddAction(file, "mnuSample", QStringLiteral("サンプルを開く(&E)"));
  QAction* import_action = AddAction(file, "mnuImport", QStringLiteral("オープンデータから読み込み(&R)..."));
  QAction* batch_action = AddAction(file, "mnuBatch", QStringLiteral("オープンデータから一括作成(&B)..."));
  save_action_ = AddAction(file, "mnuSave", QStringLiteral("上書き保存(&S)"), false);
  QAction* save_as_action = AddAction(file, "mnuSaveAs", QStringLiteral("名前を付けて保存(&A)..."));
  file->addSeparator();
  QAction* year_action = AddAction(file, "mnuYear", QStringLiteral("年間カレンダー作成(&Y)..."));
  QAction* sheet_action = AddAction(file, "mnuSheet", QStringLiteral("年間一覧表作成(&L)..."));
  QAction* ical_action = AddAction(file, "mnuICal", QStringLiteral("iCalendar形式で書き出し(&I)..."));
  QAction* page_folder_action =
      AddAction(file, "mnuPageFolder", QStringLiteral("作成したページのフォルダーを開く(&P)"));
  file->addSeparator();
  QAction* copy_action = AddAction(file, "mnuCopyMyDoc", QStringLiteral("旧フォルダからのファイルコピー(&D)..."));
  file->addSeparator();
  QAction* tie_action = AddAction(file, "mnuMRelation", QStringLiteral("メモファイルの関連付け(&M)..."));
  cancel_tie_action_ = AddAction(file, "mnuCancelR", QStringLiteral("関連付けの解除(&C)..."), false);
  recent_separator_ = file->addSeparator();
  for (int i = 0; i < kRecentCount; ++i) {
    QAction* recent = file->addAction(QString());
    recent->setObjectName(Indexed("mnuRecent", i));
    connect(recent, &QAction::triggered, this,
            [this, i] { RunHandler(this, "mnuRecent", [this, i] { OpenRecent(i); }); });
    recent_actions_[static_cast<std::size_t>(i)] = recent;
  }
  file->setToolTipsVisible(true);  // the whole path of a recent document
  file->addSeparator();
  QAction* close_action = AddAction(file, "mnuClose", QStringLiteral("閉じる(&X)"));

  QMenu* settings = menuBar()->addMenu(QStringLiteral("設定(&S)"));
  settings->setObjectName(QStringLiteral("mnuSetting"));
  QAction* category_action = AddAction(settings, "mnuCategory", QStringLiteral("分別の種類設定(&C)..."));
  QAction* image_action = AddAction(settings, "mnuImage", QStringLiteral("アイコンの設定(&I)..."));
  settings->addSeparator();
  QAction* holiday_action = AddAction(settings, "mnuHoliday", QStringLiteral("祝祭日の確認と編集(&H)..."));
  QAction* date_option_action = AddAction(settings, "mnuDateOption", QStringLiteral("特定日オプション(&O)..."));
  QAction* none_action = AddAction(settings, "mnuNone", QStringLiteral("回収のない期間の設定(&N)..."));
  QAction* day_action = AddAction(settings, "mnuDay", QStringLiteral("臨時の収集日と休みの設定(&X)..."));
  QAction* every_other_action = AddAction(settings, "mnuEveryOther", QStringLiteral("隔週の基準日設定(&E)..."));
  QAction* file_option_action =
      AddAction(settings, "mnuFileOption", QStringLiteral("ダストーラファイル保存オプション(&F)..."));
  settings->addSeparator();
  QAction* design_action = AddAction(settings, "mnuDesign", QStringLiteral("デザイン(&D)..."));
  settings->addSeparator();
  QAction* memo_action = AddAction(settings, "mnuMemo", QStringLiteral("メモ欄の編集(&M)..."));

  QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
  help->setObjectName(QStringLiteral("mnuHelpMenu"));
  QAction* help_action = AddAction(help, "mnuHelp", QStringLiteral("ヘルプ(&H)..."));
  QAction* version_action = AddAction(help, "mnuVersion", QStringLiteral("バージョン情報(&A)..."));
  QAction* web_action = AddAction(help, "mnuWebsite", QStringLiteral("WebSite(&W)"));
  QAction* readme_action = AddAction(help, "mnuReadme", QStringLiteral("Readmeを開く(&M)"));
  connect(help_action, &QAction::triggered, this, [this] { OpenHelpPage(this, QStringLiteral("index.html")); });
  connect(version_action, &QAction::triggered, this, [this] {
    VersionDialog dialog(this);
    OpenOurDialog(dialog);
  });
  connect(web_action, &QAction::triggered, this,
          [this] { RunHandler(this, "main.mnuWeb", [this] { OpenWebSite(this); }); });
  connect(readme_action, &QAction::triggered, this, [this] { OpenReadme(this); });

  connect(new_action, &QAction::triggered, this,
          [this] { RunHandler(this, "mnuNew", [this] { std::ignore = NewDocument(platform_, session_, *this); }); });
  connect(open_action, &QAction::triggered, this, [this] {
    RunHandler(this, "mnuOpen", [this] { OpenAndRemember(OpenDocument(platform_, session_, *this)); });
  });
  connect(sample_action, &QAction::triggered, this, [this] {
    RunHandler(this, "mnuSample", [this] {
      std::ignore = OpenSample(platform_, session_, *this, JoinPath(platform_.ProgramFolder(), "sample.dsc"));
    });
  });
  connect(import_action, &QAction::triggered, this,
          [this] { RunHandler(this, "mnuImport", [this] { ImportOpenData(); }); });
  connect(batch_action, &QAction::triggered, this, [this] {
    RunHandler(this, "mnuBatch", [this] {
      const OutputSources sources{session_.settings, session_.holidays, session_.periods, session_.memo_text};
      BatchDialog dialog(sources, Years(), platform_.Today(), session_.folders.document_folder, this);
      std::ignore = OpenOurDialog(dialog);
    });
  });
  connect(page_folder_action, &QAction::triggered, this, [this] { std::ignore = OpenPageFolder(); });
  connect(save_action_, &QAction::triggered, this, [this] {
    RunHandler(this, "mnuSave", [this] { OpenAndRemember(SaveDocument(platform_, session_, *this)); });
  });
  connect(save_as_action, &QAction::triggered, this, [this] {
    RunHandler(this, "mnuSaveAs", [this] { OpenAndRemember(SaveDocumentAs(platform_, session_, *this)); });
  });
  connect(close_action, &QAction::triggered, this, &QWidget::close);
  InstallShortcuts(new_action, open_action, save_as_action, close_action);
  connect(year_action, &QAction::triggered, this, [this] { CreateYearCalendarKeepingFocus(); });
  connect(sheet_action, &QAction::triggered, this,
          [this] { RunHandler(this, SheetOutput().Traits().title, [this] { CreateSheet(); }); });
  connect(ical_action, &QAction::triggered, this,
          [this] { RunHandler(this, "iCalendar形式で書き出し", [this] { ExportICal(); }); });

  connect(category_action, &QAction::triggered, this, [this] {
    RunHandler(this, "mnuCategory",
               [this] { ShowCategoryEditor(this, session_.settings, [this] { FillCategoryLists(); }); });
  });
  connect(image_action, &QAction::triggered, this, [this] {
    RunHandler(this, "mnuImage", [this] { ShowIconManager(this, session_.folders, [this] { FillIconLists(); }); });
  });
  connect(copy_action, &QAction::triggered, this,
          [this] { RunHandler(this, "mnuCopyMyDoc", [this] { ShowFileCopy(this, session_.folders); }); });
  connect(memo_action, &QAction::triggered, this, [this] { RunHandler(this, "mnuMemo", [this] { EditMemo(); }); });
  connect(tie_action, &QAction::triggered, this,
          [this] { RunUnexpectedHandler(this, "frmMain.mnuMR", [this] { TieMemoFile(); }); });
  connect(cancel_tie_action_, &QAction::triggered, this,
          [this] { RunHandler(this, "mnuCancelR", [this] { UntieMemo(); }); });
  connect(design_action, &QAction::triggered, this,
          [this] { RunHandler(this, "mnuDesign", [this] { ShowDesignEditor(this, session_); }); });
  connect(holiday_action, &QAction::triggered, this,
          [this] { RunHandler(this, "mnuHoliday", [this] { ShowHolidayEditor(this, session_); }); });
  connect(none_action, &QAction::triggered, this,
          [this] { RunHandler(this, "mnuNone", [this] { ShowNoneTermEditor(this, session_); }); });
  connect(date_option_action, &QAction::triggered, this,
          [this] { RunHandler(this, "mnuDateOption", [this] { ShowDateOption(this, session_.settings); }); });
  connect(day_action, &QAction::triggered, this, [this] {
    RunHandler(this, "mnuDay", [this] {
      if (ShowDayEditor(this, document_, session_.settings)) session_.MarkModified();
    });
  });
  connect(every_other_action, &QAction::triggered, this, [this] {
    RunHandler(this, "mnuEveryOther", [this] {
      if (ShowEveryOther(this, session_.settings, document_)) session_.MarkModified();
    });
  });
  connect(file_option_action, &QAction::triggered, this,
          [this] { RunHandler(this, "mnuFileOption", [this] { ShowSaveYearMonth(this, session_.settings); }); });
}

void MainWindow::InstallShortcuts(QAction* new_action, QAction* open_action, QAction* save_as_action,
                                  QAction* close_action) {
  new_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  open_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  save_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  save_as_action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  close_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  // While 上書き保存 is disabled its Ctrl+S is this one's: a document never
  // saved is saved under a name; a saved one without changes stays as it is.
  auto* save_anyway = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
  connect(save_anyway, &QShortcut::activated, this, [this, save_as_action] {
    if (document_.document_path.empty()) save_as_action->trigger();
  });
  connect(save_action_, &QAction::changed, this,
          [this, save_anyway] { save_anyway->setEnabled(!save_action_->isEnabled()); });
  save_anyway->setEnabled(!save_action_->isEnabled());
}

void MainWindow::BuildEditor() {
  auto* central = new QWidget(this);
  auto* outer = new QHBoxLayout(central);

  auto* editor = new QVBoxLayout;
  tabs_ = new QTabBar(central);
  tabs_->setObjectName(QStringLiteral("TabWeek"));
  tabs_->setExpanding(false);
  // On a narrow screen the tabs scroll rather than widen the window; their
  // scroll buttons are for the mouse (the arrow keys and the tab keys go
  // through the tabs), so Tab goes from the tabs to the first row.
  tabs_->setUsesScrollButtons(true);
  for (QToolButton* scroll : tabs_->findChildren<QToolButton*>()) scroll->setFocusPolicy(Qt::NoFocus);
  tabs_->setShape(QTabBar::RoundedNorth);
  for (const RuleKindInfo& info : RuleKinds()) {
    const int index = tabs_->addTab(ToQt(info.tab_caption));
    tabs_->setTabData(index, ToQt(info.key));
    tabs_->setTabToolTip(index, ToQt(info.tab_hint));
  }
  editor->addWidget(tabs_);

  // The rows stand on a panel under the tabs, as the page of a tab widget.
  auto* page = new QFrame(central);
  page->setFrameShape(QFrame::StyledPanel);
  auto* rows = new QGridLayout(page);
  rows->setHorizontalSpacing(8);
  rule_label_ = new QLabel(QStringLiteral("毎週○曜日"), page);
  rule_label_->setObjectName(QStringLiteral("LabelRule"));
  auto* category_label = new QLabel(QStringLiteral("分別の種類"), page);
  category_label->setObjectName(QStringLiteral("Label5"));
  auto* color_label = new QLabel(QStringLiteral("文字色"), page);
  color_label->setObjectName(QStringLiteral("Label3"));
  auto* icon_label = new QLabel(QStringLiteral("アイコン"), page);
  icon_label->setObjectName(QStringLiteral("Label6"));
  rows->addWidget(rule_label_, 0, 0);
  rows->addWidget(category_label, 0, 1);
  rows->addWidget(color_label, 0, 2, Qt::AlignHCenter);
  rows->addWidget(icon_label, 0, 3);
  auto* months_label = new QLabel(QStringLiteral("収集する月"), page);
  months_label->setObjectName(QStringLiteral("lblMonths"));
  rows->addWidget(months_label, 0, 4);
  for (int r = 0; r < kRowsPerKind; ++r) {
    week_boxes_[r] = new ChoiceComboBox(page);
    week_boxes_[r]->setObjectName(Indexed("cmbWeekName", r));
    week_boxes_[r]->setMinimumContentsLength(6);
    category_boxes_[r] = new ChoiceComboBox(page);
    category_boxes_[r]->setObjectName(Indexed("cmbカテゴリー", r));
    category_boxes_[r]->HoldNames(20);
    swatches_[r] = new ColorSwatch(page);
    swatches_[r]->setObjectName(Indexed("picColor", r));
    swatches_[r]->setFixedSize(30, 22);
    image_boxes_[r] = new ChoiceComboBox(page);
    image_boxes_[r]->setObjectName(Indexed("cmbImage", r));
    image_boxes_[r]->HoldNames(14, true);
    rows->addWidget(week_boxes_[r], r + 1, 0);
    rows->addWidget(category_boxes_[r], r + 1, 1);
    rows->addWidget(swatches_[r], r + 1, 2, Qt::AlignHCenter);
    rows->addWidget(image_boxes_[r], r + 1, 3);
    month_buttons_[r] = new QPushButton(page);
    month_buttons_[r]->setObjectName(Indexed("cmdMonths", r));
    month_buttons_[r]->setAutoDefault(false);
    // Wide enough for a few months; more are cut, the tooltip has them all.
    month_buttons_[r]->setFixedWidth(month_buttons_[r]->fontMetrics().horizontalAdvance(QStringLiteral("10,11,12月")) +
                                     kMonthButtonPadding);
    rows->addWidget(month_buttons_[r], r + 1, 4);
    ConnectRow(r);
  }
  // Until there is a category, where to begin.
  first_start_ = new QLabel(QStringLiteral("分別の種類がまだありません。「設定 → 分別の種類設定」で登録するか、"
                                           "「ファイル → サンプルを開く」で例を開いてください。"),
                            page);
  first_start_->setObjectName(QStringLiteral("lblFirstStart"));
  first_start_->setWordWrap(true);
  first_start_->hide();
  rows->addWidget(first_start_, kRowsPerKind + 1, 0, 1, 5);
  rows->setColumnStretch(1, 3);
  rows->setColumnStretch(3, 2);
  editor->setSpacing(0);
  editor->addWidget(page);
  editor->addStretch(1);
  outer->addLayout(editor, 1);

  auto* side = new QVBoxLayout;
  auto* frame = new QGroupBox(QStringLiteral("作成する年月"), central);
  frame->setObjectName(QStringLiteral("Frame日付"));
  auto* frame_layout = new QHBoxLayout(frame);
  year_box_ = new QComboBox(frame);
  year_box_->setObjectName(QStringLiteral("ComboYear"));
  month_box_ = new QComboBox(frame);
  month_box_->setObjectName(QStringLiteral("cmb月"));
  const int this_year = platform_.Today().year;
  for (int year = this_year - 10; year <= this_year + 10; ++year) year_box_->addItem(QString::number(year));
  for (int month = 1; month <= 12; ++month) month_box_->addItem(QString::number(month));
  frame_layout->addWidget(year_box_);
  frame_layout->addWidget(new QLabel(QStringLiteral("年"), frame));
  frame_layout->addWidget(month_box_);
  frame_layout->addWidget(new QLabel(QStringLiteral("月"), frame));
  side->addWidget(frame);
  create_button_ = new QPushButton(QStringLiteral("作　成 (&D)"), central);
  create_button_->setObjectName(QStringLiteral("cmd作成"));
  quit_button_ = new QPushButton(QStringLiteral("終　了 (&Q)"), central);
  quit_button_->setObjectName(QStringLiteral("cmdQuit"));
  year_button_ = new QPushButton(QStringLiteral("年間(&Y)..."), central);
  year_button_->setObjectName(QStringLiteral("cmdYear"));
  side->addWidget(create_button_);
  side->addWidget(year_button_);
  side->addStretch(1);
  side->addWidget(quit_button_);
  outer->addLayout(side);
  setCentralWidget(central);

  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  memo_status_ = new QLabel(statusBar());
  memo_status_->setObjectName(QStringLiteral("StatusBar1(1)"));
  // A long memo path is cut rather than widen the window; the tooltip holds
  // all of it.
  memo_status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(memo_status_, 1);

  for (QWidget* widget : central->findChildren<QWidget*>()) widget->setToolTip(ToQt(kHelpTip));
  for (int i = 0; i < tabs_->count(); ++i) tabs_->setTabToolTip(i, ToQt(RuleKinds()[i].tab_hint));

  connect(tabs_, &QTabBar::currentChanged, this,
          [this] { RunHandler(this, kLoadTabRowsTag, [this] { LoadTabRows(); }); });
  InstallTabKeys(*this, *tabs_, [this](int index) {
    passing_tabs_ = true;
    tabs_->setCurrentIndex(index);
    passing_tabs_ = false;
  });
  connect(year_box_, &QComboBox::activated, this, [this] { YearOrMonthChosen(); });
  connect(month_box_, &QComboBox::activated, this, [this] { YearOrMonthChosen(); });
  // The button is disabled while the page is made; the focus comes back to
  // it, so a second Space makes the page again instead of quitting.
  connect(create_button_, &QPushButton::clicked, this, [this] {
    KeepFocusThrough(create_button_, nullptr,
                     [this] { RunHandler(this, "カレンダー作成", [this] { CreateCalendar(); }); });
  });
  connect(year_button_, &QPushButton::clicked, this, [this] { CreateYearCalendarKeepingFocus(); });
  connect(quit_button_, &QPushButton::clicked, this, &QWidget::close);
  ShowYearMonth();
}

void MainWindow::ConnectRow(int row) {
  for (ChoiceComboBox* box : {week_boxes_[row], category_boxes_[row], image_boxes_[row]}) {
    connect(box, &ChoiceComboBox::chosen, this, [this] {
      if (!loading_ && StoreTabRows()) session_.MarkModified();
      ShowRowMonths();
    });
  }
  connect(swatches_[row], &ColorSwatch::clicked, this, [this, row] { PickColor(row); });
  connect(month_buttons_[row], &QPushButton::clicked, this,
          [this, row] { RunHandler(this, "frmMain.cmdMonths", [this, row] { ChooseRowMonths(row); }); });
  // Once shown, the pictures follow the lists (FillIconLists).
  connect(image_boxes_[row], &ChoiceComboBox::popupAboutToShow, this, [this] {
    if (!icon_pictures_shown_) RunHandler(this, kShowIconPicturesTag, [this] { ShowIconPictures(); });
  });
}

void MainWindow::LoadTabRows() {
  const auto kind = RuleKindOfKey(FromQt(tabs_->tabData(tabs_->currentIndex()).toString()));
  if (!kind) return;
  if (NeedsEveryOtherBase(*kind) && !document_.every_other_base && !IsValidDate(session_.settings.every_other_base) &&
      !(passing_tabs_ && base_notice_shown_)) {
    base_notice_shown_ = true;
    ShowInformation(this, "隔週の基準日が設定されていません.", "隔週の設定");
  }
  loading_ = true;
  const RuleKindInfo& info = InfoOf(*kind);
  for (int r = 0; r < kRowsPerKind; ++r) {
    ChoiceComboBox* box = week_boxes_[r];
    const QSignalBlocker blocker(box);
    box->clear();
    if (HoldsDayOfMonth(*kind)) {
      for (const std::string& item : DayItems()) box->addItem(ToQt(item));
    } else {
      for (const std::string_view item : WeekdayItems()) box->addItem(ToQt(item));
    }
  }
  QPalette palette = rule_label_->palette();
  palette.setColor(QPalette::WindowText, ColorOf(info.label_color));
  rule_label_->setPalette(palette);
  rule_label_->setText(ToQt(info.rule_label));
  for (int r = 0; r < kRowsPerKind; ++r) {
    const RowValues values = document_.LoadRow(*kind, r);
    category_boxes_[r]->ShowText(ToQt(values.category));
    image_boxes_[r]->ShowText(ToQt(values.image));
    swatches_[r]->setColorValue(ColorTextToValue(values.color));
    week_boxes_[r]->ShowText(ToQt(values.first));
  }
  ShowRowMonths();
  loading_ = false;
}

void MainWindow::ShowRowMonths() {
  const auto kind = RuleKindOfKey(FromQt(tabs_->tabData(tabs_->currentIndex()).toString()));
  if (!kind) return;
  for (int r = 0; r < kRowsPerKind; ++r) {
    const auto slot = static_cast<std::size_t>(SlotOf(*kind, r));
    QPushButton* button = month_buttons_[static_cast<std::size_t>(r)];
    const bool has_category = !document_.category[slot].empty();
    button->setEnabled(has_category);
    const QString full = ToQt(MonthsCaption(has_category ? document_.months[slot] : kEveryMonth));
    const QString shown = button->fontMetrics().elidedText(full, Qt::ElideRight, button->width() - kMonthButtonPadding);
    button->setText(shown);
    button->setToolTip(shown == full ? ToQt(kHelpTip) : full);
  }
}

void MainWindow::ChooseRowMonths(int row) {
  const auto kind = RuleKindOfKey(FromQt(tabs_->tabData(tabs_->currentIndex()).toString()));
  if (!kind) return;
  MonthSet& months = document_.months[static_cast<std::size_t>(SlotOf(*kind, row))];
  const std::optional<MonthSet> chosen = ChooseMonths(months, this);
  if (!chosen || *chosen == months) return;
  months = *chosen;
  session_.MarkModified();
  ShowRowMonths();
}

bool MainWindow::StoreTabRows() {
  const auto kind = RuleKindOfKey(FromQt(tabs_->tabData(tabs_->currentIndex()).toString()));
  if (!kind) return false;
  bool changed = false;
  for (int r = 0; r < kRowsPerKind; ++r) {
    const RowValues before = document_.LoadRow(*kind, r);
    document_.StoreRow(*kind, r,
                       {FromQt(week_boxes_[r]->currentText()), FromQt(category_boxes_[r]->currentText()),
                        FromQt(image_boxes_[r]->currentText()), ColorValueToText(swatches_[r]->colorValue())});
    changed = changed || document_.LoadRow(*kind, r) != before;
  }
  return changed;
}

void MainWindow::FillCategoryLists() {
  AppSettings& settings = session_.settings;
  ShowRecent();  // the settings are read by now
  first_start_->setVisible(std::all_of(settings.category.begin(), settings.category.end(),
                                       [](const std::string& name) { return name.empty(); }));
  for (ChoiceComboBox* box : category_boxes_) {
    const QString shown = box->currentText();
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItem(ToQt(kNoneItem));
    for (std::string& name : settings.category) {
      if (name.empty()) continue;
      name = CategoryWithoutCommas(name);
      box->addItem(ToQt(name));
    }
    box->ShowText(shown);
  }
}

void MainWindow::FillIconLists() {
  const std::vector<std::string> files = Fs().ListFiles(JoinPath(session_.folders.data_folder, "img"));
  for (ChoiceComboBox* box : image_boxes_) {
    const QString shown = box->currentText();
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItem(ToQt(kNoneItem));
    for (const std::string& file : files) {
      // A name Shift_JIS cannot hold could not be saved with the document.
      if (file != kNoneImage && sjis::RoundTrips(file)) box->addItem(ToQt(file));
    }
    box->ShowText(shown);
  }
  if (icon_pictures_shown_) ShowIconPictures();
}

void MainWindow::ShowIconPictures() {
  icon_pictures_shown_ = true;
  // The five boxes list the same files: each file is looked at once.
  const std::string folder = JoinPath(session_.folders.data_folder, "img");
  for (int i = 1; i < image_boxes_[0]->count(); ++i) {
    const QIcon picture = icon_pictures_.For(JoinPath(folder, FromQt(image_boxes_[0]->itemText(i))));
    for (ChoiceComboBox* box : image_boxes_) box->setItemIcon(i, picture);
  }
}

void MainWindow::SetWindowTitle(const std::string& title) {
  title_ = title;
  ShowTitle();
}

void MainWindow::ShowTitle() {
  setWindowTitle(ToQt(document_.modified ? title_ + " *" : title_));
}

void MainWindow::SetSaveEnabled(bool enabled) {
  save_action_->setEnabled(enabled);
}

void MainWindow::ShowFirstTab() {
  if (tabs_->currentIndex() == 0) {
    LoadTabRows();
  } else {
    tabs_->setCurrentIndex(0);  // loads the rows
  }
}

void MainWindow::ShowYearMonth() {
  const int year = ItemShowing(*year_box_, document_.year);
  const int month = ItemShowing(*month_box_, document_.month);
  const Date today = platform_.Today();
  year_box_->setCurrentIndex(year >= 0 ? year : year_box_->findText(QString::number(today.year)));
  month_box_->setCurrentIndex(month >= 0 ? month : today.month - 1);
  document_.year = ShownNumber(*year_box_);
  document_.month = ShownNumber(*month_box_);
}

void MainWindow::FocusTabs() {
  tabs_->setFocus();
}

void MainWindow::YearOrMonthChosen() {
  const std::optional<int> year = ShownNumber(*year_box_);
  const std::optional<int> month = ShownNumber(*month_box_);
  const bool changed = year != document_.year || month != document_.month;
  document_.year = year;
  document_.month = month;
  if (changed && session_.settings.save_year_month == 1) session_.MarkModified();
}

void MainWindow::PickColor(int row) {
  ColorSwatch* swatch = swatches_[static_cast<std::size_t>(row)];
  const std::optional<std::int32_t> chosen = ChooseColor(swatch->colorValue(), this);
  if (!chosen) return;
  swatch->setColorValue(*chosen);
  if (StoreTabRows()) session_.MarkModified();
}

void MainWindow::CreateCalendar() {
  Platform& platform = platform_;
  const std::optional<int> year = ShownNumber(*year_box_);
  const std::optional<int> month = ShownNumber(*month_box_);
  if (!year || !month) {
    platform.ShowMessage({"年月の指定が不正です", "作成", MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
    const Date today = platform.Today();
    year_box_->setCurrentIndex(10);
    month_box_->setCurrentIndex(today.month - 1);
    return;
  }
  OutputRequest request;
  request.months = {*year, *month, 1};
  const OutputResult made = RunOutput(MonthPageOutput(), request, create_button_);
  // Making the page gives the month's slots without a colour black.
  if (!made.months.empty()) StoreBlackForShownSlots(document_, made.months.front());
}

void MainWindow::CreateYearCalendarKeepingFocus() {
  KeepFocusThrough(year_button_, nullptr,
                   [this] { RunHandler(this, "年間カレンダー作成", [this] { CreateYearCalendar(); }); });
}

void MainWindow::CreateYearCalendar() {
  YearDialog dialog(session_.settings, Years(), year_box_->currentText(), month_box_->currentText(), this);
  if (OpenOurDialog(dialog) != QDialog::Accepted) return;
  const MonthRange& range = dialog.Range();
  OutputRequest request;
  request.months = {range.Year(), range.Month(), range.Months()};
  std::ignore = RunOutput(MonthsPageOutput(), request, year_button_);
}

void MainWindow::CreateSheet() {
  const Date today = platform_.Today();
  const MonthSpan fiscal = FiscalYearOf(today.year, today.month);
  const OutputSources sources{session_.settings, session_.holidays, session_.periods, session_.memo_text};
  SheetDialog dialog(document_, sources, Years(), QString::number(fiscal.year), QString::number(fiscal.month), this);
  if (OpenOurDialog(dialog) != QDialog::Accepted) return;
  if (dialog.MarksChanged()) session_.MarkModified();
  const MonthRange& range = dialog.Range();
  OutputRequest request;
  request.months = {range.Year(), range.Month(), kSheetMonths};
  std::ignore = RunOutput(SheetOutput(), request, nullptr);
}

void MainWindow::ImportOpenData() {
  constexpr std::string_view kTitle = "オープンデータから読み込み";
  FileDialogRequest request;
  request.mode = FileDialogMode::Folder;
  request.title = std::string(kTitle);
  request.initial_folder = session_.folders.document_folder;
  const std::optional<std::string> folder = platform_.ChooseFile(request);
  if (!folder || folder->empty()) return;
  BusyPointer busy;
  std::variant<OpenData, std::string> read = ReadOpenData(*folder);
  busy.Release();
  if (const auto* why = std::get_if<std::string>(&read)) {
    platform_.ShowMessage({*why, std::string(kTitle), MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
    return;
  }
  ImportDialog dialog(std::get<OpenData>(read), platform_.Today(), this);
  if (OpenOurDialog(dialog) != QDialog::Accepted) return;
  std::optional<ImportedArea> area = dialog.TakeChosen();
  if (!area) return;
  const std::vector<std::string> categories = area->categories;
  if (!OpenImported(platform_, session_, *this, std::move(*area))) return;
  // The category list offers the area's categories from now on, as far as it has room.
  const std::vector<std::string> left = AddCategories(session_.settings, categories);
  FillCategoryLists();
  if (!left.empty()) {
    std::string names;
    for (const std::string& name : left) names += (names.empty() ? "" : "、") + name;
    ShowInformation(this, "分別の種類設定がいっぱいのため、次の分別の種類は一覧に加えていません:\r\n" + names, kTitle);
  }
}

void MainWindow::SayWhenEveryOtherDaysAreLeftOut(std::string_view command) {
  if (LacksEveryOtherBase(document_, session_.settings.every_other_base)) {
    ShowInformation(this, kNoEveryOtherBaseNotice, command);
  }
}

QStringList MainWindow::Years() const {
  QStringList years;
  for (int i = 0; i < year_box_->count(); ++i) years << year_box_->itemText(i);
  return years;
}

void MainWindow::ExportICal() {
  ICalDialog dialog(session_.settings, Years(), year_box_->currentText(), month_box_->currentText(), this);
  if (OpenOurDialog(dialog) != QDialog::Accepted) return;
  const MonthRange& range = dialog.Range();
  OutputRequest request;
  request.months = {range.Year(), range.Month(), range.Months()};
  request.options.reminder = dialog.ChosenReminder();
  std::ignore = RunOutput(ICalendarOutput(), request, nullptr);
}

void MainWindow::OpenWhenIdle(const std::string& path) {
  waiting_file_ = path;
  if (idle_check_ == nullptr) {
    idle_check_ = new QTimer(this);
    idle_check_->setSingleShot(true);
    connect(idle_check_, &QTimer::timeout, this, &MainWindow::OpenWaitingFile);
  }
  // Never inside the caller: it may be the socket that brought the file.
  idle_check_->start(0);
}

void MainWindow::OpenWaitingFile() {
  if (!waiting_file_) return;
  if (!isEnabled() || QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr) {
    constexpr int kIdleCheckMs = 200;
    idle_check_->start(kIdleCheckMs);
    return;
  }
  const std::string path = std::move(*waiting_file_);
  waiting_file_.reset();
  RunHandler(this, "mnuOpen", [this, &path] { OpenAndRemember(OpenDocumentAt(platform_, session_, *this, path)); });
}

void MainWindow::HandOver(const std::string& path) {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  if (!path.empty()) OpenWhenIdle(path);
}

OutputResult MainWindow::RunOutput(const Output& output, const OutputRequest& request, QPushButton* button) {
  const OutputTraits& traits = output.Traits();
  SayWhenEveryOtherDaysAreLeftOut(traits.title);
  const OutputSources sources{session_.settings, session_.holidays, session_.periods, session_.memo_text};
  const bool preview = traits.delivery == OutputDelivery::Preview;
  const std::string preview_path = JoinPath(session_.folders.data_folder, traits.preview_file_name);
  OutputRequest stamped = request;
  stamped.options.now_utc = platform_.NowUtcSeconds();
  BusyPointer busy;
  if (button != nullptr) button->setEnabled(false);
  Report report;
  OutputResult result = preview ? WriteOutput(output, document_, sources, stamped, preview_path, report)
                                : MakeOutput(output, document_, sources, stamped, report);
  busy.Release();
  if (button != nullptr) button->setEnabled(true);
  ShowReport(this, report);
  if (!result.ok()) return result;  // said why; no preview of an old page
  if (preview) {
    ShowPage(preview_path, traits.title);
    return result;
  }
  // Nothing to write is said before a file is asked for.
  if (result.made.items == 0) {
    ShowInformation(this, "書き出す収集日がありません.", traits.title);
    return result;
  }
  FileDialogRequest file;
  file.mode = FileDialogMode::Save;
  file.title = std::string(traits.title);
  file.filter = std::string(traits.file_filter);
  file.default_extension = std::string(traits.extension);
  file.initial_folder = session_.folders.document_folder;
  file.file_name = output.DefaultFileName(document_);
  file.confirm_overwrite = true;
  const std::optional<std::string> path = platform_.ChooseFile(file);
  if (!path) return result;
  Report written;
  const bool saved = SaveOutput(output, result, *path, written);
  ShowReport(this, written);
  if (saved) {
    ShowInformation(this, std::to_string(result.made.items) + "件の収集日を書き出しました.\r\n" + ShownPath(*path),
                    traits.title);
  }
  return result;
}

void MainWindow::ShowPage(const std::string& path, std::string_view command) {
  // The page is there; the message says where, so it can be opened by hand.
  const auto browser_failed = [this, path, command = std::string(command)](const Error&) {
    platform_.CloseSplash();
    const MessageButton answer = platform_.ShowMessage(
        {"ブラウザーを起動できませんでした.(" + command + ")\r\nカレンダーは次のファイルに作成されています:\r\n" +
             ShownPath(path) + "\r\n\r\nこのフォルダーを開きますか?",
         std::string(kErrorBoxTitle), MessageIcon::Error, MessageButtons::YesNo, MessageButton::No});
    if (answer == MessageButton::Yes) std::ignore = OpenPageFolder();
  };
  if (!platform_.ShowPageInBrowser(path, browser_failed)) browser_failed(Error::Of(kErrBadPathName));
}

void MainWindow::ShowRecent() {
  bool any = false;
  for (int i = 0; i < kRecentCount; ++i) {
    const std::string& path = session_.settings.recent[static_cast<std::size_t>(i)];
    QAction* action = recent_actions_[static_cast<std::size_t>(i)];
    action->setVisible(!path.empty());
    if (path.empty()) continue;
    any = true;
    // "&&" shows an "&" of a name rather than making it an accelerator.
    QString name = ToQt(FileNameOf(path));
    action->setText(QStringLiteral("&%1 ").arg(i + 1) + name.replace(QLatin1Char('&'), QStringLiteral("&&")));
    action->setToolTip(ToQt(ShownPath(path)));
  }
  recent_separator_->setVisible(any);
}

void MainWindow::OpenAndRemember(bool done) {
  if (!done) return;
  RememberRecent(session_.settings, document_.document_path);
  ShowRecent();
}

void MainWindow::OpenRecent(int index) {
  const std::string path = session_.settings.recent[static_cast<std::size_t>(index)];
  if (!Fs().FileExists(path)) {
    ShowInformation(this, "次のファイルが見つからないため、一覧から外します:\r\n" + ShownPath(path), "ファイルを開く");
    ForgetRecent(session_.settings, path);
    ShowRecent();
    return;
  }
  OpenAndRemember(OpenDocumentAt(platform_, session_, *this, path));
}

bool MainWindow::OpenPageFolder() {
  const std::string folder = session_.folders.data_folder;
  Platform& platform = platform_;
  const auto refused = [&platform, folder](const Error&) {
    ShowErrorText(platform, "フォルダーを開けませんでした.\r\n" + ShownPath(folder));
  };
  if (OpenWithShell(this, folder, refused)) return true;
  refused(Error::Of(kErrBadPathName));
  return false;
}

void MainWindow::ShowMemoTie() {
  const QString status = ToQt(MemoStatusText(document_));
  memo_status_->setText(status);
  memo_status_->setToolTip(status);
  cancel_tie_action_->setEnabled(!document_.memo_path.empty());
}

void MainWindow::EditMemo() {
  const std::string tied = document_.memo_path;
  ShowMemoEditor(this, session_);
  Report report;
  ReadMemoText(document_, session_.memo_text, report);
  ShowReport(this, report);
  if (document_.memo_path != tied) session_.MarkModified();
}

void MainWindow::TieMemoFile() {
  const std::optional<std::string> chosen =
      ChooseFileToOpen(this, "ファイルを開く", "テキストファイル(*.mmo)|*.mmo", session_.folders.document_folder);
  if (!chosen) return;
  if (!IsMemoFile(*chosen)) {
    ShowInformation(this, "メモファイル(*.mmo)を選択して下さい.", "関連付け");
    return;
  }
  // The path goes into the document, which must be able to store it.
  if (RefuseUnstorable(this, *chosen, FromQt(windowTitle()))) return;
  Report report;
  session_.TieMemo(*chosen, report);
  ShowReport(this, report);
  session_.MarkModified();
}

void MainWindow::UntieMemo() {
  if (!AskYesNo(this, "メモファイルの関連付けを解除しますか?", "関連付けの解除")) return;
  Report report;
  session_.TieMemo("", report);
  ShowReport(this, report);
  session_.MarkModified();
}

void MainWindow::EndWithoutAsking() {
  end_without_asking_ = true;
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!end_without_asking_ && ConfirmSave(platform_, session_) == Answer::Cancel) {
    event->ignore();
    return;
  }
  Report report;
  std::ignore = WriteAtExit(session_, report);  // the program ends whatever failed
  ShowReport(this, report);
  event->accept();
}

}  // namespace dustora
