// Patterns every window shares: our dialogs open through the platform (so
// tests drive them), event handlers never let an exception out, and the
// codes by which shared dialogs reach another window's control.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QVariant>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform.h"

namespace dustora {

// One of our dialogs as the platform runs it.
class QtDialog : public ModalDialog {
 public:
  explicit QtDialog(QDialog& dialog) : dialog_(dialog) {}
  std::string DialogName() const override;
  int Exec() override { return dialog_.exec(); }
  QDialog& dialog() { return dialog_; }

 private:
  QDialog& dialog_;
};

// Opens a dialog of ours modally through the platform; its result code.
int OpenOurDialog(QDialog& dialog);

// Runs an event handler; an exception shows the common error box with the
// handler's tag instead of leaving the Qt slot.
void RunHandler(std::string_view tag, const std::function<void()>& handler);

// The three kinds of code by which shared dialogs name a control; the same
// number names different controls in each (the design editor holds font
// code 3 and colour code 3 at once).
enum class TargetKind { Color, Font, Date };

// The controls that shared dialogs write into, by kind and code
// (ColorTarget, FontTarget, DateTarget). A window registers its controls
// while it is open; an unknown code reads and writes nothing.
class TargetRegistry {
 public:
  struct Target {
    std::function<QVariant()> read;
    std::function<void(const QVariant&)> write;
  };

  static TargetRegistry& Instance();

  // Registers a code for as long as `owner` lives.
  void Register(TargetKind kind, int code, QObject* owner, Target target);
  std::optional<QVariant> Read(TargetKind kind, int code) const;
  bool Write(TargetKind kind, int code, const QVariant& value) const;

 private:
  struct Entry {
    QPointer<QObject> owner;
    Target target;
  };
  const Entry* Find(TargetKind kind, int code) const;
  std::map<std::pair<TargetKind, int>, Entry> entries_;
};

}  // namespace dustora
