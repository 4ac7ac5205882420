// The document commands: New, Open, Save, Save As and the save-changes
// question before a document is replaced or the window closes. The window
// side (title, Save command, tabs, selectors) is reached through
// DocumentView.
#pragma once

#include <string>
#include <string_view>

#include "document/open_data_import.h"
#include "session/session.h"
#include "ui/platform.h"

namespace dustora {

inline constexpr std::string_view kTitlePrefix = "ダストーラ作成 ";

class DocumentView {
 public:
  virtual ~DocumentView() = default;
  virtual void SetWindowTitle(const std::string& title) = 0;
  virtual void SetSaveEnabled(bool enabled) = 0;
  // Loads the rows of the showing tab from the slot tables.
  virtual void ReloadRows() = 0;
  // Selects the first tab (EveryWeek), which loads its rows.
  virtual void ShowFirstTab() = 0;
  // The year and month selectors show the document's year and month.
  virtual void ShowYearMonth() = 0;
  virtual void FocusTabs() = 0;
};

// "ダストーラ作成 [新規]" or "ダストーラ作成 [name.dsc]".
[[nodiscard]] std::string WindowTitleFor(std::string_view document_path);

enum class Answer { Proceed, Cancel };

// Asks whether to save a changed document. Cancelling the save dialog that
// follows Yes, or a write that failed, answers cancel: the changes stay.
[[nodiscard]] Answer ConfirmSave(Platform& platform, Session& session);

// False when the command stopped (cancelled, or a write failed).
[[nodiscard]] bool NewDocument(Platform& platform, Session& session, DocumentView& view);
[[nodiscard]] bool OpenDocument(Platform& platform, Session& session, DocumentView& view);
// Open for a file named without the file dialog (on the command line, or
// handed over by a second start): the save question, then the same reading;
// a missing file is error 53.
[[nodiscard]] bool OpenDocumentAt(Platform& platform, Session& session, DocumentView& view, const std::string& path);
// Opens the shipped example (`sample_path`) as a new document: its rules,
// no name, nothing to save (after the save question, as Open asks it).
[[nodiscard]] bool OpenSample(Platform& platform, Session& session, DocumentView& view, const std::string& sample_path);
// Makes an imported area the document (after the save question): new,
// unnamed and modified, its remarks the memo text that its first save
// writes beside it.
[[nodiscard]] bool OpenImported(Platform& platform, Session& session, DocumentView& view, ImportedArea area);
[[nodiscard]] bool SaveDocument(Platform& platform, Session& session, DocumentView& view);
[[nodiscard]] bool SaveDocumentAs(Platform& platform, Session& session, DocumentView& view);

}  // namespace dustora
