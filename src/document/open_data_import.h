// One area of a city's open data as a document: each term of its cells
// becomes rule rows, dated changes or memo lines, and the report says what
// each became or why it could not be mapped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/calendar_document.h"
#include "core/report.h"
#include "document/open_data.h"
#include "settings/settings.h"

namespace dustora {

inline constexpr std::string_view kImportedTitle = "ごみ収集カレンダー";

// A line of the report: what a term of a cell became, or why it was not
// mapped. A note of the whole area has no category.
struct ImportLine {
  std::string category;
  std::string cell;    // the term, or the part of the cell
  std::string result;  // what it became, or why not
  bool mapped = true;
};

struct ImportedArea {
  CalendarDocument document;  // new and unnamed, year and month `today`'s
  std::string memo_text;      // the remarks, a line each; empty when there are none
  std::vector<ImportLine> lines;

  // The categories of the document, in column order.
  std::vector<std::string> categories;

  // Every term of every cell was mapped.
  [[nodiscard]] bool Exact() const;
};

[[nodiscard]] ImportedArea ImportArea(const OpenData& data, const OpenDataArea& area, Date today);

// The memo file of a document: its name with ".mmo" for ".dsc".
[[nodiscard]] std::string MemoPathBeside(std::string_view document_path);
// Writes the memo text to the document's memo file and ties it: by its
// name alone when `by_name`, so that the two files move together.
[[nodiscard]] bool WriteMemoBeside(CalendarDocument& document, std::string_view memo_text, bool by_name,
                                   Report& report);

// Writes an imported area as the document `path`, with its remarks as the
// memo file beside it when it has any.
[[nodiscard]] bool SaveImportedArea(ImportedArea& area, std::string_view path, const AppSettings& settings, Date today,
                                    Report& report);

}  // namespace dustora
