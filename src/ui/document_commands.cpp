#include "ui/document_commands.h"

#include <filesystem>

#include "core/filesystem.h"
#include "document/dsc_file.h"
#include "document/open_data_import.h"
#include "ui/busy_pointer.h"
#include "ui/platform.h"
#include "ui/report_boxes.h"

namespace dustora {

namespace {

FileDialogRequest DocumentDialog(const Session& session, FileDialogMode mode) {
  FileDialogRequest request;
  request.mode = mode;
  request.filter = std::string(kDscFileFilter);
  request.initial_folder = session.folders.document_folder;
  if (mode == FileDialogMode::Open) {
    request.title = "ファイルを開く";
    request.must_exist = true;
  } else {
    request.title = "ファイルの保存";
    request.default_extension = "dsc";
    request.confirm_overwrite = true;
  }
  return request;
}

// The name as the file system spells it, when the file is there.
std::string FileNameOnDisk(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path p = ToPath(path);
  for (const auto& entry : std::filesystem::directory_iterator(p.parent_path(), ec)) {
    if (EqualsIgnoringAsciiCase(FromPath(entry.path().filename()), FromPath(p.filename()))) {
      return FromPath(entry.path().filename());
    }
  }
  return FileNameOf(path);
}

// The document written to its path; what went wrong is shown. An imported
// area's memo is written beside it first and tied.
bool Write(Platform& platform, Session& session) {
  Report report;
  BusyPointer busy;
  CalendarDocument& document = session.document;
  if (document.memo_unwritten) {
    if (!WriteMemoBeside(document, session.memo_text, false, report)) {
      busy.Release();
      ShowReport(platform, report);
      return false;
    }
    document.memo_unwritten = false;
    session.Notify(SessionChange::MemoTie);
  }
  const bool written = WriteDscFile(document, session.settings, platform.Today(), report);
  busy.Release();
  ShowReport(platform, report);
  return written;
}

}  // namespace

std::string WindowTitleFor(std::string_view document_path) {
  if (document_path.empty()) return std::string(kTitlePrefix) + "[新規]";
  return std::string(kTitlePrefix) + "[" + FileNameOf(document_path) + "]";
}

Answer ConfirmSave(Platform& platform, Session& session) {
  CalendarDocument& document = session.document;
  if (!document.modified) return Answer::Proceed;
  const MessageButton answer =
      platform.ShowMessage({"ダストーラファイルは更新されています.変更を保存しますか?", "変更保存の確認",
                            MessageIcon::Question, MessageButtons::YesNoCancel, MessageButton::Yes});
  if (answer == MessageButton::Cancel) return Answer::Cancel;
  if (answer == MessageButton::No) return Answer::Proceed;
  if (document.document_path.empty()) {
    const auto chosen = platform.ChooseFile(DocumentDialog(session, FileDialogMode::Save));
    if (!chosen || chosen->empty()) return Answer::Cancel;
    document.document_path = *chosen;
  }
  return Write(platform, session) ? Answer::Proceed : Answer::Cancel;
}

bool NewDocument(Platform& platform, Session& session, DocumentView& view) {
  CalendarDocument& document = session.document;
  if (ConfirmSave(platform, session) == Answer::Cancel) return false;
  const Date today = platform.Today();
  document.Clear(today.year, today.month);
  view.SetWindowTitle(WindowTitleFor(""));
  view.SetSaveEnabled(false);
  view.ReloadRows();
  view.ShowFirstTab();
  view.ShowYearMonth();
  Report report;
  session.TieMemo("", report);
  ShowReport(platform, report);
  session.MarkUnmodified();
  return true;
}

namespace {

// A named file that is missing is reported as the reading reports its own
// failures.
constexpr std::string_view kOpenTag = "ReadDscFile";

// The Open command once a file is named: a file that cannot be read changes
// nothing, so the open document keeps its name, its rows and its changes,
// and a later save cannot write them over the file that failed.
bool ReadNamedDocument(Platform& platform, Session& session, DocumentView& view, const std::string& path) {
  CalendarDocument& document = session.document;
  const std::string previous = document.document_path;
  document.document_path = path;
  Report report;
  BusyPointer busy;
  const bool read = ReadDscFile(document, session.settings, session.memo_text, platform.Today(), report);
  busy.Release();
  ShowReport(platform, report);
  if (!read) {
    document.document_path = previous;
    return false;
  }
  session.Notify(SessionChange::MemoTie);
  view.ShowFirstTab();
  view.SetWindowTitle(WindowTitleFor(document.document_path));
  view.SetSaveEnabled(false);
  view.ReloadRows();
  view.ShowYearMonth();
  session.MarkUnmodified();
  view.FocusTabs();
  return true;
}

}  // namespace

bool OpenDocument(Platform& platform, Session& session, DocumentView& view) {
  if (ConfirmSave(platform, session) == Answer::Cancel) return false;
  const auto chosen = platform.ChooseFile(DocumentDialog(session, FileDialogMode::Open));
  if (!chosen || chosen->empty()) return false;
  return ReadNamedDocument(platform, session, view, *chosen);
}

bool OpenDocumentAt(Platform& platform, Session& session, DocumentView& view, const std::string& path) {
  if (ConfirmSave(platform, session) == Answer::Cancel) return false;
  if (!Fs().FileExists(path)) {
    ShowErrorBox(platform, kOpenTag, NoFileError(path));
    return false;
  }
  return ReadNamedDocument(platform, session, view, path);
}

bool OpenSample(Platform& platform, Session& session, DocumentView& view, const std::string& sample_path) {
  if (!OpenDocumentAt(platform, session, view, sample_path)) return false;
  // A save would otherwise write over the program's own example.
  session.document.document_path.clear();
  view.SetWindowTitle(WindowTitleFor(""));
  view.SetSaveEnabled(false);
  session.MarkUnmodified();
  return true;
}

bool OpenImported(Platform& platform, Session& session, DocumentView& view, ImportedArea area) {
  if (ConfirmSave(platform, session) == Answer::Cancel) return false;
  const bool has_memo = !area.memo_text.empty();
  session.document = std::move(area.document);
  session.document.memo_unwritten = has_memo;
  session.memo_text = has_memo ? std::move(area.memo_text) : std::string(kNoMemoText);
  session.Notify(SessionChange::MemoTie);
  view.ShowFirstTab();
  view.SetWindowTitle(WindowTitleFor(""));
  view.SetSaveEnabled(false);
  view.ReloadRows();
  view.ShowYearMonth();
  session.MarkModified();
  view.FocusTabs();
  return true;
}

bool SaveDocument(Platform& platform, Session& session, DocumentView& view) {
  CalendarDocument& document = session.document;
  if (document.document_path.empty()) return false;
  if (!Write(platform, session)) {
    view.ShowYearMonth();  // a year or month that was not numeric is reset
    return false;          // the changes stay marked
  }
  session.MarkUnmodified();
  return true;
}

bool SaveDocumentAs(Platform& platform, Session& session, DocumentView& view) {
  CalendarDocument& document = session.document;
  const auto chosen = platform.ChooseFile(DocumentDialog(session, FileDialogMode::Save));
  if (!chosen || chosen->empty()) return false;
  const std::string previous = document.document_path;
  document.document_path = *chosen;
  if (!Write(platform, session)) {
    document.document_path = previous;  // the previous name, title and state stay
    view.ShowYearMonth();
    return false;
  }
  view.SetWindowTitle(std::string(kTitlePrefix) + "[" + FileNameOnDisk(document.document_path) + "]");
  view.SetSaveEnabled(false);
  session.MarkUnmodified();
  return true;
}

}  // namespace dustora
