#include "fuzz_support.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/args.h"
#include "cli/command.h"
#include "document_check.h"
#include "outputs/messages.h"
#include "outputs/sink.h"

const char* fuzz_empty_dir = "/nonexistent";

void fuzz_setup() {
  static bool done = false;
  if (done) return;
  done = true;
  int null = ::open("/dev/null", O_RDWR);
  ::dup2(null, 0);
  ::dup2(null, 1);
  static char dir[] = "/tmp/catsieve-fuzz-XXXXXX";
  if (::mkdtemp(dir)) fuzz_empty_dir = dir;
  for (const char* key : {"LODECATDIR", "LODEMECHDIR", "ORVCATDIR", "BRIMCATDIR", "FULLBRIMCATDIR",
                          "KELPCATDIR"})
    ::unsetenv(key);
}

namespace {

// What was wrong, the words of the run and what it wrote go to standard
// error; the process ends.
[[noreturn]] void broken_document(const char* form, int status, const std::string& fault,
                                  const std::vector<std::string>& words,
                                  const std::string& output) {
  std::fprintf(stderr, "%s output (exit status %d) is no whole document: %s\nof:", form, status,
               fault.c_str());
  for (const auto& w : words) std::fprintf(stderr, " '%s'", w.c_str());
  std::fprintf(stderr, "\n");
  std::fwrite(output.data(), 1, output.size(), stderr);
  std::abort();
}

}  // namespace

int run_program(const std::vector<std::string>& words) {
  std::vector<std::string> keep = words;
  keep.insert(keep.begin(), "catsieve");
  std::vector<char*> argv;
  for (auto& w : keep) argv.push_back(&w[0]);
  argv.push_back(nullptr);
  const int argc = static_cast<int>(keep.size());
  // The form the words choose, read as the run reads them.
  catsieve::Parsed parsed = catsieve::parse_args(argc, argv.data());
  const catsieve::Form* form = parsed.config.request.form;
  catsieve::MemorySink out;
  catsieve::StringMessages messages("catsieve");
  const std::string no_input;
  int status = catsieve::run_command(argc, argv.data(), out, messages,
                                     catsieve::Input::standard_input(no_input));
  if (parsed.run && form) {
    std::string fault = document_fault(form->name, out.bytes());
    if (!fault.empty()) broken_document(form->name, status, fault, keep, out.bytes());
  }
  return status;
}

MemFile::MemFile(const uint8_t* data, size_t size) {
  fd = ::memfd_create("catalog", 0);
  size_t off = 0;
  while (off < size) {
    ssize_t put = ::write(fd, data + off, size - off);
    if (put <= 0) break;
    off += static_cast<size_t>(put);
  }
  path = "/proc/self/fd/" + std::to_string(fd);
}

MemFile::~MemFile() { ::close(fd); }

uint32_t Bytes::bits() {
  uint32_t v = 0;
  for (int shift = 0; shift < 32; shift += 8) v |= static_cast<uint32_t>(take()) << shift;
  return v;
}

std::string Bytes::number(double lo, double hi) {
  unsigned v = take() | (take() << 8);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.4f", lo + (hi - lo) * v / 65535.0);
  return buf;
}

std::string Bytes::letters(const char* alphabet, size_t max) {
  size_t len = take() % (max + 1);
  size_t na = std::strlen(alphabet);
  std::string s;
  for (size_t i = 0; i < len; ++i) s += alphabet[take() % na];
  return s;
}
