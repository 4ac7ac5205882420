// The desktop through Qt: message boxes, file and colour dialogs, fonts,
// xdg-open and the browser, the single-instance lock, event pumping.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/platform.h"

namespace dustora {

class QtPlatform : public Platform {
 public:
  QtPlatform();
  ~QtPlatform() override;

  // The window that dialogs and message boxes belong to.
  void SetMainWindow(QWidget* window) { main_window_ = window; }
  // How the start-up splash window is closed while it shows.
  void SetSplashCloser(std::function<void()> close) { close_splash_ = std::move(close); }

  MessageButton ShowMessage(const MessageBoxRequest& request) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  std::optional<std::int32_t> ChooseColor(std::int32_t initial) override;
  std::vector<std::string> InstalledFonts() override;
  bool OpenWithDesktop(std::string_view target, LateFailure on_failure = {}) override;
  bool ShowPageInBrowser(std::string_view path, LateFailure on_failure = {}) override;
  bool IsAnotherInstanceRunning() override;
  bool HandOverToRunningCopy(std::string_view file) override;
  void ListenForHandOvers(HandOverArrival arrived) override;
  std::string SpecialFolderPath(SpecialFolder folder) override;
  std::string ProgramFolder() override;
  void PumpEvents() override;
  Date Today() override;
  std::int64_t NowUtcSeconds() override;
  int SmallCaptionHeightPixels() override;
  double TwipsPerPixelY() override;
  int OpenDialog(ModalDialog& dialog) override;
  void CloseSplash() override;

  // The Qt filter of a "label|pattern|label|pattern" filter text.
  static QString QtFilter(std::string_view filter);

 private:
  QWidget* Parent() const;

  QPointer<QWidget> main_window_;
  std::function<void()> close_splash_;
  std::unique_ptr<QLockFile> instance_lock_;
  std::unique_ptr<QLocalServer> hand_over_server_;
};

// The lock file of the single-instance test: in $XDG_RUNTIME_DIR (else the
// temporary folder), named with the user's id.
QString InstanceLockPath();
// The local socket a second start hands its file over on: beside the lock,
// or in the temporary folder when that path is too long for a socket.
QString HandOverSocketPath();

// Loads Qt's own Japanese translations, so standard buttons and dialogs read
// はい, いいえ, キャンセル.
void InstallJapaneseTranslations();

}  // namespace dustora
