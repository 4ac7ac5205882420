#include "ui/palette_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "core/color.h"
#include "ui/clickable_label.h"
#include "ui/color_swatch.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

struct NamedColor {
  const char* name;
  const char* japanese;  // the tooltip
  int red;
  int green;
  int blue;
};

// The sixteen colours of HTML 4.01, row by row as the grid shows them.
constexpr std::array<NamedColor, PaletteDialog::kNamedColors> kHtmlColors = {{
    {"black", "黒", 0, 0, 0},
    {"gray", "灰色", 128, 128, 128},
    {"silver", "銀色", 192, 192, 192},
    {"white", "白", 255, 255, 255},
    {"blue", "青", 0, 0, 255},
    {"navy", "紺", 0, 0, 128},
    {"teal", "青緑", 0, 128, 128},
    {"green", "緑", 0, 128, 0},
    {"aqua", "水色", 0, 255, 255},
    {"lime", "黄緑", 0, 255, 0},
    {"yellow", "黄", 255, 255, 0},
    {"fuchsia", "赤紫", 255, 0, 255},
    {"olive", "オリーブ", 128, 128, 0},
    {"purple", "紫", 128, 0, 128},
    {"maroon", "栗色", 128, 0, 0},
    {"red", "赤", 255, 0, 0},
}};
constexpr int kGridColumns = 4;

// The highlight of the chosen name: white on navy.
const QColor kHighlightBack(0, 0, 128);
const QColor kHighlightText(255, 255, 255);

constexpr std::int32_t ColorValue(int red, int green, int blue) {
  return red + 256 * green + 65536 * blue;
}

// The index of the named colour with this value, or -1.
int NamedIndex(std::int32_t value) {
  for (int i = 0; i < PaletteDialog::kNamedColors; ++i) {
    const NamedColor& color = kHtmlColors[static_cast<std::size_t>(i)];
    if (ColorValue(color.red, color.green, color.blue) == value) return i;
  }
  return -1;
}

// What a colour is called: its Japanese name when it is one of the
// sixteen, its "#RRGGBB" otherwise.
QString ColorTip(std::int32_t value) {
  const int named = NamedIndex(value);
  return named >= 0 ? ToQt(kHtmlColors[static_cast<std::size_t>(named)].japanese) : ToQt(ColorValueToText(value));
}

}  // namespace

