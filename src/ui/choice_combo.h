// A combo box that shows any text the program puts in it while the user can
// only choose listed items: its line edit is read-only (no typing, pasting,
// IME input or dropping), the arrow keys step from the item that matches the
// shown text, and every key is announced (the rule editor marks the
// document modified on each).
#pragma once

#include <QComboBox>

namespace dustora {

class ChoiceComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ChoiceComboBox(QWidget* parent = nullptr);

  // Shows a text, listed or not, without choosing anything.
  void ShowText(const QString& text);

 signals:
  // Any key went down in the box (before it is handled).
  void keyPressed();
  // The user chose an item, with the mouse or a key.
  void chosen(int index);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};

}  // namespace dustora
