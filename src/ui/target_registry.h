// The codes by which shared dialogs (the palette, the font chooser, the
// date picker) reach a control of another window.
#pragma once

#include <QObject>
#include <QVariant>
#include <functional>
#include <optional>

namespace dustora {

// The three kinds of code by which shared dialogs name a control; the same
// number names different controls in each (the design editor holds font
// code 3 and colour code 3 at once).
enum class TargetKind { Color, Font, Date };

// The controls that shared dialogs write into, by kind and code
// (ColorTarget, FontTarget, DateTarget). A window registers its controls
// while it is open; an unknown code reads and writes nothing. Registrations
// live in the window's own object tree, one with each control, so every
// window has its own and a control's ends with it.
class TargetRegistry {
 public:
  struct Target {
    std::function<QVariant()> read;
    std::function<void(const QVariant&)> write;
  };

  // Registers a code for as long as `owner` lives; the owner's earlier
  // registration of the same kind and code is replaced, and of controls of
  // one window that hold the same code the one made last answers.
  static void Register(TargetKind kind, int code, QObject* owner, Target target);
  // The code's target in the window `anchor` stands in (its top-level
  // ancestor), as the window is when asked.
  static std::optional<QVariant> Read(QObject* anchor, TargetKind kind, int code);
  static bool Write(QObject* anchor, TargetKind kind, int code, const QVariant& value);
};

}  // namespace dustora
