// --strict: the mode in which every mistake that the classic rules pass over
// in silence is reported.  A bad argument ends the run at once, before any
// input is read; a bad input is reported, the other inputs are still read,
// and the run then ends with status 1.
#ifndef CATSIEVE_STRICT_H
#define CATSIEVE_STRICT_H

namespace catsieve {

extern bool strict_mode;

// The two-dash word that turns the mode on.
extern const char* const kStrictWord;

// Whether the word --strict stands anywhere on the command line: the mode
// must hold for the options before it as well.
bool strict_requested(int argc, char** argv);
// Switches the mode on or off for the run, forgetting what an earlier run
// noted.
void set_strict_mode(bool on);

// Handler of --strict: the mode is already on, since the driver looks for
// the word before it reads the options.
void qstrict();

// Called by the driver with the name of each option before its handler
// runs: the table row's name for a classic option, else the word.
void strict_option_start(const char* name);
// The name of the option being read, without the padding of its table row;
// empty outside the options.
const char* strict_option();

// "<progname>: <message>" on standard error, then exit status 1.
[[noreturn]] void strict_bad_argument(const char* format, ...)
    __attribute__((format(printf, 1, 2)));
// "<progname>: <message>" on standard error; the run ends with status 1
// after its last input.
void strict_bad_input(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The name of the input being read, for messages: a file name or
// "standard input".
extern const char* strict_input;

// An input whose first line shows another tarn layout ("old" or "Y2K" is
// the layout of the first input): reported, and the input is not read.
void strict_wrong_layout(const char* layout);
// After an input has been read and closed: a read error that ended it, and
// for a compressed input the decompressor's wait status.
void strict_input_done(int read_error, bool piped, int wait_status);
// An entry of the installed catalog that the walk passes over.
void strict_catalog_skipped(const char* path, const char* why);

// Exit status of a run that read all its inputs: 1 after a bad input.
int strict_exit_status();

}  // namespace catsieve

#endif
