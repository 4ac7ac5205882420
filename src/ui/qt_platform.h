// The desktop through Qt: message boxes, file and colour dialogs, fonts,
// xdg-open and the browser, event pumping.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "ui/platform.h"

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
  std::string SpecialFolderPath(SpecialFolder folder) override;
  std::string ProgramFolder() override;
  void PumpEvents() override;
  Date Today() override;
  std::int64_t NowUtcSeconds() override;
  double TwipsPerPixelY() override;
  int OpenDialog(ModalDialog& dialog) override;
  void CloseSplash() override;

  // The Qt filter of a "label|pattern|label|pattern" filter text.
  static QString QtFilter(std::string_view filter);

 private:
  QWidget* Parent() const;

  QPointer<QWidget> main_window_;
  std::function<void()> close_splash_;
};

// Loads Qt's own Japanese translations, so standard buttons and dialogs read
// はい, いいえ, キャンセル.
void InstallJapaneseTranslations();

}  // namespace dustora
