// A scripted platform for tests: answers from queued replies and records
// every call, so a test can assert the exact message boxes a window shows.
// A window works on it once it is handed it (MainWindow's constructor, or
// AttachPlatform for a window of the test's own).
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/platform.h"

namespace dustora::testing {

class FakePlatform : public Platform {
 public:
  // Replies, taken in order; without one a message box answers its default
  // button and a file or colour dialog is cancelled.
  std::deque<MessageButton> message_replies;
  std::deque<std::optional<std::string>> file_replies;
  std::deque<std::optional<std::int32_t>> color_replies;
  // A script for each of our dialogs, by objectName; it drives the open
  // dialog and returns the result code. A dialog without a script returns 0.
  std::map<std::string, std::function<int(ModalDialog&)>> dialog_scripts;

  // What the routines asked for.
  std::vector<MessageBoxRequest> messages;
  std::vector<FileDialogRequest> file_dialogs;
  std::vector<std::int32_t> color_dialogs;
  std::vector<std::string> opened;   // OpenWithDesktop targets
  std::vector<std::string> browsed;  // ShowPageInBrowser paths
  std::vector<std::string> dialogs;  // names of the dialogs opened
  int pump_count = 0;
  int splash_closes = 0;
  std::function<void()> close_splash;  // what the program's splash closer does

  // Settings of the fake desktop.
  std::vector<std::string> fonts;
  bool open_succeeds = true;
  bool browser_succeeds = true;
  // The late-failure callbacks of the last opener and browser calls, so a
  // test can play an opener that fails after it started.
  LateFailure last_open_failure;
  LateFailure last_browser_failure;
  std::string documents_folder = "/home/user/Documents";
  std::string appdata_folder = "/home/user/.local/share";
  std::string program_folder = "/opt/dustora";
  Date today{2011, 4, 1};
  std::int64_t now_utc = 1301634245;  // 2011-04-01 05:04:05 UTC
  double twips_per_pixel = 15.0;

  MessageButton ShowMessage(const MessageBoxRequest& request) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  std::optional<std::int32_t> ChooseColor(std::int32_t initial) override;
  std::vector<std::string> InstalledFonts() override { return fonts; }
  bool OpenWithDesktop(std::string_view target, LateFailure on_failure = {}) override;
  bool ShowPageInBrowser(std::string_view path, LateFailure on_failure = {}) override;
  std::string SpecialFolderPath(SpecialFolder folder) override;
  std::string ProgramFolder() override { return program_folder; }
  void PumpEvents() override { ++pump_count; }
  Date Today() override { return today; }
  std::int64_t NowUtcSeconds() override { return now_utc; }
  double TwipsPerPixelY() override { return twips_per_pixel; }
  int OpenDialog(ModalDialog& dialog) override;
  void CloseSplash() override {
    ++splash_closes;
    if (close_splash) close_splash();
  }
};

}  // namespace dustora::testing
