#include "ui/sheet_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <optional>

#include "core/sheet_marks.h"
#include "core/text.h"
#include "output/outputs.h"
#include "output/page.h"
#include "output/sheet.h"
#include "output/sheet_legend.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

std::string_view Title() {
  return SheetOutput().Traits().title;
}

QString RowText(const SheetMark& mark) {
  return ToQt(mark.symbol + mark.label + "　" + mark.category);
}

}  // namespace

SheetDialog::SheetDialog(CalendarDocument& document, const OutputSources& sources, const QStringList& years,
                         const QString& year, const QString& month, QWidget* parent)
    : QDialog(parent),
      document_(document),
      sources_(sources),
      automatic_(AutomaticMarks(LegendCategories(document))),
      marks_(MarksOf(document)) {
  setObjectName(QStringLiteral("dlgSheet"));
  setWindowTitle(ToQt(Title()));
  range_ = AddStartMonth(*this, years, year, month);

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("lstMarks"));
  for (const SheetMark& mark : marks_) list_->addItem(RowText(mark));
  list_->setMinimumWidth(240);

  symbol_ = new QComboBox(this);
  symbol_->setObjectName(QStringLiteral("cmbSymbol"));
  for (const std::string_view symbol : kSheetSymbols) symbol_->addItem(ToQt(symbol));
  label_ = new QLineEdit(this);
  label_->setObjectName(QStringLiteral("txtLabel"));
  label_->setMaxLength(kMostLabelCharacters);
  label_->setMaximumWidth(60);
  auto* automatic = new QPushButton(ToQt("自動に戻す(&R)"), this);
  automatic->setObjectName(QStringLiteral("cmdAutomatic"));
  automatic->setAutoDefault(false);

  auto* mark_row = new QHBoxLayout;
  mark_row->addWidget(MakeCaption(this, "lblSymbol", "記号(&K):", symbol_));
  mark_row->addWidget(symbol_);
  mark_row->addSpacing(8);
  mark_row->addWidget(MakeCaption(this, "lblLabel", "短い名前(&N):", label_));
  mark_row->addWidget(label_);
  mark_row->addStretch(1);
  mark_row->addWidget(automatic);

  auto* marks_column = new QVBoxLayout;
  marks_column->addWidget(MakeCaption(this, "lblMarks", "分別の種類の記号(&M):", list_));
  marks_column->addWidget(list_, 1);
  marks_column->addLayout(mark_row);

  // The preview beside the marks, in a smaller font: the dialog fits a
  // small screen.
  preview_ = new QLabel(this);
  preview_->setObjectName(QStringLiteral("lblPreview"));
  preview_->setTextFormat(Qt::RichText);
  preview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QFont small = preview_->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  preview_->setFont(small);
  auto* preview_column = new QVBoxLayout;
  preview_column->addWidget(MakeCaption(this, "lblPreviewCaption", "最初の月の見本:", nullptr));
  preview_column->addWidget(preview_, 1);

  auto* middle = new QHBoxLayout;
  middle->addLayout(marks_column, 1);
  middle->addSpacing(8);
  middle->addLayout(preview_column);

  auto* bottom =
      MakeHelpRow(this, {AddOkCancelButtons(
                            *this, "O K", "dlgSheet.OK",
                            [this] { return AcceptableStart(range_, Title()) && Acceptable(); }, [this] { Store(); })});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(range_.grid);
  layout->addSpacing(4);
  layout->addLayout(middle);
  layout->addSpacing(6);
  layout->addLayout(bottom);
  ChainTabOrder({range_.year, range_.month, list_, symbol_, label_, automatic});

  connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowChosenMark(); });
  connect(symbol_, &QComboBox::currentIndexChanged, this, [this](int index) { ChangeSymbol(index); });
  connect(label_, &QLineEdit::textEdited, this, [this](const QString& text) { ChangeLabel(text); });
  connect(automatic, &QPushButton::clicked, this, [this] { ReturnToAutomatic(); });
  connect(range_.year, &QComboBox::currentIndexChanged, this, [this] { ShowPreview(); });
  connect(range_.month, &QComboBox::currentIndexChanged, this, [this] { ShowPreview(); });

  for (QWidget* widget : findChildren<QWidget*>()) widget->setToolTip(ToQt(kHelpTip));
  if (!marks_.empty()) list_->setCurrentRow(0);
  ShowChosenMark();
  ShowPreview();
  // The dialog keeps its size while the preview changes with the marks.
  preview_->setMinimumSize(preview_->sizeHint());
  FinishDialogLayout(*this, layout);
}

