// Runs the built catsieve program and captures what it did, so that a
// command-line test case is a few lines: arguments, input, expected output,
// expected messages and exit status.
#ifndef TESTS_SUPPORT_CLI_HARNESS_H
#define TESTS_SUPPORT_CLI_HARNESS_H

#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using Args = std::vector<std::string>;
using Fields = std::vector<std::pair<int, std::string>>;

struct RunResult {
  std::string out, err;
  int status;  // exit status, or 128 + signal number
};

struct RunSetup {
  std::string input;  // standard input
  // Environment changes: a value sets the variable; unset lists the
  // variables to remove.
  std::map<std::string, std::string> env;
  Args unset;
  std::string cwd;
  std::string out_path;  // where standard output goes, instead of a capture file
  std::string program = CATSIEVE_BIN;  // the executable to run
};

// Runs the program with argv[0] "catsieve" and the given arguments.
RunResult run_catsieve(const Args& args, const RunSetup& setup = {});
RunResult run_catsieve(const Args& args, const std::string& input);

// A table-driven case.  Arguments of the form @name, and "@name " in err,
// stand for the file of that name, written from files into a temporary
// folder for the run.
struct CliCase {
  std::string name;
  Args args;
  std::vector<std::pair<std::string, std::string>> files;
  std::string input, out, err;
  int status;
};
void PrintTo(const CliCase& c, std::ostream* os);
// Runs a case and checks standard output, standard error and exit status.
void check_case(const CliCase& c);
// A case named by its arguments: the input, what it writes, nothing said,
// status 0.
CliCase quiet(const Args& args, const std::string& input, const std::string& out);

// What options do to one record, given after the leading lines: those in
// pass select it, those in fail reject it, and those in ends stop the run at
// it with the message ends_message (each left out when empty).  The format
// options go first; what the run writes to both outputs is compared.
void check_record_options(const Args& format, const std::string& lead, const std::string& rec,
                          const Args& pass, const Args& fail, const Args& ends,
                          const std::string& ends_message, const std::string& label = "");

// A catalog record of the given width, blank but for the texts placed at
// their first columns (counted from 1), followed by a newline unless
// newline is false.  A width of 0 ends the record after its last text.
std::string record(size_t width, const Fields& fields, bool newline = true);
// A record of the given width filled with fill, the fields of base placed,
// then those of changes over them, and a newline.  The readers' tests fill
// every column they do not read, and put fields side by side, so that a
// field read one column off, too wide or too narrow changes its value.
std::string record(size_t width, const Fields& base, const Fields& changes, char fill = ' ');

// The words of text, which are separated by single spaces.
Args w(const std::string& text);
Args operator+(Args a, const Args& b);
// The arguments, each after a space: the name of a case.
std::string joined(const Args& args);

#endif
