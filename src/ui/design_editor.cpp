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
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar_document.h"
#include "core/color.h"
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
  connect(defaults, &QPushButton::clicked, this,
          [this] { RunHandler(this, "cmdDefault", [this] { RestoreDefaults(); }); });

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

  BindControls();
  RunHandler(this, "Design.load", [this] { Load(); });
}

DesignEditor::FontSlot DesignEditor::AddFontControls(QGridLayout* grid, int row, std::optional<int> slot_index,
                                                     const char* name_object, const char* button_object,
                                                     const char* size_object, const char* style_object,
                                                     const char* tag) {
  QWidget* page = grid->parentWidget();
  const auto object = [slot_index](const char* base) { return slot_index ? Indexed(base, *slot_index) : ToQt(base); };
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
  memo_font_ =
      AddFontControls(grid, 0, std::nullopt, "lblMFontName", "cmdMFont", "cmbMSize", "cmbMStyle", "design.cmdMFont");
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

namespace {

// What an entry holds in the session, as text.
std::string Stored(const SettingEntry& entry, const AppSettings& settings, const CalendarDocument& document) {
  return entry.text_value ? entry.text_value(settings, document) : std::to_string(entry.byte_value(settings, document));
}
void Store(const SettingEntry& entry, const std::string& value, AppSettings& settings, CalendarDocument& document) {
  if (entry.text) {
    entry.text(settings, document) = value;
  } else {
    entry.byte(settings, document) = std::stoi(value);
  }
}

// A check box is on for a stored 1, or for anything but 0; it stores 1 or 0.
enum class OnFor { One, NonZero };

}  // namespace

void DesignEditor::BindControls() {
  using S = Setting;
  const auto bind = [this](S id, int index, std::function<void(const std::string&)> show,
                           std::function<std::string(const std::string&)> take) {
    bindings_.push_back({&SettingOf(id, index), std::move(show), std::move(take)});
  };
  const auto label = [&](S id, int index, QLabel* box) {
    bind(
        id, index, [box](const std::string& v) { box->setText(ToQt(v)); },
        [box](const std::string&) { return FromQt(box->text()); });
  };
  const auto line = [&](S id, QLineEdit* box) {
    bind(
        id, 0, [box](const std::string& v) { box->setText(ToQt(v)); },
        [box](const std::string&) { return FromQt(box->text()); });
  };
  const auto item = [&](S id, int index, ChoiceComboBox* box) {
    bind(
        id, index, [box](const std::string& v) { Select(box, v); },
        [box](const std::string& kept) { return ItemOr(box, kept); });
  };
  const auto size = [&](S id, int index, ChoiceComboBox* box) {
    bind(
        id, index, [box](const std::string& v) { SelectSize(box, v); },
        [box](const std::string& kept) { return SizeValueOr(box, kept); });
  };
  const auto border = [&](S id, ChoiceComboBox* box, const std::vector<BorderStyle>& styles) {
    bind(
        id, 0, [box, &styles](const std::string& v) { SelectBorderStyle(box, styles, v); },
        [box, &styles](const std::string&) { return BorderWord(box, styles); });
  };
  const auto color = [&](S id, int index, ColorSwatch* box) {
    bind(
        id, index, [box](const std::string& v) { box->setColorValue(ColorTextToValue(v)); },
        [box](const std::string&) { return ColorValueToText(box->colorValue()); });
  };
  const auto check = [&](S id, QCheckBox* box, OnFor on) {
    bind(
        id, 0, [box, on](const std::string& v) { box->setChecked(on == OnFor::One ? v == "1" : v != "0"); },
        [box](const std::string&) { return std::string(box->isChecked() ? "1" : "0"); });
  };
  // A size in mm: a stored one longer than `digits` (0: any length) or not a
  // number shows the fallback; a box left empty, not a number, or 0 where 0
  // is no size, stores it.
  const auto number = [&](S id, QLineEdit* box, std::size_t digits, bool zero_is_a_size) {
    const std::string fallback = SettingOf(id).editor_fallback.value_or(std::string());
    bind(
        id, 0, [box, digits, fallback](const std::string& v) { box->setText(ToQt(NumberOr(v, digits, fallback))); },
        [box, fallback, zero_is_a_size](const std::string&) {
          return zero_is_a_size ? NumberOr(FromQt(box->text()), 0, fallback) : NonZeroNumberOr(box, fallback);
        });
  };

  for (int i = 0; i < kFontSlotCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    label(S::FontName, i, slots_[at].name);
    size(S::FontSize, i, slots_[at].size);
    item(S::FontStyle, i, slots_[at].style);
  }
  label(S::MemoFontName, 0, memo_font_.name);
  size(S::MemoFontSize, 0, memo_font_.size);
  item(S::MemoFontStyle, 0, memo_font_.style);
  for (std::size_t i = 0; i < font_color_.size(); ++i) color(S::FontColor, static_cast<int>(i), font_color_[i]);
  color(S::MemoFontColor, 0, memo_color_);
  border(S::CellStyle, cell_style_, kGridBorderStyles);
  item(S::CellBorder, 0, cell_border_);
  color(S::CellColor, 0, cell_color_);
  border(S::MemoBorderStyle, memo_cell_style_, kMemoBorderStyles);
  item(S::MemoBorderWidth, 0, memo_border_);
  color(S::MemoBorderColor, 0, memo_cell_color_);
  line(S::Title, title_);
  line(S::AreaName, local_name_);
  // The heading's alignment before the area name's check box, which moves
  // the heading to the right while it is on.
  for (std::size_t i = 0; i < align_.size(); ++i) item(S::FontAlign, static_cast<int>(i), align_[i]);
  check(S::ShowAreaName, show_local_name_, OnFor::NonZero);
  check(S::FixedTableWidth, table_width_check_, OnFor::One);
  number(S::TableWidth, table_width_, 4, false);
  check(S::FixedCellHeight, cell_height_check_, OnFor::One);
  number(S::CellHeight, cell_height_, 4, false);
  check(S::EqualColumns, cell_width_check_, OnFor::NonZero);
  number(S::MinimumColumnWidth, minimum_width_, 0, true);
  check(S::MemoOutput, memo_output_, OnFor::NonZero);
  check(S::FixedMemoHeight, memo_height_check_, OnFor::NonZero);
  number(S::MemoHeight, memo_height_, 3, false);
}

void DesignEditor::Load() {
  tabs_->setCurrentIndex(0);
  for (const Binding& binding : bindings_) {
    binding.show(Stored(*binding.entry, session_.settings, session_.document));
  }
  LocalNameClicked();
  EnableByChecks();
  document_changed_ = false;
}

void DesignEditor::EnableByChecks() {
  table_width_->setEnabled(table_width_check_->isChecked());
  cell_height_->setEnabled(cell_height_check_->isChecked());
  minimum_width_->setEnabled(!cell_width_check_->isChecked());
  memo_height_->setEnabled(memo_height_check_->isChecked());
  align_[1]->setEnabled(!show_local_name_->isChecked());
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
  for (const Binding& binding : bindings_) {
    const std::string stored = Stored(*binding.entry, session_.settings, session_.document);
    Store(*binding.entry, binding.take(stored), session_.settings, session_.document);
  }
}

void DesignEditor::RestoreDefaults() {
  if (!AskYesNo(this, "よろしいですか?", "初期値に戻す")) return;
  for (const Binding& binding : bindings_) binding.show(binding.entry->editor_default.value_or(std::string()));
  // The check boxes' rules hold even where a value did not change.
  EnableByChecks();
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
