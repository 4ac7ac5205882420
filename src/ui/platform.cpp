#include "ui/platform.h"

#include <QVariant>
#include <QWidget>
#include <stdexcept>

namespace dustora {

namespace {
// The property of a top-level window that holds its platform.
constexpr char kPlatformProperty[] = "dustoraPlatform";
}  // namespace

void AttachPlatform(QWidget& window, Platform& platform) {
  window.setProperty(kPlatformProperty, QVariant::fromValue(static_cast<void*>(&platform)));
}

Platform& PlatformOf(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const QVariant held = w->property(kPlatformProperty);
    if (held.isValid()) return *static_cast<Platform*>(held.value<void*>());
  }
  throw std::logic_error("the window was handed no platform");
}

void ShowErrorText(Platform& platform, std::string text) {
  platform.CloseSplash();
  platform.ShowMessage(
      {std::move(text), std::string(kErrorBoxTitle), MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
}

void ShowErrorText(const QWidget* from, std::string text) {
  ShowErrorText(PlatformOf(from), std::move(text));
}

void ShowErrorBox(Platform& platform, std::string_view tag, const Error& error) {
  ShowErrorText(platform, ErrorMessage(tag, error));
}

void ShowErrorBox(const QWidget* from, std::string_view tag, const Error& error) {
  ShowErrorBox(PlatformOf(from), tag, error);
}

void ShowUnexpectedErrorBox(const QWidget* from, std::string_view tag, const Error& error) {
  ShowErrorText(from, UnexpectedErrorMessage(tag, error));
}

std::optional<std::string> ChooseFileToOpen(const QWidget* from, std::string_view title, std::string_view filter,
                                            std::string_view initial_folder) {
  FileDialogRequest request;
  request.mode = FileDialogMode::Open;
  request.title = std::string(title);
  request.filter = std::string(filter);
  request.initial_folder = std::string(initial_folder);
  request.must_exist = true;
  std::optional<std::string> chosen = PlatformOf(from).ChooseFile(request);
  if (chosen && chosen->empty()) chosen.reset();
  return chosen;
}

void ShowInformation(Platform& platform, std::string_view text, std::string_view title) {
  platform.ShowMessage(
      {std::string(text), std::string(title), MessageIcon::Information, MessageButtons::Ok, MessageButton::Ok});
}

void ShowInformation(const QWidget* from, std::string_view text, std::string_view title) {
  ShowInformation(PlatformOf(from), text, title);
}

bool AskYesNo(const QWidget* from, std::string_view text, std::string_view title) {
  return PlatformOf(from).ShowMessage({std::string(text), std::string(title), MessageIcon::Question,
                                       MessageButtons::YesNo, MessageButton::No}) == MessageButton::Yes;
}

bool OpenWithShell(const QWidget* from, std::string_view target, Platform::LateFailure on_failure) {
  const std::string_view trimmed = TrimBlanks(target);
  if (trimmed.empty()) return true;
  return PlatformOf(from).OpenWithDesktop(trimmed, std::move(on_failure));
}

}  // namespace dustora
