#include <unistd.h>

#include <chrono>
#include <iostream>

#include "app/cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  dustora::CliHost host;
  host.today = dustora::LocalToday();
  host.now_utc =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  host.environment = dustora::ProcessEnvironment();
  host.terminal = isatty(STDERR_FILENO) == 1;
  return dustora::CliMain(args, std::cout, std::cerr, host);
}
