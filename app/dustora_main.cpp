#include "ui/startup.h"

int main(int argc, char** argv) {
  return dustora::RunProgram(argc, argv);
}
