#include "ui/design_editor.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>
#include <string>
#include <string_view>
#include <vector>

#include "core/color.h"
#include "core/document.h"
#include "core/text.h"
#include "settings/schema.h"
#include "ui/choice_combo_box.h"
#include "ui/color_swatch.h"
#include "ui/dialogs.h"
#include "ui/font_chooser_dialog.h"
#include "ui/help.h"
#include "ui/palette_dialog.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/window_keys.h"

namespace dustora {

namespace {

const char* const kTitle = "デザイン";

// Size items and the stored values "1" … "7".
const std::vector<std::string_view> kSizes = {"最小", "特小", "小", "中", "大", "特大", "最大"};
const std::vector<std::string_view> kStyles = {"通常", "太字", "斜体", "両方"};
const std::vector<std::string_view> kAlignments = {"左", "中央", "右"};
const std::vector<std::string_view> kBorderWidths = {"1", "2", "3", "4", "5", "6"};

struct BorderStyle {
  std::string_view item;
  std::string_view word;
};
const std::vector<BorderStyle> kGridBorderStyles = {{"実線", "solid"},  {"二重線", "double"}, {"稜線", "ridge"},
                                                    {"溝線", "groove"}, {"点線", "dotted"},   {"破線", "dashed"},
                                                    {"なし", "none"}};
const std::vector<BorderStyle> kMemoBorderStyles = {{"実線", "solid"},  {"二重線", "double"}, {"稜線", "ridge"},
                                                    {"溝線", "groove"}, {"凸線", "outset"},   {"凹線", "inset"},
                                                    {"点線", "dotted"}, {"破線", "dashed"},   {"なし", "none"}};

// What 初期値に戻す shows for an entry, and what the editor takes for a
// number it cannot use: the settings table's columns.
std::string Initial(std::string_view section, std::string_view key) {
  return SettingOf(section, key).editor_default.value_or(std::string());
}
std::string Initial(std::string_view section, int index) {
  return Initial(section, std::to_string(index));
}
std::string Fallback(std::string_view section, std::string_view key) {
  return SettingOf(section, key).editor_fallback.value_or(std::string());
}

QString Indexed(const char* name, int index) {
  return ToQt(name) + QStringLiteral("(") + QString::number(index) + QStringLiteral(")");
}

ChoiceComboBox* MakeList(QWidget* parent, const QString& name, const std::vector<std::string_view>& items) {
  auto* box = new ChoiceComboBox(parent);
  box->setObjectName(name);
  box->setToolTip(ToQt(kHelpTip));
  for (const std::string_view item : items) box->addItem(ToQt(item));
  return box;
}

ChoiceComboBox* MakeBorderList(QWidget* parent, const char* name, const std::vector<BorderStyle>& styles) {
  std::vector<std::string_view> items;
  items.reserve(styles.size());
  for (const BorderStyle& style : styles) items.push_back(style.item);
  return MakeList(parent, ToQt(name), items);
}

// Shows a listed item; any other text leaves the list without a selection.
void Select(ChoiceComboBox* box, const std::string& item) {
  box->ShowText(box->findText(ToQt(item)) >= 0 ? ToQt(item) : QString());
}

// The shown item, or `kept` when the list shows none of its items.
std::string ItemOr(const ChoiceComboBox* box, const std::string& kept) {
  return box->findText(box->currentText()) >= 0 && !box->currentText().isEmpty() ? FromQt(box->currentText()) : kept;
}

// Sizes: the item of a stored "1" … "7"; the stored value of the shown item.
void SelectSize(ChoiceComboBox* box, const std::string& value) {
  for (std::size_t i = 0; i < kSizes.size(); ++i) {
    if (value == std::to_string(i + 1)) {
      box->ShowText(ToQt(kSizes[i]));
      return;
    }
  }
  box->ShowText(QString());
}
std::string SizeValueOr(const ChoiceComboBox* box, const std::string& kept) {
  const std::string shown = FromQt(box->currentText());
  for (std::size_t i = 0; i < kSizes.size(); ++i) {
    if (shown == kSizes[i]) return std::to_string(i + 1);
  }
  return kept;
}

// Border styles: a word the list does not hold shows as 実線; an item
// without a word is stored as solid.
void SelectBorderStyle(ChoiceComboBox* box, const std::vector<BorderStyle>& styles, const std::string& word) {
  for (const BorderStyle& style : styles) {
    if (style.word == word) {
      box->ShowText(ToQt(style.item));
      return;
    }
  }
  box->ShowText(ToQt(styles.front().item));
}
std::string BorderWord(const ChoiceComboBox* box, const std::vector<BorderStyle>& styles) {
  const std::string shown = FromQt(box->currentText());
  for (const BorderStyle& style : styles) {
    if (shown == style.item) return std::string(style.word);
  }
  return "solid";
}

// A stored number that is numeric and at most `max_length` long, else
// `fallback` (0 for no length limit).
std::string NumberOr(const std::string& value, std::size_t max_length, const std::string& fallback) {
  return IsNumeric(value) && (max_length == 0 || value.size() <= max_length) ? value : fallback;
}
// A box's number unless it is exactly "0" or not numeric.
std::string NonZeroNumberOr(const QLineEdit* box, const std::string& fallback) {
  const std::string text = FromQt(box->text());
  return text != "0" && IsNumeric(text) ? text : fallback;
}

QLineEdit* MakeDigitBox(QWidget* parent, const char* name, int max_length) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(ToQt(name));
  box->setToolTip(ToQt(kHelpTip));
  box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
  if (max_length > 0) box->setMaxLength(max_length);
  box->setAlignment(Qt::AlignRight);
  box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
  return box;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption) {
  auto* box = new QCheckBox(ToQt(caption), parent);
  box->setObjectName(ToQt(name));
  box->setToolTip(ToQt(kHelpTip));
  return box;
}

// A digit box with its unit, enabled while its check box is on (or off).
QHBoxLayout* NumberRow(QLineEdit* box, QCheckBox* check, bool enabled_when_checked) {
  auto* row = new QHBoxLayout;
  row->addSpacing(20);
  row->addWidget(box);
  row->addWidget(new QLabel(QStringLiteral("mm"), box->parentWidget()));
  row->addStretch(1);
  QObject::connect(check, &QCheckBox::toggled, box,
                   [box, enabled_when_checked](bool on) { box->setEnabled(on == enabled_when_checked); });
  return row;
}

}  // namespace

