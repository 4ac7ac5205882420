// What a routine has to say besides its result: the entries that the
// windows show as message boxes and dustora-cli prints as lines. Routines
// below the windows add to a report instead of showing anything, and go on
// where they went on before.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"

namespace dustora {

// Information: something the user should know (the work went on as asked).
// Warning: something did not work, and the work went on without it.
// Error: what was asked failed, or part of it was left out.
enum class ReportKind { Information, Warning, Error };

struct ReportEntry {
  ReportKind kind = ReportKind::Error;
  // A routine's failure: the common error box of `tag` with the error's
  // number and text ("想定外" wording when unexpected).
  std::string tag;
  std::optional<Error> error;
  bool unexpected = false;
  // Otherwise a message of its own under a title.
  std::string message;
  std::string title;

  // The text and title of the box that shows the entry.
  [[nodiscard]] std::string Text() const;
  [[nodiscard]] std::string Title() const;
};

class Report {
 public:
  // The common error box of a routine ("エラーが発生しました(tag)").
  void Fail(std::string_view tag, Error error);
  // The box of an unexpected failure ("ご迷惑をおかけしています.(tag)").
  void FailUnexpectedly(std::string_view tag, Error error);
  // A message of its own.
  void Say(ReportKind kind, std::string message, std::string title);
  // The entries of another report, after these.
  void Append(const Report& other);

  [[nodiscard]] bool empty() const { return entries_.empty(); }
  [[nodiscard]] const std::vector<ReportEntry>& entries() const { return entries_; }

 private:
  std::vector<ReportEntry> entries_;
};

}  // namespace dustora
