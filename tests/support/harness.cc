#include "support/harness.h"

#include "cli/command.h"
#include "engine/search.h"
#include "outputs/messages.h"
#include "outputs/sink.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

TempDir::TempDir() : path_(fs::temp_directory_path() / "catsieve-test-XXXXXX") {
  if (!::mkdtemp(&path_[0])) throw std::runtime_error("mkdtemp failed");
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
  std::string full = path_ + "/" + name;
  fs::create_directories(fs::path(full).parent_path());
  if (!(std::ofstream(full, std::ios::binary) << content)) throw std::runtime_error(full);
  return full;
}

std::string read_file(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

std::string pack(Packing how, const std::string& data) {
  static const char* const kCommand[] = {"gzip -c", "bzip2 -1 -c", "xz -0 -c"};
  TempDir dir;
  std::string in = dir.write("in", data), out = dir.path() + "/out";
  std::string command = kCommand[static_cast<int>(how)] + (" '" + in + "' > '" + out + "'");
  if (std::system(command.c_str()) != 0) throw std::runtime_error(command);
  return read_file(out);
}

std::string compress_z(const std::string& data) {
  std::vector<unsigned> codes;  // after a table reset (256) the reader skips to a group of 8
  for (size_t i = 0; i < data.size(); ++i) {
    if (i > 0 && i % 200 == 0) codes.push_back(256), codes.resize((codes.size() + 7) / 8 * 8);
    codes.push_back(static_cast<unsigned char>(data[i]));
  }
  std::string out("\x1f\x9d\x90", 3);  // magic number; block mode, codes of up to 16 bits
  size_t bit = out.size() * 8;
  out.resize(out.size() + (codes.size() * 9 + 7) / 8);
  for (unsigned code : codes)
    for (int i = 0; i < 9; ++i, ++bit)
      if (code >> i & 1) out[bit / 8] = static_cast<char>(out[bit / 8] | 1 << bit % 8);
  return out;
}

// The command run in this process, on the given standard input, its output and messages in memory.
static RunResult run_in_process(const Args& args, const std::string& input) {
  std::vector<std::string> words = {"catsieve"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(&word[0]);
  argv.push_back(nullptr);
  catsieve::MemorySink out;
  catsieve::StringMessages messages("catsieve");
  int status = catsieve::run_command(static_cast<int>(words.size()), argv.data(), out, messages,
                                     catsieve::Input::standard_input(input));
  return {out.bytes(), messages.text(), status};
}

RunResult run_catsieve(const Args& args, const RunSetup& setup) {
  // What needs no process of its own runs in this one.
  if (setup.env.empty() && setup.cwd.empty() && setup.out_path.empty() &&
      setup.program == CATSIEVE_BIN)
    return run_in_process(args, setup.input);
  TempDir io;
  std::string in = io.write("stdin", setup.input), out = io.path_ + "/out", err = io.path_ + "/err";
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    const std::string& to = setup.out_path.empty() ? out : setup.out_path;
    const int fds[] = {::open(in.c_str(), O_RDONLY),
                       ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644),
                       ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)};
    for (int i = 0; i < 3; ++i)
      if (fds[i] < 0 || ::dup2(fds[i], i) < 0) ::_exit(126);
    if (setup.env.count("LD_PRELOAD")) ::setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
    for (const auto& [name, value] : setup.env) ::setenv(name.c_str(), value.c_str(), 1);
    if (!setup.cwd.empty() && ::chdir(setup.cwd.c_str()) != 0) ::_exit(126);
    const rlimit cap{1 << 28, 1 << 28};  // a run gone wild ends at 256 MiB of output
    ::setrlimit(RLIMIT_FSIZE, &cap);
    std::vector<char*> argv = {const_cast<char*>("catsieve")};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(setup.program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) continue;
  return {setup.out_path.empty() ? read_file(out) : "", read_file(err),
          WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)};
}

// text with each "@name" replaced by the path of the longest file name that fits.
static std::string expand(const std::string& text, const Files& paths) {
  std::string s;
  for (size_t i = 0; i < text.size(); ++i) {
    const std::string* path = nullptr;
    size_t len = 0;
    for (const auto& [name, full] : paths)
      if (text[i] == '@' && name.size() > len && !text.compare(i + 1, name.size(), name))
        path = &full, len = name.size();
    s += path ? *path : text.substr(i, 1);
    i += len;
  }
  return s;
}

void check_case(const CliCase& c) {
  TempDir dir;
  Files paths;
  for (const auto& [name, content] : c.files) paths[name] = dir.write(name, content);
  RunSetup setup{c.input};
  for (const auto& [name, value] : c.env) setup.env[name] = expand(value, paths);
  Args args;
  for (const auto& a : c.args) args.push_back(expand(a, paths));
  RunResult r = run_catsieve(args, setup);
  EXPECT_EQ(r.out, c.out) << c.name;
  EXPECT_EQ(r.err + std::to_string(r.status), expand(c.err, paths) + std::to_string(c.status))
      << c.name;
}

CliCase quiet(const Args& args, const std::string& input, const std::string& out) {
  return {joined(args), args, {}, input, out, "", 0};
}

void check_record_options(const std::string& format, const std::string& lead,
                          const std::string& rec, const std::string& pass,
                          const std::string& fail, const std::string& ends,
                          const std::string& ends_message, const std::string& label) {
  for (const auto& [options, want] : {std::pair{pass, rec}, {fail, ""}, {ends, ends_message}})
    if (!options.empty()) {
      RunResult r = run_catsieve(w(format + " " + options), lead + rec);
      EXPECT_EQ(r.out + r.err, want) << label << " " << format << " " << options;
    }
}

std::string record(size_t width, const Fields& base, const Fields& changes, char fill) {
  std::string r(width, fill);
  for (const Fields* fs : {&base, &changes})
    for (const auto& [col, text] : *fs) {
      size_t at = static_cast<size_t>(col - 1);
      if (r.size() < at + text.size()) r.resize(at + text.size(), fill);
      r.replace(at, text.size(), text);
    }
  return r + "\n";
}

std::string tarn(const std::string& when, const std::string& tag, const std::string& type) {
  return record(80, {{1, when}, {15, "37 4500122 3000"}, {50, tag}, {77, type}});
}

Args w(const std::string& text) {
  Args words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string joined(const Args& args) {
  std::string s;
  for (const auto& a : args) s += " " + a;
  return s;
}
