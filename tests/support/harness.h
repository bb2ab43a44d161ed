// What the tests share: temporary folders, compressed data, catalog records
// built column by column, and runs of the built program checked against
// tables of cases.
#ifndef TESTS_SUPPORT_HARNESS_H
#define TESTS_SUPPORT_HARNESS_H

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "gtest/gtest.h"

using Args = std::vector<std::string>;
using Fields = std::vector<std::pair<int, std::string>>;  // first column (from 1), text
using Files = std::map<std::string, std::string>;        // name, content

// A temporary folder for one test, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  // A file or folder below the folder, parent folders made; its full path.
  std::string write(const std::string& name, const std::string& content) const;
  std::string mkdir(const std::string& name) const;

 private:
  std::string path_;
};
std::string read_file(const std::string& path);

// One gzip member, bzip2 stream (of 100 kB blocks) or xz stream, made by the
// compressor programs.
enum class Packing { kGzip, kBzip2, kXz };
std::string pack(Packing how, const std::string& data);
// The .Z form: 9-bit literal codes with a table reset every 200 bytes, which
// any decompressor of the format reads back.
std::string compress_z(const std::string& data);

struct RunResult {
  std::string out, err;
  int status;  // exit status, or 128 + signal number
};
struct RunSetup {
  std::string input;  // standard input
  Files env;          // variables set (LD_PRELOAD also quiets the sanitizer's link check)
  Args unset;         // variables removed
  std::string cwd, out_path;  // out_path: where standard output goes, uncaptured
  std::string program = CATSIEVE_BIN;
};
// Runs the program with argv[0] "catsieve".
RunResult run_catsieve(const Args& args, const RunSetup& setup = {});
RunResult run_catsieve(const Args& args, const std::string& input);

// A table-driven run.  The files are written to a temporary folder; "@name"
// in args, env and err stands for the path of file name.
struct CliCase {
  std::string name;
  Args args;
  Files files;
  std::string input, out, err;
  int status;
  Files env = {};
};
void PrintTo(const CliCase& c, std::ostream* os);
void check_case(const CliCase& c);  // checks both outputs and the status
// A case named by its arguments that writes out and says nothing.
CliCase quiet(const Args& args, const std::string& input, const std::string& out);

// What options do to the record rec after the lines lead: those in pass
// select it, those in fail reject it, those in ends stop the run at it with
// ends_message (each skipped when empty).  format goes first.
void check_record_options(const Args& format, const std::string& lead, const std::string& rec,
                          const Args& pass, const Args& fail, const Args& ends,
                          const std::string& ends_message, const std::string& label = "");

// A record of the given width filled with fill, the texts of base and then
// of changes placed at their columns, and a newline; it grows to hold its
// last text.  The readers' tests fill the columns they do not read and put
// fields side by side, so that a field read one column off changes value.
std::string record(size_t width, const Fields& base, const Fields& changes = {},
                   char fill = ' ');
// An old-layout tarn record at yymmddhhmm[ssss] at 37 45 N 122 30 W, with a
// tag in columns 50-67, which no reader looks at, and an event type.
std::string tarn(const std::string& when, const std::string& tag = "",
                 const std::string& type = "E");
inline const std::string kOld = tarn("95010112301525");
inline const std::string kY2k = record(0, {{1, "200305061230152537 4500122 3000"}, {81, "E"}});

Args w(const std::string& text);  // the words of text, split at single spaces; none if empty
Args operator+(Args a, const Args& b);
std::string joined(const Args& args);  // each argument after a space

#endif
