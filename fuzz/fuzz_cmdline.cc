// Arbitrary argument vectors through the option reader and every handler:
// the input is split into words at NUL bytes.
#include <string>
#include <vector>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_setup();
  std::vector<std::string> words(1);
  for (size_t i = 0; i < size && words.size() < 80; ++i) {
    if (data[i] == 0) words.emplace_back();
    else words.back() += static_cast<char>(data[i]);
  }
  // File names stay relative to the working folder: the program must not
  // wander off to read the machine's devices and files.
  for (auto& w : words)
    if (w.find('/') != std::string::npos) w = "no-such-file";
  run_program(words);
  return 0;
}
