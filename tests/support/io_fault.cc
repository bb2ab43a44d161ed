// Makes the program's reads and writes fail on request, for the tests of
// how it reports them.  Loaded with LD_PRELOAD; the environment says what
// fails:
//   CATSIEVE_FAULT_READ=n   reads deliver n bytes in all, then fail (EIO)
//   CATSIEVE_FAULT_PATH=p   only reads of the file p do so
//   CATSIEVE_FAULT_WRITE=k  writes to standard output fail from the k-th
//                           on (ENOSPC)
#include <dlfcn.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr long kUnset = -1;
constexpr long kNotLooked = -2;

long setting(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::atol(v) : kUnset;
}

long read_left = kNotLooked;
long writes = 0;

template <typename Fn>
Fn next(const char* name) {
  return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

bool write_fails(int fd) {
  if (fd != STDOUT_FILENO) return false;
  static const long from = setting("CATSIEVE_FAULT_WRITE");
  if (from <= 0 || ++writes < from) return false;
  errno = ENOSPC;
  return true;
}

}  // namespace

extern "C" ssize_t read(int fd, void* buf, size_t n) {
  static const auto real = next<ssize_t (*)(int, void*, size_t)>("read");
  if (read_left == kNotLooked) read_left = setting("CATSIEVE_FAULT_READ");
  static const char* only = std::getenv("CATSIEVE_FAULT_PATH");
  char path[4096] = "";
  if (only && readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path - 1) < 0) path[0] = 0;
  if (read_left == kUnset || (only && std::strcmp(path, only) != 0)) return real(fd, buf, n);
  if (read_left == 0) {
    errno = EIO;
    return -1;
  }
  if (n > static_cast<size_t>(read_left)) n = static_cast<size_t>(read_left);
  ssize_t got = real(fd, buf, n);
  if (got > 0) read_left -= got;
  return got;
}

extern "C" ssize_t write(int fd, const void* buf, size_t n) {
  static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
  return write_fails(fd) ? -1 : real(fd, buf, n);
}

extern "C" ssize_t writev(int fd, const struct iovec* v, int count) {
  static const auto real = next<ssize_t (*)(int, const struct iovec*, int)>("writev");
  return write_fails(fd) ? -1 : real(fd, v, count);
}