DesignEditor::DesignEditor(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("frmDesign"));
  setWindowTitle(ToQt(kTitle));

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("TabStrip1"));
  tabs_->addTab(BuildTitlePage(), ToQt("タイトル"));
  tabs_->addTab(BuildAreaPage(), ToQt("地区名"));
  tabs_->addTab(BuildContentPage(), ToQt("内容"));
  tabs_->addTab(BuildStylePage(), ToQt("スタイル"));
  tabs_->addTab(BuildMemoPage(), ToQt("メモ欄"));
  InstallTabKeys(*this, *tabs_->tabBar());

  auto* defaults = new QPushButton(ToQt("初期値に戻す(&D)"), this);
  defaults->setObjectName(QStringLiteral("cmdDefault"));
  defaults->setToolTip(ToQt(kHelpTip));
  connect(defaults, &QPushButton::clicked, this, [this] { RunHandler(this, "cmdDefault", [this] { RestoreDefaults(); }); });

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(MakeHelpPicture(this));
  bottom->addWidget(defaults);
  bottom->addStretch(1);
  bottom->addWidget(AddOkCancelButtons(
      *this, "O K", "Design.OK", [this] { return MayStore(); },
      // A failure inside SetValue keeps what it stored so far and still
      // closes the window.
      [this] { RunHandler(this, "Design.SetValue", [this] { SetValue(); }); }));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(bottom);
  FinishDialogLayout(*this, layout);

  connect(title_, &QLineEdit::textChanged, this, [this] { document_changed_ = true; });
  connect(local_name_, &QLineEdit::textChanged, this, [this] { document_changed_ = true; });
  connect(show_local_name_, &QCheckBox::toggled, this, [this] { LocalNameClicked(); });
  connect(memo_output_, &QCheckBox::toggled, this, [this] { document_changed_ = true; });

  RunHandler(this, "Design.load", [this] { Load(); });
}

