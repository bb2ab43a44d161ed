// What the tests share: temporary folders, packed data, records and runs of the program.
#ifndef TESTS_SUPPORT_HARNESS_H
#define TESTS_SUPPORT_HARNESS_H

#include <map>
#include <string>
#include <vector>

#include "gtest/gtest.h"

using Args = std::vector<std::string>;
using Fields = std::vector<std::pair<int, std::string>>;  // first column (from 1), text
using Files = std::map<std::string, std::string>;        // name, content

// A temporary folder, removed with everything in it.  write makes a file below it, and its parent
// folders; it returns the full path.
struct TempDir {
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  std::string write(const std::string& name, const std::string& content) const;
  std::string path_;
};
std::string read_file(const std::string& path);

// One gzip member, bzip2 stream (100 kB blocks) or xz stream, from the programs.
enum class Packing { kGzip, kBzip2, kXz };
std::string pack(Packing how, const std::string& data);
// The .Z form: 9-bit literal codes, the table reset every 200 bytes.
std::string compress_z(const std::string& data);

struct RunResult { std::string out, err; int status; };  // status: exit status or 128 + signal
struct RunSetup {
  std::string input = "";  // standard input
  Files env = {};          // variables set
  std::string cwd = "", out_path = "";  // out_path: where standard output goes, uncaptured
  std::string program = CATSIEVE_BIN;
};
RunResult run_catsieve(const Args& args, const RunSetup& setup = {});  // argv[0] "catsieve"
inline RunResult run_catsieve(const Args& args, const std::string& input) {
  return run_catsieve(args, RunSetup{input});
}

// A run from a table, checked for both outputs and the status.  The files are written to a
// temporary folder; "@name" in args, env and err is the path of name.
struct CliCase {
  std::string name; Args args; Files files; std::string input, out, err; int status; Files env = {};
};
void check_case(const CliCase& c);
// A case named by its arguments that writes out and says nothing.
CliCase quiet(const Args& args, const std::string& input, const std::string& out);
// The options in pass select the record rec after the lines lead, those in fail reject it, those
// in ends stop the run at it with ends_message (each skipped when empty).
void check_record_options(const std::string& format, const std::string& lead,
                          const std::string& rec, const std::string& pass,
                          const std::string& fail, const std::string& ends,
                          const std::string& ends_message, const std::string& label = "");

// A record of width characters of fill, then the texts of base and changes at their columns, grown
// to hold the last, and a newline.  The readers' dense records make a field read off a column show.
std::string record(size_t width, const Fields& base, const Fields& changes = {},
                   char fill = ' ');
// An old-layout tarn record at yymmddhhmm[ssss], at 37 45 N 122 30 W, with a tag in columns 50-67,
// which no reader looks at, and an event type.
std::string tarn(const std::string& when, const std::string& tag = "",
                 const std::string& type = "E");
inline const std::string kOld = tarn("95010112301525");
inline const std::string kY2k = record(0, {{1, "200305061230152537 4500122 3000"}, {81, "E"}});

Args w(const std::string& text);       // the words of text
std::string joined(const Args& args);  // each argument after a space
template <typename T>
std::vector<T> operator+(std::vector<T> a, const std::vector<T>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

#endif
