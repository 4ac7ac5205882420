// The calendar document file (*.dsc): a profile file with the sections
// WeekName, Category, Image, FColor, Special, Date, Memo, Local and Title.
#pragma once

#include <string>
#include <string_view>

#include "core/calendar_document.h"
#include "core/report.h"
#include "core/text.h"
#include "settings/settings.h"

namespace dustora {

// The file-type entry of the document file dialogs.
inline constexpr std::string_view kDscFileFilter = "ダストーラファイル(*.dsc)|*.dsc";

// Reads the file named by document.document_path into the document: the
// slot tables, the year and month, the area name and its flag, the title,
// the memo tie and output flag, then loads the memo text into `memo_text`;
// the year and month only when the settings save them (else `today`'s). A
// missing file reads as one whose entries are all empty. Leaves the path,
// the modified flag and the window state to the caller. False when the file
// cannot be read (an error in the report), or when it holds no section of a
// document (the information "ダストーラファイルではありません: " + its name);
// the document is then unchanged.
[[nodiscard]] bool ReadDscFile(CalendarDocument& document, const AppSettings& settings, std::string& memo_text,
                               Date today, Report& report);

// Writes the document into the file named by document.document_path, in
// one replace of the file; entries this writer does not produce stay as
// they were. False when nothing was written: a year or month that is not
// numeric (reported and reset to `today`'s), no path (or just ".dsc"),
// text Shift_JIS cannot hold, or a failed save (both reported). Leaves the
// modified flag to the caller.
[[nodiscard]] bool WriteDscFile(CalendarDocument& document, const AppSettings& settings, Date today, Report& report);

}  // namespace dustora
