// A run's start and end on its session: the order in which start-up loads
// the folders, settings and tables, the order in which they are written at
// exit, and dustora-cli's reading, which writes nothing.
#pragma once

#include <string>

#include "session/session.h"

namespace dustora {

// The data folder's holiday.csv and noneterm.csv.
[[nodiscard]] std::string HolidayFilePath(const Session& session);
[[nodiscard]] std::string NoneTermFilePath(const Session& session);

// The tables of the run from and to the data folder (the holiday names'
// switch goes with the holiday table).
void LoadHolidays(Session& session, Report& report);
[[nodiscard]] bool SaveHolidays(const Session& session, Report& report);
void LoadNoCollectionPeriods(Session& session, Report& report);
[[nodiscard]] bool SaveNoCollectionPeriods(const Session& session, Report& report);

// Start-up's loading: folders (made where missing) from the desktop's
// places, settings, the first-run copy of the shipped files, holidays,
// no-collection periods; then an empty, unnamed document of `today`'s month
// with no memo tied. What went wrong on the way is in the report, in order;
// loading goes on past it.
void LoadAtStartUp(Session& session, const DesktopPlaces& places, Date today, Report& report);

// What the program writes when it ends: the settings, the holiday table and
// the no-collection periods, in that order. Each failure is reported; true
// when all three were written.
[[nodiscard]] bool WriteAtExit(const Session& session, Report& report);

// dustora-cli's reading of a data folder, in memory only: a missing settings
// file reads as the default content, upgrades are not saved, nothing is
// copied or created. Then the tables.
void LoadForRendering(Session& session, const std::string& data_folder, Report& report);

}  // namespace dustora
