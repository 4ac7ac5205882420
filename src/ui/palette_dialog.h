// The colour palette 色の選択 (dlgPalette): sixteen named colours, the
// platform's colour dialog, and the chosen colour written straight into the
// swatch of another window that a colour code names.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QLabel;
class QObject;
class QWidget;

namespace dustora {

class ClickableLabel;
class ColorSwatch;

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
  // The one colour of the grid that Tab reaches; the others take the focus
  // only from a click or an arrow key.
  void MakeTabStop(int index);
  void ShowSelected(const QString& text, std::int32_t value);
  // The arrow keys move the focus between the sixteen colours; Enter and
  // Space choose the focused one and close as O K does.
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