DesignEditor::FontSlot DesignEditor::AddFontControls(QGridLayout* grid, int row, std::optional<int> slot_index,
                                                     const char* name_object, const char* button_object,
                                                     const char* size_object, const char* style_object,
                                                     const char* tag) {
  QWidget* page = grid->parentWidget();
  const auto object = [slot_index](const char* base) {
    return slot_index ? Indexed(base, *slot_index) : ToQt(base);
  };
  FontSlot slot;
  slot.name = new QLabel(page);
  slot.name->setObjectName(object(name_object));
  slot.name->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  slot.name->setAutoFillBackground(true);
  slot.name->setBackgroundRole(QPalette::Base);
  slot.name->setMinimumWidth(200);
  slot.name->setToolTip(ToQt(kHelpTip));
  auto* pick = new QPushButton(QStringLiteral("..."), page);
  pick->setObjectName(object(button_object));
  pick->setToolTip(ToQt(kHelpTip));
  pick->setFixedWidth(pick->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 20);
  QLabel* name = slot.name;
  connect(pick, &QPushButton::clicked, this, [this, name, tag] {
    RunHandler(this, tag, [this, name] {
      if (const std::optional<std::string> chosen = ChooseFont(FromQt(name->text()), this)) {
        name->setText(ToQt(*chosen));
      }
    });
  });
  // One row a font, so the tallest page (four fonts) fits a small screen.
  grid->addWidget(new QLabel(ToQt("フォント:"), page), row, 0);
  auto* name_row = new QHBoxLayout;
  name_row->addWidget(slot.name, 1);
  name_row->addWidget(pick);
  grid->addLayout(name_row, row, 1);

  slot.size = MakeList(page, object(size_object), kSizes);
  slot.style = MakeList(page, object(style_object), kStyles);
  slot.size->setMinimumContentsLength(4);
  slot.style->setMinimumContentsLength(4);
  grid->addWidget(new QLabel(ToQt("サイズ:"), page), row, 2);
  grid->addWidget(slot.size, row, 3);
  grid->addWidget(new QLabel(ToQt("スタイル:"), page), row, 4);
  grid->addWidget(slot.style, row, 5);
  return slot;
}

ColorSwatch* DesignEditor::AddSwatch(const QString& name) {
  auto* swatch = new ColorSwatch(this);
  swatch->setObjectName(name);
  swatch->setToolTip(ToQt(kHelpTip));
  swatch->setFixedSize(40, 20);
  connect(swatch, &ColorSwatch::clicked, this, [this, swatch] {
    RunHandler(this, "Design.picColor", [&] {
      if (const std::optional<std::int32_t> chosen = ChooseColor(swatch->colorValue(), this)) {
        swatch->setColorValue(*chosen);
      }
    });
  });
  return swatch;
}

namespace {

// A frame whose grid gives its spare width to `stretch_column`: the font
// name's column in the frames of a font, an empty column after the
// controls elsewhere.
QGroupBox* Frame(QWidget* page, const char* caption, QGridLayout*& grid, int stretch_column = 4) {
  auto* frame = new QGroupBox(ToQt(caption), page);
  grid = new QGridLayout(frame);
  grid->setColumnStretch(stretch_column, 1);
  return frame;
}

constexpr int kFontNameColumn = 1;

}  // namespace

