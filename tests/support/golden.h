// Golden files: a long byte expectation kept as a file beside the test.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace dustora::testing {

// Compares `actual` with the golden file at `path` byte for byte. On a
// difference it writes `actual` beside it as PATH.actual, to compare or to
// take over after a wanted change, and fails at the first differing byte.
inline void ExpectGolden(const std::string& actual, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const bool found = in.good();
  const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!found || actual != expected) {
    std::ofstream(path + ".actual", std::ios::binary) << actual;
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    ADD_FAILURE() << path << " differs at byte " << at << " (" << expected.size() << " bytes expected, "
                  << actual.size() << " written); what was written is in " << path << ".actual";
  }
}

}  // namespace dustora::testing
