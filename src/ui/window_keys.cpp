#include "ui/window_keys.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QShortcut>
#include <QTabBar>

#include "ui/choice_combo_box.h"

namespace dustora {

BoxChord ChordOnBox(const QKeyEvent& key) {
  if (!(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return BoxChord::NotAChord;
  const bool opens = (key.modifiers() & Qt::AltModifier) && (key.key() == Qt::Key_Down || key.key() == Qt::Key_Up);
  return opens ? BoxChord::OpensList : BoxChord::PassesOn;
}

namespace {

// Eats the chords a combo box would take for a step of its value.
class ChordGuard : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    if (ChordOnBox(*static_cast<QKeyEvent*>(event)) != BoxChord::PassesOn) return false;
    event->ignore();  // on to the window, whose shortcuts it may be
    return watched->isWidgetType();
  }
};

}  // namespace

void InstallTabKeys(QWidget& window, QTabBar& tabs, std::function<void(int)> go) {
  if (!go) go = [&tabs](int index) { tabs.setCurrentIndex(index); };
  const auto step = [&tabs, go](int by) {
    const int count = tabs.count();
    if (count > 0) go(((tabs.currentIndex() + by) % count + count) % count);
  };
  // Shift+Tab arrives as Backtab on some platforms and as Tab on others.
  const struct {
    QKeySequence keys;
    int by;
  } bindings[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                  {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
                  {QKeySequence(Qt::CTRL | Qt::Key_Backtab), -1},
                  {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
  for (const auto& binding : bindings) {
    auto* shortcut = new QShortcut(binding.keys, &window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &window, [step, by = binding.by] { step(by); });
  }
}

void GuardChoiceBoxes(QWidget& window) {
  auto* guard = new ChordGuard(&window);
  for (QComboBox* box : window.findChildren<QComboBox*>()) {
    if (qobject_cast<ChoiceComboBox*>(box) == nullptr) box->installEventFilter(guard);
  }
}

}  // namespace dustora