QWidget* DesignEditor::BuildTitlePage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  for (int slot = 0; slot < 2; ++slot) {
    QGridLayout* grid = nullptr;
    QGroupBox* frame = Frame(page, slot == 0 ? "タイトル名" : "年 月", grid, kFontNameColumn);
    int row = 0;
    if (slot == 0) {
      title_ = new QLineEdit(frame);
      title_->setObjectName(QStringLiteral("txtTitle"));
      title_->setMaxLength(30);
      title_->setToolTip(ToQt(kHelpTip));
      grid->addWidget(title_, row++, 0, 1, 6);
    }
    slots_[static_cast<std::size_t>(slot)] =
        AddFontControls(grid, row, slot, "lblFontName", "Command1", "cmbSize", "cmbStyle", "design.cmdFont");
    ++row;
    font_color_[static_cast<std::size_t>(slot)] = AddSwatch(Indexed("picFontColor", slot));
    align_[static_cast<std::size_t>(slot)] = MakeList(frame, Indexed("cmbAlign", slot), kAlignments);
    grid->addWidget(new QLabel(ToQt("文字色:"), frame), row, 0);
    grid->addWidget(font_color_[static_cast<std::size_t>(slot)], row, 1);
    grid->addWidget(new QLabel(ToQt("行揃え:"), frame), row, 2);
    grid->addWidget(align_[static_cast<std::size_t>(slot)], row, 3);
    layout->addWidget(frame);
  }
  layout->addStretch(1);
  return page;
}

QWidget* DesignEditor::BuildAreaPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  QGridLayout* grid = nullptr;
  QGroupBox* frame = Frame(page, "地区名", grid, kFontNameColumn);
  local_name_ = new QLineEdit(frame);
  local_name_->setObjectName(QStringLiteral("txtLocalName"));
  local_name_->setMaxLength(50);
  local_name_->setToolTip(ToQt(kHelpTip));
  grid->addWidget(new QLabel(ToQt("地区名:"), frame), 0, 0);
  grid->addWidget(local_name_, 0, 1, 1, 5);
  show_local_name_ = MakeCheck(frame, "CheckLocalName", "地区名を出力する");
  grid->addWidget(show_local_name_, 1, 1, 1, 3);
  slots_[6] = AddFontControls(grid, 2, 6, "lblFontName", "Command1", "cmbSize", "cmbStyle", "design.cmdFont");
  font_color_[2] = AddSwatch(Indexed("picFontColor", 2));
  grid->addWidget(new QLabel(ToQt("文字色:"), frame), 3, 0);
  grid->addWidget(font_color_[2], 3, 1);
  layout->addWidget(frame);
  layout->addStretch(1);
  return page;
}

QWidget* DesignEditor::BuildContentPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  const char* const captions[] = {"分別名", "曜 日", "日 付", "祝祭日名/記念日名"};
  for (int slot = 2; slot <= 5; ++slot) {
    QGridLayout* grid = nullptr;
    QGroupBox* frame = Frame(page, captions[slot - 2], grid, kFontNameColumn);
    slots_[static_cast<std::size_t>(slot)] =
        AddFontControls(grid, 0, slot, "lblFontName", "Command1", "cmbSize", "cmbStyle", "design.cmdFont");
    layout->addWidget(frame);
  }
  layout->addStretch(1);
  return page;
}

QWidget* DesignEditor::BuildStylePage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  QGridLayout* grid = nullptr;
  QGroupBox* border = Frame(page, "枠 線", grid);
  cell_style_ = MakeBorderList(border, "cmbCellStyle", kGridBorderStyles);
  cell_border_ = MakeList(border, QStringLiteral("cmbBorder"), kBorderWidths);
  cell_color_ = AddSwatch(QStringLiteral("picCellColor"));
  grid->addWidget(new QLabel(ToQt("種類:"), border), 0, 0);
  grid->addWidget(cell_style_, 0, 1);
  grid->addWidget(new QLabel(ToQt("太さ:"), border), 0, 2);
  grid->addWidget(cell_border_, 0, 3);
  grid->addWidget(new QLabel(ToQt("色:"), border), 1, 0);
  grid->addWidget(cell_color_, 1, 1);
  layout->addWidget(border);

  auto* sizes = new QGroupBox(ToQt("サイズ"), page);
  auto* size_layout = new QVBoxLayout(sizes);
  table_width_check_ = MakeCheck(sizes, "CheckTableWidth", "カレンダーの横幅を指定する");
  table_width_ = MakeDigitBox(sizes, "txtTableWidth", 4);
  cell_height_check_ = MakeCheck(sizes, "CheckTDHeight", "セルの最小の高さを指定する");
  cell_height_ = MakeDigitBox(sizes, "txtTDHeight", 4);
  cell_width_check_ = MakeCheck(sizes, "CheckCellWidth", "各セルの横幅を一定にする");
  minimum_width_ = MakeDigitBox(sizes, "txtMinimumWidth", 0);
  size_layout->addWidget(table_width_check_);
  size_layout->addLayout(NumberRow(table_width_, table_width_check_, true));
  size_layout->addWidget(cell_height_check_);
  size_layout->addLayout(NumberRow(cell_height_, cell_height_check_, true));
  size_layout->addWidget(cell_width_check_);
  QHBoxLayout* minimum = NumberRow(minimum_width_, cell_width_check_, false);
  minimum->insertWidget(1, new QLabel(ToQt("最小幅:"), sizes));
  size_layout->addLayout(minimum);
  layout->addWidget(sizes);
  layout->addStretch(1);
  return page;
}

