// A platform for runs without a desktop (dustora-cli, the fuzz targets).
#pragma once

#include <chrono>
#include <cstdint>

#include "core/platform.h"

namespace dustora {

// A platform without windows: nothing is chosen, opened or shown, every box
// answers with its default button. A run without a desktop overrides what
// it knows (its folders, today, where boxes go).
class WindowlessPlatform : public Platform {
 public:
  MessageButton ShowMessage(const MessageBoxRequest& request) override { return request.default_button; }
  std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::int32_t> ChooseColor(std::int32_t) override { return std::nullopt; }
  std::vector<std::string> InstalledFonts() override { return {}; }
  bool OpenWithDesktop(std::string_view, LateFailure) override { return false; }
  bool ShowPageInBrowser(std::string_view, LateFailure) override { return false; }
  std::string SpecialFolderPath(SpecialFolder) override { return {}; }
  std::string ProgramFolder() override { return {}; }
  void PumpEvents() override {}
  std::int64_t NowUtcSeconds() override {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
  }
  int SmallCaptionHeightPixels() override { return 0; }
  double TwipsPerPixelY() override { return 15; }
  int OpenDialog(ModalDialog&) override { return 0; }
  void CloseSplash() override {}
};

}  // namespace dustora
