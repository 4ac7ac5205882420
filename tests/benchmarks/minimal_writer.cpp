// The floor for dustora-cli: a program linked with ICU like it that only
// writes given bytes to a path with the same atomic replace.
#include <cstdio>
#include <string>

#include "core/encoding.h"
#include "core/filesystem.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const auto bytes = dustora::Fs().ReadFile(argv[1]);
  if (!bytes.ok()) return 1;
  // Touch the converter once, as the renderer does.
  if (dustora::sjis::Decode("\x82\xa0").empty()) return 1;
  return dustora::Fs().ReplaceFile(argv[2], *bytes.value) ? 1 : 0;
}
