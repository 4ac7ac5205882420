// The 登録, 削除 and 新規 buttons of a list editor (cmd登録, cmd削除,
// cmd新規), none of them the dialog's default button; Enter presses the one
// that has the focus.
#pragma once

class QPushButton;
class QWidget;

namespace dustora {

struct ListEditorButtons {
  QPushButton* register_row = nullptr;
  QPushButton* delete_row = nullptr;
  QPushButton* new_row = nullptr;

  explicit ListEditorButtons(QWidget* dialog);
  // Row mode enables 削除 and 新規; new-entry mode disables them.
  void SetRowMode(bool row_selected) const;
  // Enter (or the keypad's Enter) in an entry field presses 登録 when it is
  // enabled and does nothing otherwise: it never reaches the dialog's
  // default button, so it never closes the dialog.
  void RegisterOnEnter(QWidget* field) const;
};

// Asked before a list editor closes with what it stores: true when there
// is no unregistered input or the user agrees to drop it.
bool MayDropUnregistered(const QWidget* from, bool unregistered, const char* title);

}  // namespace dustora
