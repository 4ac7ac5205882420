#include "ui/platform.h"

#include <stdexcept>

namespace dustora {

namespace {
Platform* g_platform = nullptr;
}

Platform& CurrentPlatform() {
  if (!g_platform) throw std::logic_error("no platform set");
  return *g_platform;
}

void SetPlatform(Platform* platform) {
  g_platform = platform;
}

bool HasPlatform() {
  return g_platform != nullptr;
}

void ShowErrorText(std::string text) {
  Platform& platform = CurrentPlatform();
  platform.CloseSplash();
  platform.ShowMessage(
      {std::move(text), std::string(kErrorBoxTitle), MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
}

void ShowErrorBox(std::string_view tag, const Error& error) {
  ShowErrorText(ErrorMessage(tag, error));
}

void ShowUnexpectedErrorBox(std::string_view tag, const Error& error) {
  ShowErrorText(UnexpectedErrorMessage(tag, error));
}

std::optional<std::string> ChooseFileToOpen(std::string_view title, std::string_view filter,
                                            std::string_view initial_folder) {
  FileDialogRequest request;
  request.mode = FileDialogMode::Open;
  request.title = std::string(title);
  request.filter = std::string(filter);
  request.initial_folder = std::string(initial_folder);
  request.must_exist = true;
  std::optional<std::string> chosen = CurrentPlatform().ChooseFile(request);
  if (chosen && chosen->empty()) chosen.reset();
  return chosen;
}

void ShowInformation(std::string_view text, std::string_view title) {
  CurrentPlatform().ShowMessage(
      {std::string(text), std::string(title), MessageIcon::Information, MessageButtons::Ok, MessageButton::Ok});
}

bool AskYesNo(std::string_view text, std::string_view title) {
  return CurrentPlatform().ShowMessage({std::string(text), std::string(title), MessageIcon::Question,
                                        MessageButtons::YesNo, MessageButton::No}) == MessageButton::Yes;
}

bool OpenWithShell(std::string_view target, Platform::LateFailure on_failure) {
  const std::string_view trimmed = TrimBlanks(target);
  if (trimmed.empty()) return true;
  return CurrentPlatform().OpenWithDesktop(trimmed, std::move(on_failure));
}

}  // namespace dustora
