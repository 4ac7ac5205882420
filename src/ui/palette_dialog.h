// The colour palette 色の選択 (dlgPalette): sixteen named colours and the
// platform's colour dialog; the caller gets the colour O K took.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

class QLabel;
class QWidget;

namespace dustora {

class ClickableLabel;
class ColorSwatch;

// dlgPalette, opened on the colour the caller's swatch has now (red in the
// lowest byte). "O K" takes the choice and closes; "ｷｬﾝｾﾙ" and the close
// box close without one.
class PaletteDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kNamedColors = 16;

  explicit PaletteDialog(std::int32_t initial, QWidget* parent = nullptr);

  // The colour O K took; nullopt until then.
  [[nodiscard]] std::optional<std::int32_t> Chosen() const { return chosen_; }

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

  std::int32_t initial_;
  std::optional<std::int32_t> chosen_;
  std::array<ColorSwatch*, kNamedColors> swatches_{};
  std::array<ClickableLabel*, kNamedColors> names_{};
  ColorSwatch* selected_swatch_ = nullptr;
  QLabel* selected_text_ = nullptr;
};

// Opens dlgPalette modally (through the platform) on `initial`: the colour
// the user took, or nullopt.
[[nodiscard]] std::optional<std::int32_t> ChooseColor(std::int32_t initial, QWidget* parent);

}  // namespace dustora
