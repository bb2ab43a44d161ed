// Preloaded, fails reads after CATSIEVE_FAULT_READ bytes (EIO; only of file CATSIEVE_FAULT_PATH
// when set), writes to standard output from the CATSIEVE_FAULT_WRITE-th on (ENOSPC) and reads of
// directories after CATSIEVE_FAULT_READDIR entries (EIO).
#include <dirent.h>
#include <dlfcn.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

long setting(const char* name) {  // -1 when unset
  const char* v = std::getenv(name);
  return v ? std::atol(v) : -1;
}

template <typename Fn>
Fn next(const char* name) { return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name)); }

bool write_fails(int fd) {
  static const long from = setting("CATSIEVE_FAULT_WRITE");
  static long writes = 0;
  if (fd != STDOUT_FILENO || from <= 0 || ++writes < from) return false;
  errno = ENOSPC;
  return true;
}

}  // namespace

extern "C" ssize_t read(int fd, void* buf, size_t n) {
  static const auto real = next<ssize_t (*)(int, void*, size_t)>("read");
  static long left = setting("CATSIEVE_FAULT_READ");
  static const char* only = std::getenv("CATSIEVE_FAULT_PATH");
  char path[4096] = "";
  if (only && readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path - 1) < 0)
    path[0] = 0;
  if (left < 0 || (only && std::strcmp(path, only) != 0)) return real(fd, buf, n);
  if (left == 0) return errno = EIO, -1;
  ssize_t got = real(fd, buf, std::min(n, static_cast<size_t>(left)));
  if (got > 0) left -= got;
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

extern "C" struct dirent* readdir(DIR* d) {
  static const auto real = next<struct dirent* (*)(DIR*)>("readdir");
  static long left = setting("CATSIEVE_FAULT_READDIR");
  if (left < 0) return real(d);
  if (left == 0) return errno = EIO, nullptr;
  --left;
  return real(d);
}
