// A colour swatch: a sunken box filled with one colour, which announces a
// click of the left button. It takes the focus (Tab or a click) and shows
// it with a frame; Space and Enter click it and go no further, unless the
// keys are turned off, when they go on to the window (Enter then presses
// the dialog's default button).
#pragma once

#include <QFrame>
#include <cstdint>

namespace dustora {

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

}  // namespace dustora
