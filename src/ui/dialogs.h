// Patterns every window shares: our dialogs open through the platform (so
// tests drive them), event handlers never let an exception out, and the
// codes by which shared dialogs reach another window's control.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QVariant>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform.h"

class QDialogButtonBox;
class QPushButton;
class QLayout;

namespace dustora {

// One of our dialogs as the platform runs it.
class QtDialog : public ModalDialog {
 public:
  explicit QtDialog(QDialog& dialog) : dialog_(dialog) {}
  std::string DialogName() const override;
  int Exec() override { return dialog_.exec(); }
  QDialog& dialog() { return dialog_; }

 private:
  QDialog& dialog_;
};

// Push buttons of our dialogs keep Qt's auto-default: Enter on the focused
// button presses it, and the dialog's default button takes Enter again once
// the focus moves on.

// Opens a dialog of ours modally through the platform; its result code.
int OpenOurDialog(QDialog& dialog);

// Runs an event handler; an exception shows the common error box with the
// handler's tag instead of leaving the Qt slot.
void RunHandler(std::string_view tag, const std::function<void()>& handler);
// The same with the box of an unexpected event ("ご迷惑をおかけしています.").
void RunUnexpectedHandler(std::string_view tag, const std::function<void()>& handler);

// Refuses text that Shift_JIS cannot hold when an entry is confirmed: shows
// "Shift_JISで保存できない文字が含まれています: " + the character, titled
// `title`, and answers true; false (and no box) for storable text.
bool RefuseUnstorable(std::string_view text, std::string_view title);

// The OK and ｷｬﾝｾﾙ row of a dialog: OK (the default button, caption as the
// dialog has it) runs `store` under `tag` and accepts (a failure shows the
// error box and keeps the dialog open); ｷｬﾝｾﾙ, Escape and the
// close box reject, which stores nothing.
QDialogButtonBox* AddOkCancelButtons(QDialog& dialog, const char* ok_caption, const char* tag,
                                     const std::function<void()>& store);
// The same row whose OK first asks `accept` whether the entries may be
// stored; when it answers false the dialog stays open and nothing is stored.
QDialogButtonBox* AddOkCancelButtons(QDialog& dialog, const char* ok_caption, const char* tag,
                                     const std::function<bool()>& accept, const std::function<void()>& store);
// Runs the click of `button`. A button that had the focus and disables
// itself loses it to the next control in the tab order; instead the focus
// goes back to the button when the click enabled it again, else to
// `then_focus` (none: where the click left it).
void KeepFocusThrough(QPushButton* button, QWidget* then_focus, const std::function<void()>& click);

// Tab visits these controls in this order (the layout's order), whatever
// order they were made in; nulls are skipped.
void ChainTabOrder(std::initializer_list<QWidget*> controls);

// A dialog of fixed size whose F1 opens its page of the manual.
void FinishDialogLayout(QDialog& dialog, QLayout* layout);

// The three kinds of code by which shared dialogs name a control; the same
// number names different controls in each (the design editor holds font
// code 3 and colour code 3 at once).
enum class TargetKind { Color, Font, Date };

// The controls that shared dialogs write into, by kind and code
// (ColorTarget, FontTarget, DateTarget). A window registers its controls
// while it is open; an unknown code reads and writes nothing. Registrations
// live in the window's own object tree, one with each control, so every
// window has its own and a control's ends with it.
class TargetRegistry {
 public:
  struct Target {
    std::function<QVariant()> read;
    std::function<void(const QVariant&)> write;
  };

  // Registers a code for as long as `owner` lives; the owner's earlier
  // registration of the same kind and code is replaced, and of controls of
  // one window that hold the same code the one made last answers.
  static void Register(TargetKind kind, int code, QObject* owner, Target target);
  // The code's target in the window `anchor` stands in (its top-level
  // ancestor), as the window is when asked.
  static std::optional<QVariant> Read(QObject* anchor, TargetKind kind, int code);
  static bool Write(QObject* anchor, TargetKind kind, int code, const QVariant& value);
};

}  // namespace dustora
