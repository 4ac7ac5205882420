// The colour palette 色の選択 (dlgPalette): sixteen named colours, the
// platform's colour dialog, and the chosen colour written straight into the
// swatch of another window that a colour code names.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QObject;
class QWidget;

namespace dustora {

// Colour codes: which swatch the palette edits.
namespace color_target {
inline constexpr int kTitleText = 0;     // design editor, picFontColor(0)
inline constexpr int kHeadingText = 1;   // design editor, picFontColor(1)
inline constexpr int kAreaNameText = 2;  // design editor, picFontColor(2)
inline constexpr int kGridBorder = 3;    // design editor, picCellColor
inline constexpr int kMemoText = 4;      // design editor, picMFontColor
inline constexpr int kMemoBorder = 5;    // design editor, picMCellColor
inline constexpr int kRuleRow0 = 10;     // main window, picColor(0) … picColor(4) = 10 … 14
inline constexpr int kRuleRowCount = 5;
}  // namespace color_target

// The code when it names a swatch (0–5, 10–14), as the TargetRegistry holds
// it under TargetKind::Color; nullopt for any other code.
std::optional<int> ColorTargetKey(int color_target);

// Registers the swatch of a colour code for as long as `owner` lives; the
// values are colours with red in the lowest byte. False (and nothing
// registered) for a code that names no swatch.
bool RegisterColorTarget(int color_target, QObject* owner, std::function<std::int32_t()> read,
                         std::function<void(std::int32_t)> write);

// A colour swatch: a sunken box filled with one colour, which announces a
// click of the left button. It takes the focus (Tab or a click) and shows
// it with a frame; Space and Enter click it and go no further, unless the
// keys are turned off, when they go on to the window (Enter then presses
// the dialog's default button).
class ColorSwatch : public QFrame {
  Q_OBJECT

 public:
  explicit ColorSwatch(QWidget* parent = nullptr);

  // Red in the lowest byte.
  std::int32_t colorValue() const { return value_; }
  void setColorValue(std::int32_t value);
  void setKeysClick(bool on) { keys_click_ = on; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  std::int32_t value_ = 0;
  bool pressed_ = false;
  bool keys_click_ = true;
};

// A label that announces a click of the left button.
class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickableLabel(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

// dlgPalette, built for one colour code from the colour its swatch has now.
// "O K" writes the choice into that swatch and closes; "ｷｬﾝｾﾙ" and the close
// box close without writing.
class PaletteDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kNamedColors = 16;

  explicit PaletteDialog(int color_target, QWidget* parent = nullptr);

 private:
  void Load();
  void SetColors();
  void ChooseNamed(int index);
  void RemoveHighlight();
  void SetHighlight(int index, bool on);
  void ShowOtherColors();
  void StoreAndClose();
  void ShowSelected(const QString& text, std::int32_t value);
  // The arrow keys move the focus between the sixteen colours.
  bool eventFilter(QObject* watched, QEvent* event) override;

  int color_target_;
  std::array<ColorSwatch*, kNamedColors> swatches_{};
  std::array<ClickableLabel*, kNamedColors> names_{};
  ColorSwatch* selected_swatch_ = nullptr;
  QLabel* selected_text_ = nullptr;
};

// Opens dlgPalette modally (through the platform) for one colour code.
void ShowPalette(QWidget* parent, int color_target);

}  // namespace dustora
