#include "fuzz_support.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/command.h"

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

int run_program(const std::vector<std::string>& words) {
  std::vector<std::string> keep = words;
  keep.insert(keep.begin(), "catsieve");
  std::vector<char*> argv;
  for (auto& w : keep) argv.push_back(&w[0]);
  argv.push_back(nullptr);
  return catsieve::run_command(static_cast<int>(keep.size()), argv.data());
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