void SheetDialog::ShowRow(int row) {
  list_->item(row)->setText(RowText(marks_[static_cast<std::size_t>(row)]));
}

void SheetDialog::ShowChosenMark() {
  const int row = list_->currentRow();
  const bool chosen = row >= 0 && row < static_cast<int>(marks_.size());
  symbol_->setEnabled(chosen);
  label_->setEnabled(chosen);
  if (!chosen) return;
  const SheetMark& mark = marks_[static_cast<std::size_t>(row)];
  const QSignalBlocker quiet(symbol_);
  symbol_->setCurrentIndex(symbol_->findText(ToQt(mark.symbol)));
  label_->setText(ToQt(mark.label));
}

void SheetDialog::ChangeSymbol(int symbol) {
  const int row = list_->currentRow();
  if (row < 0 || symbol < 0) return;
  marks_[static_cast<std::size_t>(row)].symbol = std::string(kSheetSymbols[static_cast<std::size_t>(symbol)]);
  ShowRow(row);
  ShowPreview();
}

void SheetDialog::ChangeLabel(const QString& text) {
  const int row = list_->currentRow();
  if (row < 0) return;
  // A comma would end the label where the document file keeps it.
  QString label = text;
  label.remove(QLatin1Char(','));
  if (label != text) label_->setText(label);
  marks_[static_cast<std::size_t>(row)].label = FromQt(label.trimmed());
  ShowRow(row);
  ShowPreview();
}

void SheetDialog::ReturnToAutomatic() {
  marks_ = automatic_;
  for (int row = 0; row < list_->count(); ++row) ShowRow(row);
  ShowChosenMark();
  ShowPreview();
}

void SheetDialog::ShowPreview() {
  const std::optional<std::int64_t> year = NumericToWhole(range_.YearText());
  const std::optional<MonthEntries> grid =
      year ? EvaluateMonth(document_, static_cast<int>(*year), range_.Month(), sources_.Rules()) : std::nullopt;
  if (!grid) {
    preview_->clear();
    return;
  }
  const std::vector<std::vector<std::size_t>> days = DayMarks(*grid, marks_);
  std::string html = "<table cellspacing=\"0\" cellpadding=\"1\" border=\"1\" style=\"border-color:#808080\"><tr>";
  static constexpr std::string_view kWeekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};
  for (const std::string_view weekday : kWeekdays) html += "<th>" + std::string(weekday) + "</th>";
  html += "</tr>";
  // Six weeks, as the sheet has them.
  for (int week = 0; week < 6; ++week) {
    html += "<tr>";
    for (int column = 1; column <= 7; ++column) {
      const int day = grid->DayOfCell(week * 7 + column);
      html += "<td valign=\"top\" width=\"40\">";
      if (day != 0) {
        html += std::to_string(day);
        // Two marks a line.
        const std::vector<std::size_t>& marks = days[static_cast<std::size_t>(day)];
        for (std::size_t i = 0; i < marks.size(); ++i) {
          const SheetMark& shown = marks_[marks[i]];
          html += std::string(i % 2 == 0 ? "<br>" : "") + "<font color=\"" + CategoryColor(document_, shown.category) +
                  "\">" + HtmlText(shown.symbol + shown.label) + "</font>";
        }
      }
      html += "</td>";
    }
    html += "</tr>";
  }
  preview_->setText(ToQt(html + "</table>"));
}

bool SheetDialog::Acceptable() {
  // The row whose label is refused comes up with its label to type.
  const auto point_at = [this](std::size_t row) {
    list_->setCurrentRow(static_cast<int>(row));
    label_->setFocus();
    label_->selectAll();
    return false;
  };
  for (std::size_t i = 0; i < marks_.size(); ++i) {
    const SheetMark& mark = marks_[i];
    if (mark.label.empty()) {
      ShowInformation(this, "短い名前を入力してください: " + mark.category, Title());
      return point_at(i);
    }
    if (RefuseUnstorable(this, mark.label, Title())) return point_at(i);
    for (std::size_t j = 0; j < i; ++j) {
      if (marks_[j].symbol != mark.symbol || marks_[j].label != mark.label) continue;
      ShowInformation(this, "記号と短い名前が同じ分別の種類があります: " + marks_[j].category + ", " + mark.category,
                      Title());
      return point_at(i);
    }
  }
  return true;
}

void SheetDialog::Store() {
  marks_changed_ = marks_ != MarksOf(document_);
  if (marks_changed_) document_.sheet_marks = marks_;
}

}  // namespace dustora
