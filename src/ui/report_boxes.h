// Shows a report as the program's message boxes: each entry one box, in
// order, after the start-up splash has closed.
#pragma once

#include "core/report.h"

class QWidget;

namespace dustora {
class Platform;
}

namespace dustora {

// An error entry of a routine is the common error box ("エラー情報", error
// icon); a message entry shows its own text and title with the icon of its
// kind (an information, an error; a warning has no icon).
void ShowReport(Platform& platform, const Report& report);
void ShowReport(const QWidget* from, const Report& report);

}  // namespace dustora