QWidget* DesignEditor::BuildMemoPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  QGridLayout* grid = nullptr;
  QGroupBox* text = Frame(page, "メモ欄の文字", grid, kFontNameColumn);
  memo_font_ = AddFontControls(grid, 0, std::nullopt, "lblMFontName", "cmdMFont", "cmbMSize", "cmbMStyle",
                               "design.cmdMFont");
  memo_color_ = AddSwatch(QStringLiteral("picMFontColor"));
  grid->addWidget(new QLabel(ToQt("文字色:"), text), 1, 0);
  grid->addWidget(memo_color_, 1, 1);
  layout->addWidget(text);

  QGroupBox* border = Frame(page, "メモ欄の枠線", grid);
  memo_cell_style_ = MakeBorderList(border, "cmbMCellStyle", kMemoBorderStyles);
  memo_border_ = MakeList(border, QStringLiteral("cmbMBorder"), kBorderWidths);
  memo_cell_color_ = AddSwatch(QStringLiteral("picMCellColor"));
  grid->addWidget(new QLabel(ToQt("種類:"), border), 0, 0);
  grid->addWidget(memo_cell_style_, 0, 1);
  grid->addWidget(new QLabel(ToQt("太さ:"), border), 0, 2);
  grid->addWidget(memo_border_, 0, 3);
  grid->addWidget(new QLabel(ToQt("色:"), border), 1, 0);
  grid->addWidget(memo_cell_color_, 1, 1);
  layout->addWidget(border);

  memo_output_ = MakeCheck(page, "CheckOutput", "メモ欄を出力");
  layout->addWidget(memo_output_);

  auto* height = new QGroupBox(ToQt("メモ欄の高さ"), page);
  auto* height_layout = new QHBoxLayout(height);
  memo_height_check_ = MakeCheck(height, "CheckMemoHeight", "指定する");
  memo_height_ = MakeDigitBox(height, "txtMemoHeight", 3);
  height_layout->addWidget(memo_height_check_);
  QHBoxLayout* row = NumberRow(memo_height_, memo_height_check_, true);
  height_layout->addLayout(row);
  layout->addWidget(height);
  layout->addStretch(1);
  return page;
}

void DesignEditor::LocalNameClicked() {
  // While the area name is printed, the heading stands on the right.
  if (show_local_name_->isChecked()) align_[1]->ShowText(ToQt("右"));
  align_[1]->setEnabled(!show_local_name_->isChecked());
  document_changed_ = true;
}

