// What the fuzz targets share: running the whole program in-process on an
// argument vector, with its exits turned into returns.
#ifndef FUZZ_FUZZ_SUPPORT_H
#define FUZZ_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Sends standard output of the program to /dev/null and standard input
// from it, makes an empty temporary folder and unsets the catalog
// variables.  (libFuzzer's -close_fd_mask=2 silences standard error.)
void fuzz_setup();
extern const char* fuzz_empty_dir;

// Runs the program on the words (the program name is added); returns the
// exit status.
int run_program(const std::vector<std::string>& words);

// An in-memory file holding data, named by a path the program can open.
struct MemFile {
  int fd;
  std::string path;
  explicit MemFile(const uint8_t* data, size_t size);
  ~MemFile();
};

// Reads bytes off the front of the fuzz input.
struct Bytes {
  const uint8_t* p;
  size_t n;
  uint8_t take() {
    if (!n) return 0;
    --n;
    return *p++;
  }
  // A decimal number word between lo and hi.
  std::string number(double lo, double hi);
  // A word of up to max letters from the alphabet.
  std::string letters(const char* alphabet, size_t max);
};

#endif
