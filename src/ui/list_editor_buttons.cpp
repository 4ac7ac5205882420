#include "ui/list_editor_buttons.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

class EnterPresses : public QObject {
 public:
  EnterPresses(QWidget* field, QPushButton* button) : QObject(field), button_(button) {
    field->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    if (button_ && button_->isEnabled()) button_->click();
    return true;
  }

 private:
  QPointer<QPushButton> button_;
};

}  // namespace

ListEditorButtons::ListEditorButtons(QWidget* dialog) {
  const auto make = [dialog](const char* name, const char* caption) {
    auto* button = new QPushButton(ToQt(caption), dialog);
    button->setObjectName(ToQt(name));
    button->setToolTip(ToQt(kHelpTip));
    return button;
  };
  register_row = make("cmd登録", "登 録 (&R)");
  delete_row = make("cmd削除", "削 除 (&D)");
  new_row = make("cmd新規", "新 規 (&N)");
}

void ListEditorButtons::SetRowMode(bool row_selected) const {
  delete_row->setEnabled(row_selected);
  new_row->setEnabled(row_selected);
}

void ListEditorButtons::RegisterOnEnter(QWidget* field) const {
  new EnterPresses(field, register_row);
}

bool MayDropUnregistered(const QWidget* from, bool unregistered, const char* title) {
  return !unregistered || AskYesNo(from, "登録されていない入力があります.破棄して閉じますか?", title);
}

}  // namespace dustora
