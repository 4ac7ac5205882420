#include "ui/target_registry.h"

#include <QList>
#include <QString>
#include <utility>

namespace dustora {

namespace {

constexpr const char* kTargetName = "dustora-target";

// One registration, a child of the control it reads and writes.
class TargetEntry : public QObject {
 public:
  TargetEntry(QObject* owner, TargetKind entry_kind, int entry_code, TargetRegistry::Target entry_target)
      : QObject(owner), kind(entry_kind), code(entry_code), target(std::move(entry_target)) {
    setObjectName(QString::fromLatin1(kTargetName));
  }
  TargetKind kind;
  int code;
  TargetRegistry::Target target;
};

// The last registration of the kind and code among `objects`: of controls
// that hold the same code, the one made last answers.
TargetEntry* EntryAmong(const QList<QObject*>& objects, TargetKind kind, int code) {
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    auto* entry = dynamic_cast<TargetEntry*>(*it);
    if (entry && entry->kind == kind && entry->code == code) return entry;
  }
  return nullptr;
}

const TargetEntry* FindEntry(QObject* anchor, TargetKind kind, int code) {
  if (!anchor) return nullptr;
  QObject* window = anchor;
  while (window->parent()) window = window->parent();
  const QString name = QString::fromLatin1(kTargetName);
  if (window->objectName() == name) return nullptr;
  return EntryAmong(window->findChildren<QObject*>(name), kind, code);
}

}  // namespace

void TargetRegistry::Register(TargetKind kind, int code, QObject* owner, Target target) {
  if (!owner) return;
  const QList<QObject*> own =
      owner->findChildren<QObject*>(QString::fromLatin1(kTargetName), Qt::FindDirectChildrenOnly);
  delete EntryAmong(own, kind, code);
  new TargetEntry(owner, kind, code, std::move(target));
}

std::optional<QVariant> TargetRegistry::Read(QObject* anchor, TargetKind kind, int code) {
  const TargetEntry* entry = FindEntry(anchor, kind, code);
  if (!entry || !entry->target.read) return std::nullopt;
  return entry->target.read();
}

bool TargetRegistry::Write(QObject* anchor, TargetKind kind, int code, const QVariant& value) {
  const TargetEntry* entry = FindEntry(anchor, kind, code);
  if (!entry || !entry->target.write) return false;
  entry->target.write(value);
  return true;
}

}  // namespace dustora
