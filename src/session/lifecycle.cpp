#include "session/lifecycle.h"

#include <tuple>

#include "core/platform.h"

namespace dustora {

std::string HolidayFilePath(const Session& session) {
  return JoinPath(session.folders.data_folder, kHolidayFileName);
}

std::string NoneTermFilePath(const Session& session) {
  return JoinPath(session.folders.data_folder, kNoneTermFileName);
}

void GetHoliday(Session& session) {
  GetHoliday(HolidayFilePath(session), session.holidays, session.settings.show_holiday_names);
}

bool SetHoliday(const Session& session) {
  return SetHoliday(HolidayFilePath(session), session.holidays);
}

void GetNoneTerm(Session& session) {
  GetNoneTerm(NoneTermFilePath(session), session.periods);
}

bool SetNoneTerm(const Session& session) {
  return SetNoneTerm(NoneTermFilePath(session), session.periods);
}

void LoadAtStartUp(Session& session) {
  GetSpecialFolder(session.folders);
  MakeSpecialFolder(session.folders);
  GetInitial(session.folders.data_folder, session.settings, session.document);
  AppDataFilesCopy(session.folders);
  GetHoliday(session);
  GetNoneTerm(session);
  CalendarDocument& document = session.document;
  const Date today = CurrentPlatform().Today();
  document.year = std::to_string(today.year);
  document.month = std::to_string(today.month);
  document.document_path.clear();
  session.MarkUnmodified();
  session.TieMemo("");
}

bool WriteAtExit(const Session& session) {
  // Each write reports its own failure; a failure does not stop the others.
  const bool settings = SetInitial(session.settings, session.document);
  const bool holidays = SetHoliday(session);
  const bool periods = SetNoneTerm(session);
  return settings && holidays && periods;
}

void LoadForRendering(Session& session, const std::string& data_folder) {
  session.folders.data_folder = data_folder;
  const std::string path = JoinPath(data_folder, kSettingsFileName);
  ProfileFile file = Fs().FileExists(path) ? LoadSettingsFile(path, "GetInitial") : DefaultSettingsFile(path);
  std::ignore = UpgradeSettings(file);  // in memory only: no save names a step
  session.settings.path = path;
  ReadSettings(file, "GetInitial", session.settings, session.document);
  GetHoliday(session);
  GetNoneTerm(session);
  Readmemo(session.document, session.memo_text);
}

}  // namespace dustora
