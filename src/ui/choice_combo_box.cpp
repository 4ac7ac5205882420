#include "ui/choice_combo_box.h"

#include <QCompleter>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>
#include <cmath>

namespace dustora {

bool CountsAsEdit(int key, Qt::KeyboardModifiers modifiers) {
  if (modifiers & (Qt::AltModifier | Qt::ControlModifier)) return false;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F35) return false;
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return false;
    default: return true;
  }
}

ChoiceComboBox::ChoiceComboBox(QWidget* parent) : QComboBox(parent) {
  auto* edit = new QLineEdit(this);
  edit->setReadOnly(true);
  // A line edit that comes with a completer keeps the combo box from building
  // one over its model, which would cost more than the rest of the box; no
  // completer is wanted, as nothing can be typed.
  edit->setCompleter(new QCompleter(edit));
  setLineEdit(edit);
  setCompleter(nullptr);
  setInsertPolicy(QComboBox::NoInsert);
  lineEdit()->setAcceptDrops(false);
  lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
  lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  connect(this, &QComboBox::activated, this, &ChoiceComboBox::chosen);
  connect(edit, &QLineEdit::textChanged, this, [this] { ShowFromTheBeginning(); });
}

void ChoiceComboBox::HoldNames(int characters, bool with_pictures) {
  // Set through the hints below: the box's own size policies would build
  // its list window at once, which costs more than the rest of the box.
  holds_names_ = true;
  with_pictures_ = with_pictures;
  held_hint_ = QSize();
  setMinimumContentsLength(characters);
  updateGeometry();
}

QSize ChoiceComboBox::HeldHint() const {
  if (held_hint_.isValid()) return held_hint_;
  // As the box measures itself from a number of characters, without
  // looking at its items.
  const QFontMetrics metrics = fontMetrics();
  QSize contents(minimumContentsLength() * metrics.horizontalAdvance(QLatin1Char('X')),
                 std::max(static_cast<int>(std::ceil(QFontMetricsF(metrics).height())), 14) + 2);
  if (with_pictures_) {
    contents.rwidth() += iconSize().width() + 4;
    contents.setHeight(std::max(contents.height(), iconSize().height() + 2));
  }
  QStyleOptionComboBox option;
  initStyleOption(&option);
  held_hint_ = style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this);
  return held_hint_;
}

QSize ChoiceComboBox::sizeHint() const {
  return holds_names_ ? HeldHint() : QComboBox::sizeHint();
}

QSize ChoiceComboBox::minimumSizeHint() const {
  return holds_names_ ? HeldHint() : QComboBox::minimumSizeHint();
}

void ChoiceComboBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) held_hint_ = QSize();
  QComboBox::changeEvent(event);
}

void ChoiceComboBox::ShowFromTheBeginning() {
  QLineEdit* edit = lineEdit();
  edit->setCursorPosition(0);
  const QString text = edit->text();
  const bool cut = edit->fontMetrics().horizontalAdvance(text) > edit->contentsRect().width() - 4;
  edit->setToolTip(cut ? text : QString());
}

void ChoiceComboBox::showPopup() {
  emit popupAboutToShow();
  QComboBox::showPopup();
}

void ChoiceComboBox::resizeEvent(QResizeEvent* event) {
  QComboBox::resizeEvent(event);
  ShowFromTheBeginning();
}

void ChoiceComboBox::ShowText(const QString& text) {
  const QSignalBlocker blocker(this);
  const int index = findText(text, Qt::MatchExactly);
  if (index >= 0 && !text.isEmpty()) {
    setCurrentIndex(index);
  } else {
    setCurrentIndex(-1);
  }
  setEditText(text);
  ShowFromTheBeginning();
}

void ChoiceComboBox::keyPressEvent(QKeyEvent* event) {
  if (CountsAsEdit(event->key(), event->modifiers())) emit keyPressed();
  int step = 0;
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left: step = -1; break;
    case Qt::Key_Down:
    case Qt::Key_Right: step = 1; break;
    case Qt::Key_PageUp: step = -5; break;
    case Qt::Key_PageDown: step = 5; break;
    case Qt::Key_Home: step = -count(); break;
    case Qt::Key_End: step = count(); break;
    case Qt::Key_F4: showPopup(); return;
    default: break;
  }
  if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) {
    showPopup();
    return;
  }
  if (step != 0 && count() > 0) {
    const int at = findText(currentText(), Qt::MatchExactly);
    const bool arrow = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down || event->key() == Qt::Key_Left ||
                       event->key() == Qt::Key_Right;
    // From a blank (or unlisted) text the arrows enter at either end; Home,
    // End and the page keys count from the first item.
    int next = at >= 0 ? at + step : arrow ? (step > 0 ? 0 : count() - 1) : step;
    next = std::clamp(next, 0, count() - 1);
    if (next != at) {
      setCurrentIndex(next);
      emit chosen(next);
    }
    event->accept();
    return;
  }
  // Return, Escape, Tab and shortcuts go on as usual; characters, Delete and
  // Backspace change nothing in a read-only line edit.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape ||
      event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
    QComboBox::keyPressEvent(event);
    return;
  }
  event->accept();
}

void ChoiceComboBox::wheelEvent(QWheelEvent* event) {
  event->ignore();
}

}  // namespace dustora
