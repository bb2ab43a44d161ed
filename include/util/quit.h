// The one way the program ends a run early.
#ifndef UTIL_QUIT_H
#define UTIL_QUIT_H

namespace util {

// Thrown instead of exiting in the fuzzing build, so that one process can
// run the program over and over.
struct Quit {
  int status;
};

// Ends the run with the exit status; output already buffered is written.
[[noreturn]] void quit(int status);

}  // namespace util

#endif