PaletteDialog::PaletteDialog(std::int32_t initial, QWidget* parent) : QDialog(parent), initial_(initial & 0xFFFFFF) {
  setObjectName(QStringLiteral("dlgPalette"));
  setWindowTitle(ToQt("色の選択"));
  const QString tip = ToQt(kHelpTip);

  auto* named = new QGridLayout;
  named->setHorizontalSpacing(6);
  named->setVerticalSpacing(10);
  for (int i = 0; i < kNamedColors; ++i) {
    auto* swatch = new ColorSwatch(this);
    swatch->setObjectName(QStringLiteral("PicPalete(%1)").arg(i));
    swatch->setFixedSize(44, 26);
    swatch->setCursor(Qt::PointingHandCursor);
    swatch->setToolTip(ToQt(kHtmlColors[i].japanese));
    swatch->installEventFilter(this);
    auto* name = new ClickableLabel(this);
    name->setObjectName(QStringLiteral("lblColorName(%1)").arg(i));
    name->setText(QString::fromLatin1(kHtmlColors[i].name));
    name->setAlignment(Qt::AlignCenter);
    name->setMargin(1);
    name->setMinimumWidth(60);
    name->setToolTip(ToQt(kHtmlColors[i].japanese));
    swatches_[i] = swatch;
    names_[i] = name;

    auto* cell = new QVBoxLayout;
    cell->setSpacing(2);
    cell->addWidget(swatch, 0, Qt::AlignHCenter);
    cell->addWidget(name);
    named->addLayout(cell, i / kGridColumns, i % kGridColumns);

    connect(swatch, &ColorSwatch::clicked, this,
            [this, i] { RunHandler(this, "Palette.PicPalette", [&] { ChooseNamed(i); }); });
    connect(name, &ClickableLabel::clicked, this,
            [this, i] { RunHandler(this, "Palette.lblColorName_Click", [&] { ChooseNamed(i); }); });
  }

  auto* frame = new QGroupBox(ToQt("選択色"), this);
  frame->setObjectName(QStringLiteral("fraSelectedColor"));
  selected_swatch_ = new ColorSwatch(frame);
  selected_swatch_->setObjectName(QStringLiteral("picSelectedColor"));
  selected_swatch_->setFixedSize(72, 44);
  selected_swatch_->setToolTip(tip);
  selected_swatch_->setKeysClick(false);  // Enter on it presses O K
  selected_text_ = new QLabel(frame);
  selected_text_->setObjectName(QStringLiteral("lblSelectedColor"));
  // The colour text in the system's fixed-pitch face, and in a face of that
  // kind where the system names none.
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setStyleHint(QFont::Monospace);
  selected_text_->setFont(fixed);
  selected_text_->setAlignment(Qt::AlignCenter);
  selected_text_->setToolTip(tip);
  // Room for "#RRGGBB" even while the label is empty.
  selected_text_->setMinimumWidth(selected_text_->fontMetrics().horizontalAdvance(QStringLiteral("#MMMMMM")));
  selected_text_->setMinimumHeight(selected_text_->fontMetrics().height());
  auto* frame_layout = new QVBoxLayout(frame);
  frame_layout->addWidget(selected_swatch_, 0, Qt::AlignHCenter);
  frame_layout->addWidget(selected_text_);

  auto* other = new QPushButton(ToQt("その他の色(&A)"), this);
  other->setObjectName(QStringLiteral("cmdShowColor"));
  other->setToolTip(tip);
  connect(other, &QPushButton::clicked, this, [this] { ShowOtherColors(); });

  auto* side = new QVBoxLayout;
  side->addWidget(frame);
  side->addWidget(other);
  side->addStretch();

  auto* top = new QHBoxLayout;
  top->setSpacing(16);
  top->addLayout(named);
  top->addLayout(side);

  auto* ok = new QPushButton(ToQt("O K"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  ok->setToolTip(tip);
  auto* cancel = new QPushButton(ToQt("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  cancel->setToolTip(tip);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  connect(ok, &QPushButton::clicked, this, [this] { RunHandler(this, "Palette.OKButton", [&] { StoreAndClose(); }); });
  // Escape and the close box reject as well, and nothing is written then.
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(6);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  RunHandler(this, "Palette.load", [&] { Load(); });
}

void PaletteDialog::Load() {
  RunHandler(this, "Palette.SetColors", [&] { SetColors(); });
  RemoveHighlight();
  // Nothing is highlighted, even when the colour is one of the named ones;
  // but the grid's one Tab stop is that colour (black for any other).
  ShowSelected(ToQt(ColorValueToText(initial_)), initial_);
  MakeTabStop(std::max(0, NamedIndex(initial_)));
}

void PaletteDialog::MakeTabStop(int index) {
  for (int i = 0; i < kNamedColors; ++i) {
    swatches_[static_cast<std::size_t>(i)]->setFocusPolicy(i == index ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

void PaletteDialog::SetColors() {
  for (int i = 0; i < kNamedColors; ++i) {
    const NamedColor& color = kHtmlColors[i];
    swatches_[i]->setColorValue(ColorValue(color.red, color.green, color.blue));
  }
}

void PaletteDialog::SetHighlight(int index, bool on) {
  ClickableLabel* label = names_[index];
  QPalette colors = palette();
  if (on) {
    colors.setColor(QPalette::Window, kHighlightBack);
    colors.setColor(QPalette::WindowText, kHighlightText);
  } else {
    colors.setColor(QPalette::WindowText, Qt::black);
  }
  label->setPalette(colors);
  label->setAutoFillBackground(on);
}

void PaletteDialog::RemoveHighlight() {
  for (int i = 0; i < kNamedColors; ++i) SetHighlight(i, false);
}

void PaletteDialog::ChooseNamed(int index) {
  RemoveHighlight();
  selected_text_->clear();
  SetHighlight(index, true);
  const std::int32_t value = swatches_[index]->colorValue();
  ShowSelected(ToQt(ColorValueToText(value)), value);
}

void PaletteDialog::ShowOtherColors() {
  // The platform dialog's cancel and its failures are silent: the choice
  // just stays as it was.
  try {
    RemoveHighlight();
    const std::optional<std::int32_t> chosen = PlatformOf(this).ChooseColor(selected_swatch_->colorValue());
    if (!chosen) return;
    const std::int32_t value = *chosen & 0xFFFFFF;
    ShowSelected(ToQt(ColorValueToText(value)), value);
  } catch (...) {
  }
}

void PaletteDialog::StoreAndClose() {
  chosen_ = ColorTextToValue(FromQt(selected_text_->text()));
  accept();
}

void PaletteDialog::ShowSelected(const QString& text, std::int32_t value) {
  selected_text_->setText(text);
  selected_swatch_->setColorValue(value);
  selected_swatch_->setToolTip(text.isEmpty() ? ToQt(kHelpTip) : ColorTip(value));
}

bool PaletteDialog::eventFilter(QObject* watched, QEvent* event) {
  const auto it = std::find(swatches_.begin(), swatches_.end(), watched);
  if (it == swatches_.end()) return QDialog::eventFilter(watched, event);
  const int index = static_cast<int>(it - swatches_.begin());
  // The grid is one Tab stop: the colour that had the focus last.
  if (event->type() == QEvent::FocusIn) MakeTabStop(index);
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return QDialog::eventFilter(watched, event);
  int row = index / kGridColumns;
  int column = index % kGridColumns;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      // From the keyboard a colour is chosen and taken at once.
      RunHandler(this, "Palette.PicPalette", [&] {
        ChooseNamed(index);
        StoreAndClose();
      });
      return true;
    case Qt::Key_Left: column = std::max(0, column - 1); break;
    case Qt::Key_Right: column = std::min(kGridColumns - 1, column + 1); break;
    case Qt::Key_Up: row = std::max(0, row - 1); break;
    case Qt::Key_Down: row = std::min(kNamedColors / kGridColumns - 1, row + 1); break;
    default: return QDialog::eventFilter(watched, event);
  }
  const int target = row * kGridColumns + column;
  swatches_[static_cast<std::size_t>(target)]->setFocus(Qt::TabFocusReason);
  return true;
}

std::optional<std::int32_t> ChooseColor(std::int32_t initial, QWidget* parent) {
  PaletteDialog dialog(initial, parent);
  OpenOurDialog(dialog);
  return dialog.Chosen();
}

}  // namespace dustora
