// A combo box that shows any text the program puts in it while the user can
// only choose listed items: its line edit is read-only (no typing, pasting,
// IME input or dropping), the arrow keys step from the item that matches the
// shown text, typing goes to the next item that begins with what was typed
// (as native lists do), a click anywhere opens the list, and no chord with
// Ctrl or Alt changes the value (Alt+Down opens the list).
#pragma once

#include <QComboBox>
#include <QElapsedTimer>

namespace dustora {

class ChoiceComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ChoiceComboBox(QWidget* parent = nullptr);

  // Shows a text, listed or not, without choosing anything.
  void ShowText(const QString& text);
  // A box of names the user makes (categories, icon files): as wide as
  // `characters` (and a picture, `with_pictures`) whatever its items, so a
  // long name never widens the window; a name that does not fit shows its
  // beginning and, in a tooltip, all of it.
  void HoldNames(int characters, bool with_pictures = false);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // The user chose an item, with the mouse or a key.
  void chosen(int index);
  // The list is about to open.
  void popupAboutToShow();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 public:
  void showPopup() override;

 private:
  // Every text shows from its beginning; one that is cut is the tooltip of
  // the text field (the box's own tooltip shows elsewhere).
  void ShowFromTheBeginning();
  // The size of a box that holds names, as the style draws it; kept until
  // the font or the style changes.
  QSize HeldHint() const;

  // Goes to the next item that begins with the text typed so far.
  void ChooseByTyping(const QString& text);
  // The first item from `start` on, round the end, that begins with
  // `prefix`; -1 when none.
  int FindBeginning(const QString& prefix, int start) const;

  QString typed_;
  QElapsedTimer typing_;
  bool holds_names_ = false;
  bool with_pictures_ = false;
  mutable QSize held_hint_;
};

}  // namespace dustora
