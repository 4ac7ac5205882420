#include "session/lifecycle.h"

#include <tuple>

namespace dustora {

std::string HolidayFilePath(const Session& session) {
  return JoinPath(session.folders.data_folder, kHolidayFileName);
}

std::string NoneTermFilePath(const Session& session) {
  return JoinPath(session.folders.data_folder, kNoneTermFileName);
}

void GetHoliday(Session& session, Report& report) {
  GetHoliday(HolidayFilePath(session), session.holidays, session.settings.show_holiday_names, report);
}

bool SetHoliday(const Session& session, Report& report) {
  return SetHoliday(HolidayFilePath(session), session.holidays, report);
}

void GetNoneTerm(Session& session, Report& report) {
  GetNoneTerm(NoneTermFilePath(session), session.periods, report);
}

bool SetNoneTerm(const Session& session, Report& report) {
  return SetNoneTerm(NoneTermFilePath(session), session.periods, report);
}

void LoadAtStartUp(Session& session, const DesktopPlaces& places, Date today, Report& report) {
  GetSpecialFolder(session.folders, places);
  MakeSpecialFolder(session.folders, report);
  LoadSettings(session.folders.data_folder, session.folders.program_folder, session.settings, session.document, report);
  AppDataFilesCopy(session.folders, report);
  GetHoliday(session, report);
  GetNoneTerm(session, report);
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
  const bool holidays = SetHoliday(session, report);
  const bool periods = SetNoneTerm(session, report);
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
  GetHoliday(session, report);
  GetNoneTerm(session, report);
  Readmemo(session.document, session.memo_text, report);
}

}  // namespace dustora
