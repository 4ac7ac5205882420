#include "ui/report_boxes.h"

#include "ui/platform.h"

namespace dustora {

namespace {

MessageIcon IconOf(ReportKind kind) {
  switch (kind) {
    case ReportKind::Information: return MessageIcon::Information;
    case ReportKind::Warning: return MessageIcon::None;
    case ReportKind::Error: return MessageIcon::Error;
  }
  return MessageIcon::None;
}

}  // namespace

void ShowReport(const QWidget* from, const Report& report) {
  if (report.empty()) return;
  ShowReport(PlatformOf(from), report);
}

void ShowReport(Platform& platform, const Report& report) {
  for (const ReportEntry& entry : report.entries()) {
    platform.CloseSplash();
    platform.ShowMessage({entry.Text(), entry.Title(), IconOf(entry.kind), MessageButtons::Ok, MessageButton::Ok});
  }
}

}  // namespace dustora
