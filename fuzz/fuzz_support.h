// What the fuzz targets share: running the whole program in-process on an
// argument vector, with its exits turned into returns and its output
// checked.
#ifndef FUZZ_FUZZ_SUPPORT_H
#define FUZZ_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Sends standard output to /dev/null and standard input from it, makes an
// empty temporary folder and unsets the catalog variables.
void fuzz_setup();
extern const char* fuzz_empty_dir;

// Runs the program on the words (the program name is added), its output
// and messages kept in memory and standard input empty; returns the exit
// status.  When the words make a run in one of the output forms, what it
// wrote must be a whole document of that form, whatever ended the run:
// else the fault goes to standard error and the process aborts, for
// libFuzzer to keep the input.
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
  // Four bytes as 32 bits, the first the lowest.
  uint32_t bits();
  // A decimal number word between lo and hi.
  std::string number(double lo, double hi);
  // A word of up to max letters from the alphabet.
  std::string letters(const char* alphabet, size_t max);
};

#endif
