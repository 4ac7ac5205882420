// What a shell command writes to its standard output.
#pragma once

#include <cstdio>
#include <string>

namespace dustora::testing {

inline std::string CommandOutput(const std::string& command) {
  std::string output;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    ::pclose(pipe);
  }
  return output;
}

}  // namespace dustora::testing
