#include <iostream>

#include "app/cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return dustora::CliMain(args, std::cout, std::cerr, dustora::LocalToday(), dustora::ProcessEnvironment());
}
