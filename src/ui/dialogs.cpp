#include "ui/dialogs.h"

#include <exception>

#include "ui/qt_text.h"

namespace dustora {

std::string QtDialog::DialogName() const {
  return FromQt(dialog_.objectName());
}

int OpenOurDialog(QDialog& dialog) {
  QtDialog adapter(dialog);
  return CurrentPlatform().OpenDialog(adapter);
}

void RunHandler(std::string_view tag, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::bad_alloc&) {
    ShowErrorBox(tag, Error::WithDescription(7, "メモリが不足しています。"));
  } catch (const std::exception&) {
    ShowErrorBox(tag, Error::Of(kErrInvalidCall));
  } catch (...) {
    ShowErrorBox(tag, Error::Of(kErrInvalidCall));
  }
}

TargetRegistry& TargetRegistry::Instance() {
  static TargetRegistry registry;
  return registry;
}

void TargetRegistry::Register(TargetKind kind, int code, QObject* owner, Target target) {
  entries_[{kind, code}] = Entry{owner, std::move(target)};
}

const TargetRegistry::Entry* TargetRegistry::Find(TargetKind kind, int code) const {
  const auto it = entries_.find({kind, code});
  if (it == entries_.end() || it->second.owner.isNull()) return nullptr;
  return &it->second;
}

std::optional<QVariant> TargetRegistry::Read(TargetKind kind, int code) const {
  const Entry* entry = Find(kind, code);
  if (!entry || !entry->target.read) return std::nullopt;
  return entry->target.read();
}

bool TargetRegistry::Write(TargetKind kind, int code, const QVariant& value) const {
  const Entry* entry = Find(kind, code);
  if (!entry || !entry->target.write) return false;
  entry->target.write(value);
  return true;
}

}  // namespace dustora
