#include "support/cli_harness.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "gtest/gtest.h"
#include "support/temp_dir.h"

RunResult run_catsieve(const Args& args, const RunSetup& setup) {
  TempDir io;
  std::string in = io.write("stdin", setup.input);
  std::string out = io.path() + "/stdout";
  std::string err = io.path() + "/stderr";

  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    const std::string& to = setup.out_path.empty() ? out : setup.out_path;
    const int fds[] = {::open(in.c_str(), O_RDONLY), ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644),
                       ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)};
    for (int i = 0; i < 3; ++i)
      if (fds[i] < 0 || ::dup2(fds[i], i) < 0) ::_exit(126);
    for (const auto& kv : setup.env) ::setenv(kv.first.c_str(), kv.second.c_str(), 1);
    for (const auto& name : setup.unset) ::unsetenv(name.c_str());
    if (!setup.cwd.empty() && ::chdir(setup.cwd.c_str()) != 0) ::_exit(126);
    static char name[] = "catsieve";
    std::vector<char*> argv = {name};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(setup.program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  return {setup.out_path.empty() ? read_file(out) : "", read_file(err),
          WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)};
}

RunResult run_catsieve(const Args& args, const std::string& input) {
  RunSetup setup;
  setup.input = input;
  return run_catsieve(args, setup);
}

void PrintTo(const CliCase& c, std::ostream* os) { *os << c.name; }

void check_case(const CliCase& c) {
  TempDir dir;
  std::map<std::string, std::string> paths;
  for (const auto& f : c.files) paths[f.first] = dir.write(f.first, f.second);
  Args args;
  for (const auto& a : c.args)
    args.push_back(a.size() > 1 && a[0] == '@' && paths.count(a.substr(1)) ? paths[a.substr(1)] : a);
  std::string err = c.err;
  for (const auto& p : paths)
    for (size_t at; (at = err.find("@" + p.first + " ")) != std::string::npos;)
      err.replace(at, p.first.size() + 1, p.second);
  RunResult r = run_catsieve(args, c.input);
  EXPECT_EQ(r.out, c.out) << c.name;
  EXPECT_EQ(r.err + std::to_string(r.status), err + std::to_string(c.status)) << c.name;
}

void check_record_options(const Args& format, const std::string& lead, const std::string& rec,
                          const Args& pass, const Args& fail, const Args& ends,
                          const std::string& ends_message, const std::string& label) {
  auto expect = [&](const Args& options, const std::string& want) {
    if (options.empty()) return;
    Args args = format;
    args.insert(args.end(), options.begin(), options.end());
    RunResult r = run_catsieve(args, lead + rec);
    EXPECT_EQ(r.out + r.err, want) << label << ::testing::PrintToString(args);
  };
  expect(pass, rec);
  expect(fail, "");
  expect(ends, ends_message);
}

std::string record(size_t width, const Fields& base, const Fields& changes, char fill) {
  std::string r(width, fill);
  for (const Fields* fs : {&base, &changes})
    for (const auto& f : *fs) {
      size_t at = static_cast<size_t>(f.first - 1);
      if (r.size() < at + f.second.size()) r.resize(at + f.second.size(), fill);
      r.replace(at, f.second.size(), f.second);
    }
  return r + "\n";
}

std::string record(size_t width, const Fields& fields, bool newline) {
  std::string r = record(width, fields, Fields{});
  if (!newline) r.pop_back();
  return r;
}

Args w(const std::string& text) {
  Args words;
  for (size_t at = 0, end; at <= text.size(); at = end + 1) {
    end = std::min(text.find(' ', at), text.size());
    words.push_back(text.substr(at, end - at));
  }
  return words;
}

Args operator+(Args a, const Args& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string joined(const Args& args) {
  std::string s;
  for (const auto& a : args) s += " " + a;
  return s;
}

CliCase quiet(const Args& args, const std::string& input, const std::string& out) {
  return {joined(args), args, {}, input, out, "", 0};
}
