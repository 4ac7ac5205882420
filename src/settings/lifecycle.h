// What the program writes when it ends: the settings, the holiday table and
// the no-collection periods, in that order.
#pragma once

namespace dustora {

void WriteAtExit();

}  // namespace dustora
