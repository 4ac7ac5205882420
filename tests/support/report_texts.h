// The texts of a report's boxes, in order, for tests that compare them.
#pragma once

#include <string>
#include <vector>

#include "core/report.h"

namespace dustora::testing {

inline std::vector<std::string> Texts(const Report& report) {
  std::vector<std::string> texts;
  for (const ReportEntry& entry : report.entries()) texts.push_back(entry.Text());
  return texts;
}

// A report nobody reads, for a call whose result says enough:
// WriteAtExit(session, testing::Unread()).
class Unread {
 public:
  operator Report&() { return report_; }  // NOLINT: converts

 private:
  Report report_;
};

}  // namespace dustora::testing
