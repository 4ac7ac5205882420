#include "ui/choice_combo_box.h"

#include <QApplication>
#include <QCompleter>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>
#include <cmath>

#include "ui/window_keys.h"

namespace dustora {

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
  edit->installEventFilter(this);
}

bool ChoiceComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit()) {
    // The text field is part of the button: a click anywhere opens the list.
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      setFocus(Qt::MouseFocusReason);
      showPopup();
      return true;
    }
  }
  return QComboBox::eventFilter(watched, event);
}

int ChoiceComboBox::FindBeginning(const QString& prefix, int start) const {
  const int n = count();
  for (int k = 0; k < n; ++k) {
    const int i = ((start + k) % n + n) % n;
    if (itemText(i).startsWith(prefix, Qt::CaseInsensitive)) return i;
  }
  return -1;
}

void ChoiceComboBox::ChooseByTyping(const QString& text) {
  if (!typing_.isValid() || typing_.elapsed() > QApplication::keyboardInputInterval()) typed_.clear();
  typing_.start();
  typed_ += text;
  const int at = findText(currentText(), Qt::MatchExactly);
  // One character goes on from the item shown; more stay on it while it
  // still begins with them ("1", "2" is 12 in a box of days). The same
  // character again and again steps through the items it begins.
  int next = FindBeginning(typed_, typed_.size() == 1 ? at + 1 : std::max(at, 0));
  if (next < 0 && typed_.count(typed_.front()) == typed_.size()) next = FindBeginning(typed_.left(1), at + 1);
  if (next >= 0 && next != at) {
    setCurrentIndex(next);
    emit chosen(next);
  }
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
  typed_.clear();  // typing starts anew on what is shown now
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
  switch (ChordOnBox(*event)) {
    case BoxChord::OpensList: showPopup(); return;
    case BoxChord::PassesOn: event->ignore(); return;  // a shortcut's, never a choice
    case BoxChord::NotAChord: break;
  }
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
  const QString text = event->text();
  if (!text.isEmpty() && text.front().isPrint() && !text.front().isSpace()) {
    ChooseByTyping(text);
    event->accept();
    return;
  }
  // Return, Escape, Tab and shortcuts go on as usual; Delete and Backspace
  // change nothing in a read-only line edit.
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
