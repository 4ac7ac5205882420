#include "ui/import_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/report_list.h"

namespace dustora {

namespace {

constexpr std::string_view kTitle = "オープンデータから読み込み";

// The filter box hands Up and Down to the list, so that typing and choosing
// go together.
class FilterKeys : public QObject {
 public:
  FilterKeys(QListWidget* list, QObject* parent) : QObject(parent), list_(list) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_PageUp && key != Qt::Key_PageDown)
      return QObject::eventFilter(watched, event);
    QKeyEvent copy(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(list_, &copy);
    return true;
  }

 private:
  QListWidget* list_;
};

}  // namespace

ImportDialog::ImportDialog(const OpenData& open_data, Date today, QWidget* parent)
    : QDialog(parent), data_(open_data), today_(today) {
  setObjectName(QStringLiteral("dlgImport"));
  setWindowTitle(ToQt(kTitle));

  filter_ = new QLineEdit(this);
  filter_->setObjectName(QStringLiteral("txtFilter"));
  filter_->setClearButtonEnabled(true);
  areas_ = new QListWidget(this);
  areas_->setObjectName(QStringLiteral("lstAreas"));
  for (std::size_t i = 0; i < data_.areas.size(); ++i) {
    auto* item = new QListWidgetItem(ToQt(data_.areas[i].name), areas_);
    item->setData(Qt::UserRole, static_cast<qulonglong>(i));
  }
  areas_->setMinimumWidth(200);
  filter_->installEventFilter(new FilterKeys(areas_, this));

  report_ =
      new ReportList("lvwReport", {{"分別の種類", "category", 25}, {"指定", "term", 20}, {"結果", "result", 55}}, this);
  report_->setMinimumWidth(460);
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("lblSummary"));
  summary_->setWordWrap(true);

  auto* left = new QVBoxLayout;
  left->addWidget(MakeCaption(this, "lblFilter", "絞り込み(&F):", filter_));
  left->addWidget(filter_);
  left->addWidget(MakeCaption(this, "lblAreas", "地域(&A):", areas_));
  left->addWidget(areas_, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(MakeCaption(this, "lblReport", "読み込みの結果(&R):", report_));
  right->addWidget(report_, 1);
  right->addWidget(summary_);
  auto* middle = new QHBoxLayout;
  middle->addLayout(left);
  middle->addLayout(right, 1);

  auto* bottom = MakeHelpRow(this, {AddOkCancelButtons(
                                       *this, "O K", "dlgImport.OK",
                                       [this] {
                                         if (shown_) return true;
                                         ShowInformation(this, "地域を選んでください.", kTitle);
                                         filter_->setFocus();
                                         return false;
                                       },
                                       [] {})});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(middle, 1);
  layout->addSpacing(6);
  layout->addLayout(bottom);
  ChainTabOrder({filter_, areas_, report_});

  connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) { Filter(text); });
  connect(areas_, &QListWidget::currentRowChanged, this, [this] { ShowReport(); });
  connect(areas_, &QListWidget::itemActivated, this, [this] {
    if (shown_) accept();
  });

  for (QWidget* widget : findChildren<QWidget*>()) widget->setToolTip(ToQt(kHelpTip));
  if (areas_->count() > 0) areas_->setCurrentRow(0);
  ShowReport();
  FinishDialogLayout(*this, layout);
  filter_->setFocus();
}

std::optional<std::size_t> ImportDialog::CurrentArea() const {
  const QListWidgetItem* item = areas_->currentItem();
  if (item == nullptr || item->isHidden()) return std::nullopt;
  return static_cast<std::size_t>(item->data(Qt::UserRole).toULongLong());
}

void ImportDialog::Filter(const QString& text) {
  const QString wanted = text.trimmed();
  QListWidgetItem* first = nullptr;
  for (int row = 0; row < areas_->count(); ++row) {
    QListWidgetItem* item = areas_->item(row);
    const bool shown = wanted.isEmpty() || item->text().contains(wanted, Qt::CaseInsensitive);
    item->setHidden(!shown);
    if (shown && first == nullptr) first = item;
  }
  // The current row stays when it is still shown, else the first shown.
  if (areas_->currentItem() == nullptr || areas_->currentItem()->isHidden()) areas_->setCurrentItem(first);
  ShowReport();
}

void ImportDialog::ShowReport() {
  report_->clear();
  const std::optional<std::size_t> area = CurrentArea();
  if (!area) {
    shown_.reset();
    summary_->setText(ToQt(areas_->count() == 0 ? "地域がありません." : "一致する地域がありません."));
    return;
  }
  shown_ = ImportArea(data_, data_.areas[*area], today_);
  int unmapped = 0;
  for (const ImportLine& line : shown_->lines) {
    QTreeWidgetItem* row = report_->AppendRow({ToQt(line.category), ToQt(line.cell), ToQt(line.result)});
    for (int column = 0; column < 3; ++column) row->setToolTip(column, row->text(column));  // a long one is cut
    if (line.mapped) continue;
    ++unmapped;
    for (int column = 0; column < 3; ++column) row->setForeground(column, QBrush(Qt::red));
    row->setText(2, ToQt("× " + line.result));
  }
  summary_->setText(ToQt(unmapped == 0 ? std::string("すべての指定を読み込めます.")
                                       : "読み込めない指定が" + std::to_string(unmapped) +
                                             "個あります.その日はカレンダーに入りません."));
}

std::optional<ImportedArea> ImportDialog::TakeChosen() {
  return std::exchange(shown_, std::nullopt);
}

}  // namespace dustora