void DesignEditor::Load() {
  const DesignSettings& d = session_.settings.design;
  const CalendarDocument& document = session_.document;
  tabs_->setCurrentIndex(0);
  for (int i = 0; i < kFontSlotCount; ++i) {
    const auto s = static_cast<std::size_t>(i);
    slots_[s].name->setText(ToQt(d.font_name[s]));
    Select(slots_[s].style, d.font_style[s]);
    SelectSize(slots_[s].size, d.font_size[s]);
  }
  for (std::size_t i = 0; i < align_.size(); ++i) Select(align_[i], d.font_align[i]);
  for (std::size_t i = 0; i < font_color_.size(); ++i) font_color_[i]->setColorValue(ColorTextToValue(d.font_color[i]));
  Select(cell_border_, d.cell_border);
  SelectBorderStyle(cell_style_, kGridBorderStyles, d.cell_style);
  cell_color_->setColorValue(ColorTextToValue(d.cell_color));
  title_->setText(ToQt(document.title));
  local_name_->setText(ToQt(document.local_name));
  show_local_name_->setChecked(document.show_local_name != 0);
  LocalNameClicked();
  table_width_check_->setChecked(d.table_wc == 1);
  table_width_->setEnabled(d.table_wc == 1);
  cell_height_check_->setChecked(d.table_hc == 1);
  cell_height_->setEnabled(d.table_hc == 1);
  table_width_->setText(ToQt(NumberOr(d.table_tw, 4, Fallback("Table", "TW"))));
  cell_height_->setText(ToQt(NumberOr(d.table_ch, 4, Fallback("Table", "CH"))));
  cell_width_check_->setChecked(d.table_cw != 0);
  minimum_width_->setEnabled(d.table_cw == 0);
  minimum_width_->setText(ToQt(NumberOr(d.table_cm, 0, Fallback("Table", "CM"))));
  memo_font_.name->setText(ToQt(d.memo_fn));
  SelectSize(memo_font_.size, d.memo_fsz);
  memo_height_check_->setChecked(d.memo_hc != 0);
  memo_height_->setEnabled(d.memo_hc != 0);
  memo_height_->setText(ToQt(NumberOr(d.memo_mh, 3, Fallback("Memo", "MH"))));
  Select(memo_font_.style, d.memo_fst);
  memo_color_->setColorValue(ColorTextToValue(d.memo_fc));
  SelectBorderStyle(memo_cell_style_, kMemoBorderStyles, d.memo_cs);
  Select(memo_border_, d.memo_cw);
  memo_cell_color_->setColorValue(ColorTextToValue(d.memo_cc));
  memo_output_->setChecked(document.memo_output != 0);
  document_changed_ = false;
}

bool DesignEditor::MayStore() {
  for (QLineEdit* box : {title_, local_name_}) {
    if (RefuseUnstorable(this, FromQt(box->text()), kTitle)) {
      tabs_->setCurrentWidget(box == title_ ? tabs_->widget(0) : tabs_->widget(1));
      box->setFocus();
      return false;
    }
  }
  return true;
}

void DesignEditor::SetValue() {
  DesignSettings& d = session_.settings.design;
  CalendarDocument& document = session_.document;
  for (int i = 0; i < kFontSlotCount; ++i) {
    const auto s = static_cast<std::size_t>(i);
    d.font_name[s] = FromQt(slots_[s].name->text());
    d.font_style[s] = ItemOr(slots_[s].style, d.font_style[s]);
    d.font_size[s] = SizeValueOr(slots_[s].size, d.font_size[s]);
  }
  for (std::size_t i = 0; i < align_.size(); ++i) d.font_align[i] = ItemOr(align_[i], d.font_align[i]);
  for (std::size_t i = 0; i < font_color_.size(); ++i) d.font_color[i] = ColorValueToText(font_color_[i]->colorValue());
  d.cell_border = ItemOr(cell_border_, d.cell_border);
  d.cell_style = BorderWord(cell_style_, kGridBorderStyles);
  d.cell_color = ColorValueToText(cell_color_->colorValue());
  document.title = FromQt(title_->text());
  document.local_name = FromQt(local_name_->text());
  document.show_local_name = show_local_name_->isChecked() ? 1 : 0;
  d.table_wc = table_width_check_->isChecked() ? 1 : 0;
  d.table_hc = cell_height_check_->isChecked() ? 1 : 0;
  d.table_tw = NonZeroNumberOr(table_width_, Fallback("Table", "TW"));
  d.table_ch = NonZeroNumberOr(cell_height_, Fallback("Table", "CH"));
  d.table_cw = cell_width_check_->isChecked() ? 1 : 0;
  // "0" is a minimum width like any other.
  d.table_cm = NumberOr(FromQt(minimum_width_->text()), 0, Fallback("Table", "CM"));
  d.memo_fn = FromQt(memo_font_.name->text());
  d.memo_fsz = SizeValueOr(memo_font_.size, d.memo_fsz);
  d.memo_fst = ItemOr(memo_font_.style, d.memo_fst);
  d.memo_fc = ColorValueToText(memo_color_->colorValue());
  d.memo_cs = BorderWord(memo_cell_style_, kMemoBorderStyles);
  d.memo_cw = ItemOr(memo_border_, d.memo_cw);
  d.memo_cc = ColorValueToText(memo_cell_color_->colorValue());
  document.memo_output = memo_output_->isChecked() ? 1 : 0;
  d.memo_hc = memo_height_check_->isChecked() ? 1 : 0;
  d.memo_mh = NonZeroNumberOr(memo_height_, Fallback("Memo", "MH"));
}

