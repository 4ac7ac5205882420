#include "ui/batch_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>

#include "output/sheet.h"
#include "ui/busy_pointer.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

constexpr std::string_view kTitle = "オープンデータから一括作成";
constexpr int kProgressMs = 100;

QPushButton* Button(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(ToQt(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

BatchDialog::BatchDialog(const OutputSources& sources, const QStringList& years, Date today,
                         std::string document_folder, QWidget* parent)
    : QDialog(parent), sources_(sources), today_(today), document_folder_(std::move(document_folder)) {
  setObjectName(QStringLiteral("dlgBatch"));
  setWindowTitle(ToQt(kTitle));
  const MonthSpan fiscal = FiscalYearOf(today.year, today.month);
  range_ = AddStartMonth(*this, years, QString::number(fiscal.year), QString::number(fiscal.month));

  data_folder_ = new QLineEdit(this);
  data_folder_->setObjectName(QStringLiteral("txtDataFolder"));
  out_folder_ = new QLineEdit(this);
  out_folder_->setObjectName(QStringLiteral("txtOutFolder"));
  data_folder_->setMinimumWidth(320);
  QPushButton* choose_data = Button(this, "cmdDataFolder", "...");
  QPushButton* choose_out = Button(this, "cmdOutFolder", "...");
  for (QPushButton* button : {choose_data, choose_out}) {
    button->setAutoDefault(false);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
  }
  auto* folders = new QGridLayout;
  folders->addWidget(MakeCaption(this, "lblDataFolder", "オープンデータのフォルダー(&D):", data_folder_), 0, 0);
  folders->addWidget(data_folder_, 0, 1);
  folders->addWidget(choose_data, 0, 2);
  folders->addWidget(MakeCaption(this, "lblOutFolder", "作成先のフォルダー(&O):", out_folder_), 1, 0);
  folders->addWidget(out_folder_, 1, 1);
  folders->addWidget(choose_out, 1, 2);

  auto* documents = new QLabel(ToQt("地域ごとのダストーラファイル（備考はメモファイル）と report.csv に加えて:"), this);
  documents->setObjectName(QStringLiteral("lblDocuments"));
  sheets_ = new QCheckBox(ToQt("年間一覧表（地域名.html）(&L)"), this);
  sheets_->setObjectName(QStringLiteral("CheckSheets"));
  sheets_->setChecked(true);
  calendars_ = new QCheckBox(ToQt("iCalendar形式のファイル（地域名.ics、12か月分）(&I)"), this);
  calendars_->setObjectName(QStringLiteral("CheckCalendars"));

  progress_bar_ = new QProgressBar(this);
  progress_bar_->setObjectName(QStringLiteral("prgAreas"));
  progress_bar_->setFormat(QStringLiteral("%v/%m"));
  progress_bar_->setValue(0);
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("lblSummary"));
  summary_->setWordWrap(true);

  start_ = Button(this, "cmdStart", "作成(&S)");
  start_->setDefault(true);
  cancel_ = Button(this, "cmdCancel", "中止(&C)");
  cancel_->setEnabled(false);
  open_folder_ = Button(this, "cmdOpenFolder", "フォルダーを開く(&F)");
  open_folder_->setEnabled(false);
  close_ = Button(this, "cmdClose", "閉じる");
  for (QPushButton* button : {cancel_, open_folder_, close_}) button->setAutoDefault(false);
  auto* buttons = MakeHelpRow(this, {open_folder_, start_, cancel_, close_});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(folders);
  layout->addLayout(range_.grid);
  layout->addSpacing(4);
  layout->addWidget(documents);
  layout->addWidget(sheets_);
  layout->addWidget(calendars_);
  layout->addSpacing(4);
  layout->addWidget(progress_bar_);
  layout->addWidget(summary_);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  ChainTabOrder({data_folder_, choose_data, out_folder_, choose_out, range_.year, range_.month, sheets_, calendars_,
                 open_folder_, start_, cancel_, close_});

  timer_ = new QTimer(this);
  timer_->setInterval(kProgressMs);
  connect(timer_, &QTimer::timeout, this, [this] { ShowProgress(); });
  connect(choose_data, &QPushButton::clicked, this,
          [this] { ChooseFolder(data_folder_, "オープンデータのフォルダー"); });
  connect(choose_out, &QPushButton::clicked, this, [this] { ChooseFolder(out_folder_, "作成先のフォルダー"); });
  connect(start_, &QPushButton::clicked, this, [this] { RunHandler(this, "dlgBatch.Start", [this] { Start(); }); });
  connect(cancel_, &QPushButton::clicked, this, [this] {
    if (progress_) progress_->cancel = true;
  });
  connect(open_folder_, &QPushButton::clicked, this,
          [this] { std::ignore = PlatformOf(this).OpenWithDesktop(FromQt(out_folder_->text())); });
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);

  for (QWidget* widget : findChildren<QWidget*>()) widget->setToolTip(ToQt(kHelpTip));
  FinishDialogLayout(*this, layout);
}

BatchDialog::~BatchDialog() {
  // A run is never left behind: it stops after the areas in progress.
  if (run_.valid()) {
    progress_->cancel = true;
    run_.wait();
  }
}

void BatchDialog::reject() {
  // Escape and the close box while a run goes on stop it first.
  if (run_.valid()) {
    progress_->cancel = true;
    return;
  }
  QDialog::reject();
}

void BatchDialog::ChooseFolder(QLineEdit* box, const char* title) {
  FileDialogRequest request;
  request.mode = FileDialogMode::Folder;
  request.title = title;
  request.initial_folder = box->text().isEmpty() ? document_folder_ : FromQt(box->text());
  if (const std::optional<std::string> chosen = PlatformOf(this).ChooseFile(request); chosen && !chosen->empty()) {
    box->setText(ToQt(*chosen));
  }
}

void BatchDialog::Start() {
  const std::string data_folder = FromQt(data_folder_->text().trimmed());
  const std::string out_folder = FromQt(out_folder_->text().trimmed());
  if (data_folder.empty() || out_folder.empty()) {
    ShowInformation(this, "オープンデータのフォルダーと作成先のフォルダーを指定してください.", kTitle);
    (data_folder.empty() ? data_folder_ : out_folder_)->setFocus();
    return;
  }
  if (!AcceptableStart(range_, kTitle)) return;
  BusyPointer busy;
  std::variant<OpenData, std::string> read = ReadOpenData(data_folder);
  busy.Release();
  if (const auto* why = std::get_if<std::string>(&read)) {
    PlatformOf(this).ShowMessage(
        {*why, std::string(kTitle), MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
    data_folder_->setFocus();
    return;
  }
  data_ = std::make_unique<OpenData>(std::move(std::get<OpenData>(read)));
  progress_ = std::make_unique<CityRunProgress>();
  request_ = CityRunRequest{};
  request_.out_folder = out_folder;
  request_.sheets = sheets_->isChecked();
  request_.calendars = calendars_->isChecked();
  request_.sheet_months = {range_.Year(), range_.Month(), kSheetMonths};
  request_.calendar_months = {range_.Year(), range_.Month(), kSheetMonths};
  request_.options.now_utc = PlatformOf(this).NowUtcSeconds();
  request_.today = today_;
  progress_bar_->setRange(0, static_cast<int>(data_->areas.size()));
  progress_bar_->setValue(0);
  summary_->clear();
  run_ = std::async(std::launch::async, [this] { return RunCity(*data_, request_, sources_, *progress_); });
  ShowRunning(true);
  timer_->start();
}

void BatchDialog::ShowProgress() {
  progress_bar_->setValue(progress_->done.load());
  if (run_.valid() && run_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) Finish();
}

void BatchDialog::Finish() {
  timer_->stop();
  const CityRunSummary summary = run_.get();
  ShowRunning(false);
  std::string text = std::to_string(summary.areas) + "地域のうち、すべて読み込めた地域 " +
                     std::to_string(summary.exact) + "、読み込めない指定のある地域 " + std::to_string(summary.inexact) +
                     "、書き込めなかった地域 " + std::to_string(summary.failed) + "。作成したファイル " +
                     std::to_string(summary.files) + "（" + FromQt(QString::number(summary.seconds, 'f', 1)) + "秒）。";
  if (summary.cancelled) text += "中止しました。";
  if (!summary.report_written) text += "report.csv を書き込めませんでした。";
  summary_->setText(ToQt(text + "詳しくは report.csv を見てください。"));
  open_folder_->setEnabled(true);
  open_folder_->setFocus();
}

void BatchDialog::ShowRunning(bool running) {
  for (QWidget* widget : std::initializer_list<QWidget*>{data_folder_, out_folder_, range_.year, range_.month, sheets_,
                                                         calendars_, start_, close_, open_folder_}) {
    widget->setEnabled(!running);
  }
  cancel_->setEnabled(running);
  if (running) cancel_->setFocus();
}

}  // namespace dustora
