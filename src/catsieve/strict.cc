// The strict mode: its switch, the option being read and the two kinds of
// message.
#include "catsieve/strict.h"

#include <sys/wait.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "catsieve/file_utils.h"
#include "catsieve/strict_args.h"
#include "util/cmd_opt.h"
#include "util/qerror.h"
#include "util/quit.h"

namespace catsieve {

bool strict_mode = false;
const char* const kStrictWord = "--strict";
const char* strict_input = "standard input";

namespace {

bool input_failed = false;
bool input_rejected = false;
std::string option_name;

void message(const char* format, va_list args) {
  std::fprintf(stderr, "%s: ", util::progname ? util::progname : "catsieve");
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
}

}  // namespace

bool strict_requested(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], kStrictWord) == 0) return true;
  return false;
}

void set_strict_mode(bool on) {
  strict_mode = on;
  input_failed = false;
  input_rejected = false;
  strict_input = "standard input";
  option_name.clear();
  catalog_skipped = on ? strict_catalog_skipped : nullptr;
  strict_forget_options();
  util::narg_check = on ? strict_check_number : nullptr;
}

void qstrict() {}

void strict_option_start(const char* name) {
  if (!strict_mode) return;
  option_name = name;
  option_name.erase(option_name.find_last_not_of(' ') + 1);
  strict_note_option(option_name.c_str());
}

const char* strict_option() { return option_name.c_str(); }

void strict_bad_argument(const char* format, ...) {
  va_list args;
  va_start(args, format);
  message(format, args);
  va_end(args);
  util::quit(1);
}

void strict_bad_input(const char* format, ...) {
  va_list args;
  va_start(args, format);
  message(format, args);
  va_end(args);
  input_failed = true;
}

void strict_wrong_layout(const char* layout) {
  strict_bad_input("%s is not in the %s layout of the first input: not read", strict_input,
                   layout);
  input_rejected = true;
}

void strict_input_done(int read_error, bool piped, int wait_status) {
  if (!strict_mode) return;
  if (read_error)
    strict_bad_input("read error on %s: %s", strict_input, std::strerror(read_error));
  // An input left unread ends its decompressor early.
  if (piped && !input_rejected) {
    if (WIFEXITED(wait_status) && WEXITSTATUS(wait_status) != 0)
      strict_bad_input("uncompress failed on %s (exit status %d)", strict_input,
                       WEXITSTATUS(wait_status));
    else if (WIFSIGNALED(wait_status))
      strict_bad_input("uncompress failed on %s (signal %d)", strict_input,
                       WTERMSIG(wait_status));
  }
  input_rejected = false;
}

void strict_catalog_skipped(const char* path, const char* why) {
  strict_bad_input("installed catalog: %s not read (%s)", path, why);
}

int strict_exit_status() { return strict_mode && input_failed ? 1 : 0; }

}  // namespace catsieve
