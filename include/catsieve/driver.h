// The run driver: start-up, options, format choice and the input loop.
#ifndef CATSIEVE_DRIVER_H
#define CATSIEVE_DRIVER_H

namespace catsieve {

// Format and layout codes of input_format.
enum InputFormat {
  kTarnUnknown = 0,
  kTarnY2k = 1,
  kTarnOld = 2,
  kMechUnknown = 3,
  kMechY2k = 4,
  kMechOld = 5,
  kOrv = 6,
  kBrim = 7,
  kKelp = 8,
  kFullBrim = 9,
};

extern int input_format;
extern int search_catalog;
extern int verbose;
// Some input could not be read whole: the run ends with status 1 once its
// last input has been read.
extern bool input_failed;

// Hemisphere characters by which the tarn layouts are recognised.
extern const char* const tarn_dir_chars;

void format_work(const char* name);
void qformat();
void qcat();
void qverbose();

// Every setting of the run back to its start value.
void reset_run();

// The whole run; never returns.
[[noreturn]] void run(int argc, char** argv);

}  // namespace catsieve

#endif
