#include "support/fake_platform.h"

namespace dustora::testing {

MessageButton FakePlatform::ShowMessage(const MessageBoxRequest& request) {
  messages.push_back(request);
  if (message_replies.empty()) return request.default_button;
  const MessageButton reply = message_replies.front();
  message_replies.pop_front();
  return reply;
}

std::optional<std::string> FakePlatform::ChooseFile(const FileDialogRequest& request) {
  file_dialogs.push_back(request);
  if (file_replies.empty()) return std::nullopt;
  auto reply = file_replies.front();
  file_replies.pop_front();
  return reply;
}

std::optional<std::int32_t> FakePlatform::ChooseColor(std::int32_t initial) {
  color_dialogs.push_back(initial);
  if (color_replies.empty()) return std::nullopt;
  auto reply = color_replies.front();
  color_replies.pop_front();
  return reply;
}

bool FakePlatform::OpenWithDesktop(std::string_view target, LateFailure on_failure) {
  opened.emplace_back(target);
  last_open_failure = std::move(on_failure);
  return open_succeeds;
}

bool FakePlatform::ShowPageInBrowser(std::string_view path, LateFailure on_failure) {
  browsed.emplace_back(path);
  last_browser_failure = std::move(on_failure);
  return browser_succeeds;
}

std::string FakePlatform::SpecialFolderPath(SpecialFolder folder) {
  return folder == SpecialFolder::Documents ? documents_folder : appdata_folder;
}

int FakePlatform::OpenDialog(ModalDialog& dialog) {
  const std::string name = dialog.DialogName();
  dialogs.push_back(name);
  const auto script = dialog_scripts.find(name);
  return script == dialog_scripts.end() ? 0 : script->second(dialog);
}

}  // namespace dustora::testing
