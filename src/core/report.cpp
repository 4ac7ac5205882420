#include "core/report.h"

namespace dustora {

std::string ReportEntry::Text() const {
  if (!error) return message;
  return unexpected ? UnexpectedErrorMessage(tag, *error) : ErrorMessage(tag, *error);
}

std::string ReportEntry::Title() const {
  return error ? std::string(kErrorBoxTitle) : title;
}

void Report::Fail(std::string_view tag, Error error) {
  entries_.push_back({ReportKind::Error, std::string(tag), std::move(error), false, {}, {}});
}

void Report::FailUnexpectedly(std::string_view tag, Error error) {
  entries_.push_back({ReportKind::Error, std::string(tag), std::move(error), true, {}, {}});
}

void Report::Say(ReportKind kind, std::string message, std::string title) {
  entries_.push_back({kind, {}, std::nullopt, false, std::move(message), std::move(title)});
}

void Report::Append(const Report& other) {
  entries_.insert(entries_.end(), other.entries_.begin(), other.entries_.end());
}

}  // namespace dustora
