// Patterns every window shares: our dialogs open through the platform (so
// tests drive them), event handlers never let an exception out, and the
// button rows, focus and tab order of our dialogs.
#pragma once

#include <QDialog>
#include <functional>
#include <initializer_list>
#include <string_view>

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QLayout;

namespace dustora {

// Push buttons of our dialogs keep Qt's auto-default: Enter on the focused
// button presses it, and the dialog's default button takes Enter again once
// the focus moves on.

// Opens a dialog of ours modally through the platform of its owner window;
// its result code.
int OpenOurDialog(QDialog& dialog);

// Runs an event handler of the window `from` stands in; an exception shows
// the common error box with the handler's tag instead of leaving the Qt
// slot.
void RunHandler(const QWidget* from, std::string_view tag, const std::function<void()>& handler);
// The same with the box of an unexpected event ("ご迷惑をおかけしています.").
void RunUnexpectedHandler(const QWidget* from, std::string_view tag, const std::function<void()>& handler);

// Refuses text that Shift_JIS cannot hold when an entry is confirmed: shows
// "Shift_JISで保存できない文字が含まれています: " + each such character with
// its code (at most ten), titled `title`, and answers true; false (and no
// box) for storable text.
bool RefuseUnstorable(const QWidget* from, std::string_view text, std::string_view title);

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

// A caption of a dialog named `name`, whose mnemonic focuses `buddy`.
QLabel* MakeCaption(QWidget* parent, const char* name, const char* text, QWidget* buddy = nullptr);

// A dialog of fixed size, wide enough for its title, whose F1 opens its
// page of the manual.
void FinishDialogLayout(QDialog& dialog, QLayout* layout);

}  // namespace dustora
