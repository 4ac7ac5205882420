#include "session/lifecycle.h"

#include <tuple>

namespace dustora {

std::string HolidayFilePath(const Session& session) {
  return JoinPath(session.folders.data_folder, kHolidayFileName);
}

std::string NoneTermFilePath(const Session& session) {
  return JoinPath(session.folders.data_folder, kNoneTermFileName);
}

void LoadHolidays(Session& session, Report& report) {
  ReadHolidayFile(HolidayFilePath(session), session.holidays, session.settings.show_holiday_names, report);
}

bool SaveHolidays(const Session& session, Report& report) {
  return WriteHolidayFile(HolidayFilePath(session), session.holidays, report);
}

void LoadNoCollectionPeriods(Session& session, Report& report) {
  ReadNoneTermFile(NoneTermFilePath(session), session.periods, report);
}

bool SaveNoCollectionPeriods(const Session& session, Report& report) {
  return WriteNoneTermFile(NoneTermFilePath(session), session.periods, report);
}

void LoadAtStartUp(Session& session, const DesktopPlaces& places, Date today, Report& report) {
  GetSpecialFolder(session.folders, places);
  MakeSpecialFolder(session.folders, report);
  LoadSettings(session.folders.data_folder, session.folders.program_folder, session.settings, session.document, report);
  AppDataFilesCopy(session.folders, report);
  LoadHolidays(session, report);
  LoadNoCollectionPeriods(session, report);
  CalendarDocument& document = session.document;
  document.year = today.year;
  document.month = today.month;
  document.document_path.clear();
  session.MarkUnmodified();
  session.TieMemo("", report);
}

bool WriteAtExit(const Session& session, Report& report) {
  // Each write reports its own failure; a failure does not stop the others.
  const bool settings = SaveSettings(session.settings, session.document, report);
  const bool holidays = SaveHolidays(session, report);
  const bool periods = SaveNoCollectionPeriods(session, report);
  return settings && holidays && periods;
}

void LoadForRendering(Session& session, const std::string& data_folder, Report& report) {
  session.folders.data_folder = data_folder;
  const std::string path = JoinPath(data_folder, kSettingsFileName);
  ProfileFile file =
      Fs().FileExists(path) ? LoadSettingsFile(path, kLoadSettingsTag, report) : DefaultSettingsFile(path);
  std::ignore = UpgradeSettings(file);  // in memory only: no save names a step
  session.settings.path = path;
  ReadSettings(file, kLoadSettingsTag, session.settings, session.document, report);
  LoadHolidays(session, report);
  LoadNoCollectionPeriods(session, report);
  ReadMemoText(session.document, session.memo_text, report);
}

}  // namespace dustora