void DesignEditor::RestoreDefaults() {
  if (!AskYesNo(this, "よろしいですか?", "初期値に戻す")) return;
  for (int i = 0; i < kFontSlotCount; ++i) {
    const auto s = static_cast<std::size_t>(i);
    slots_[s].name->setText(ToQt(Initial("FontName", i)));
    SelectSize(slots_[s].size, Initial("FontSize", i));
    Select(slots_[s].style, Initial("FontStyle", i));
  }
  memo_font_.name->setText(ToQt(Initial("Memo", "FN")));
  SelectSize(memo_font_.size, Initial("Memo", "FSZ"));
  Select(memo_font_.style, Initial("Memo", "FST"));
  for (std::size_t i = 0; i < font_color_.size(); ++i) {
    font_color_[i]->setColorValue(ColorTextToValue(Initial("FontColor", static_cast<int>(i))));
  }
  memo_color_->setColorValue(ColorTextToValue(Initial("Memo", "FC")));
  SelectBorderStyle(cell_style_, kGridBorderStyles, Initial("Cell", "Style"));
  Select(cell_border_, Initial("Cell", "Border"));
  cell_color_->setColorValue(ColorTextToValue(Initial("Cell", "Color")));
  SelectBorderStyle(memo_cell_style_, kMemoBorderStyles, Initial("Memo", "CS"));
  Select(memo_border_, Initial("Memo", "CW"));
  memo_cell_color_->setColorValue(ColorTextToValue(Initial("Memo", "CC")));
  title_->setText(ToQt(Initial("Title", "String")));
  local_name_->setText(ToQt(Initial("LN", "Name")));
  show_local_name_->setChecked(Initial("LN", "Show") != "0");
  // The area name is off now, so the heading's alignment is free again.
  for (std::size_t i = 0; i < align_.size(); ++i) Select(align_[i], Initial("FontAlign", static_cast<int>(i)));
  table_width_check_->setChecked(Initial("Table", "WC") == "1");
  table_width_->setText(ToQt(Initial("Table", "TW")));
  cell_height_check_->setChecked(Initial("Table", "HC") == "1");
  cell_height_->setText(ToQt(Initial("Table", "CH")));
  cell_width_check_->setChecked(Initial("Table", "CW") != "0");
  minimum_width_->setText(ToQt(Initial("Table", "CM")));
  memo_output_->setChecked(Initial("Memo", "OP") != "0");
  memo_height_check_->setChecked(Initial("Memo", "HC") != "0");
  memo_height_->setText(ToQt(Initial("Memo", "MH")));
  // The check boxes' rules hold even where a value did not change.
  table_width_->setEnabled(table_width_check_->isChecked());
  cell_height_->setEnabled(cell_height_check_->isChecked());
  minimum_width_->setEnabled(!cell_width_check_->isChecked());
  memo_height_->setEnabled(memo_height_check_->isChecked());
  align_[1]->setEnabled(!show_local_name_->isChecked());
}

void ShowDesignEditor(QWidget* main_window, Session& session) {
  bool changed = false;
  {
    DesignEditor editor(session, main_window);
    OpenOurDialog(editor);
    changed = editor.DocumentChanged();
  }
  if (changed && !session.document.document_path.empty()) session.MarkModified();
}

}  // namespace dustora
