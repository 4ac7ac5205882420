// What the windows take from the desktop: message boxes, file and colour
// dialogs, fonts, the desktop's opener and the browser, special folders,
// event pumping, the clock, and the running of our own dialogs. Windows
// reach the desktop only through this interface, so tests answer it with a
// scripted fake. Nothing below the windows uses it: routines there take
// what they need as values and return a report.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/desktop_paths.h"
#include "core/errors.h"
#include "core/text.h"

class QWidget;

namespace dustora {

enum class MessageIcon { None, Error, Information, Question, Warning };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageButton { Ok, Cancel, Yes, No };

struct MessageBoxRequest {
  std::string text;
  std::string title;
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
  MessageButton default_button = MessageButton::Ok;
};

enum class FileDialogMode { Open, Save, Folder };

struct FileDialogRequest {
  FileDialogMode mode = FileDialogMode::Open;
  std::string title;
  // "label|pattern" pairs joined by "|", for example
  // "カレンダーファイル (*.dsc)|*.dsc|すべてのファイル (*.*)|*.*".
  std::string filter;
  std::string default_extension;  // without the dot
  std::string initial_folder;
  std::string file_name;
  bool must_exist = false;
  bool confirm_overwrite = false;
};

// One of our own modal dialogs, as the platform runs it.
class ModalDialog {
 public:
  virtual ~ModalDialog() = default;
  // The dialog's objectName, for example "dlgSet".
  virtual std::string DialogName() const = 0;
  // Shows the dialog modally and returns its result code.
  virtual int Exec() = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual MessageButton ShowMessage(const MessageBoxRequest& request) = 0;
  // The chosen full path, or nullopt when cancelled.
  [[nodiscard]] virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
  // The chosen colour value (red in the lowest byte), or nullopt.
  [[nodiscard]] virtual std::optional<std::int32_t> ChooseColor(std::int32_t initial) = 0;
  [[nodiscard]] virtual std::vector<std::string> InstalledFonts() = 0;
  // Called when an opener that was started reports later that it failed.
  using LateFailure = std::function<void(const Error&)>;
  // Opens a file or web address with its default handler; false when that
  // is known at once to have failed. A failure that the opener reports
  // later reaches `on_failure` (when given).
  [[nodiscard]] virtual bool OpenWithDesktop(std::string_view target, LateFailure on_failure = {}) = 0;
  // Shows an HTML file in a new browser window; false when that failed at
  // once, `on_failure` for a failure reported later.
  [[nodiscard]] virtual bool ShowPageInBrowser(std::string_view path, LateFailure on_failure = {}) = 0;
  // Absolute path without a trailing separator, empty on failure.
  [[nodiscard]] virtual std::string SpecialFolderPath(SpecialFolder folder) = 0;
  // The folder of the shipped files.
  [[nodiscard]] virtual std::string ProgramFolder() = 0;
  // Handles pending events, never user input.
  virtual void PumpEvents() = 0;
  [[nodiscard]] virtual Date Today() = 0;
  // The current time as seconds since 1970-01-01 00:00 UTC.
  [[nodiscard]] virtual std::int64_t NowUtcSeconds() = 0;
  [[nodiscard]] virtual double TwipsPerPixelY() = 0;
  virtual int OpenDialog(ModalDialog& dialog) = 0;
  // Closes the start-up splash window when it shows.
  virtual void CloseSplash() = 0;
};

// A top-level window is handed the platform it works on; its dialogs, and
// theirs, work on the same one. There is none for the whole process: two
// windows may work on two platforms (the window tests do).
void AttachPlatform(QWidget& window, Platform& platform);
// The platform of the window `widget` stands in, found through its owners;
// throws std::logic_error when none was attached.
[[nodiscard]] Platform& PlatformOf(const QWidget* widget);

// The helpers below work on the platform of the window `from` stands in.

// The common error boxes ("エラー情報", error icon), after closing the splash:
// with a text of its own, or the worded ones of a tagged routine.
void ShowErrorText(Platform& platform, std::string text);
void ShowErrorText(const QWidget* from, std::string text);
void ShowErrorBox(Platform& platform, std::string_view tag, const Error& error);
void ShowErrorBox(const QWidget* from, std::string_view tag, const Error& error);
void ShowUnexpectedErrorBox(const QWidget* from, std::string_view tag, const Error& error);

// The open-file dialog for an existing file: the chosen path, or nullopt
// when it was cancelled or gave no name.
[[nodiscard]] std::optional<std::string> ChooseFileToOpen(const QWidget* from, std::string_view title,
                                                          std::string_view filter, std::string_view initial_folder);

// An information box with an OK button.
void ShowInformation(Platform& platform, std::string_view text, std::string_view title);
void ShowInformation(const QWidget* from, std::string_view text, std::string_view title);
// A question with Yes and No, No the default; true for Yes.
[[nodiscard]] bool AskYesNo(const QWidget* from, std::string_view text, std::string_view title);

// Opens a path or web address with the desktop; a target of blanks only does
// nothing. False when the desktop reported a failure at once.
[[nodiscard]] bool OpenWithShell(const QWidget* from, std::string_view target, Platform::LateFailure on_failure = {});

}  // namespace dustora
