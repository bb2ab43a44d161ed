// Opening catalog inputs and cutting them into records.
#include "catsieve/stream.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "catsieve/decompress.h"
#include "catsieve/driver.h"
#include "catsieve/output.h"
#include "catsieve/read_ahead.h"
#include "catsieve/strict.h"
#include "util/qerror.h"
#include "util/quit.h"

extern char** environ;

namespace catsieve {

namespace {

// Bytes asked for in one read.  The buffer also holds the unfinished record
// carried over from the block before, which is shorter than a line buffer.
constexpr size_t kBlock = 256 * 1024;

Stream* new_stream(int fd, pid_t pid, const char* name) {
  Stream* s = static_cast<Stream*>(std::malloc(sizeof(Stream)));
  char* buf = static_cast<char*>(std::malloc(kBlock + kMaxLineBuffer));
  if (!s || !buf) util::out_of_memory();
  s->fd = fd;
  s->pid = pid;
  s->buf = buf;
  s->size = kBlock + kMaxLineBuffer;
  s->pos = s->end = 0;
  s->held = kNothingHeld;
  s->eof = false;
  s->read_error = 0;
  // The output of the ".Z" decompressor is read as it comes.
  s->sniffed = pid > 0;
  s->dec = nullptr;
  s->name = name;
  s->spare = nullptr;
  s->spare_size = 0;
  s->ahead = false;
  s->alone = false;
  s->total = 0;
  s->last = Line{nullptr, 0};
  return s;
}

// Room before a block read ahead for the unread bytes of the block before:
// an unfinished line, or the lines so far of a full brim record held whole.
constexpr size_t kHeadroom = 64 * 1024;

// Moves the avail bytes from `from` on to the front of the buffer, with room
// for a block behind them.
void compact(Stream& s, size_t from, size_t avail) {
  if (s.size - avail < kBlock) {
    size_t size = avail + kBlock + kMaxLineBuffer;
    char* buf = static_cast<char*>(std::realloc(s.buf, size));
    if (!buf) util::out_of_memory();
    s.buf = buf;
    s.size = size;
  }
  std::memmove(s.buf, s.buf + from, avail);
  s.pos -= from;
  if (s.held != kNothingHeld) s.held -= from;
  s.end = avail;
}

// Takes the block read ahead: the unread bytes go just before it, and the
// buffers change places, so that the block itself is not copied; unread
// bytes that do not fit there (a long record held whole) take the block
// behind them instead.
ssize_t take_ahead(Stream& s, size_t from, size_t avail, int* error) {
  ReadResult r = ahead_wait();
  s.ahead = false;
  *error = r.error;
  char* block = s.spare + kHeadroom;
  if (avail > kHeadroom) {
    compact(s, from, avail);
    if (r.got > 0) std::memcpy(s.buf + s.end, block, static_cast<size_t>(r.got));
    return r.got;
  }
  std::memcpy(block - avail, s.buf + from, avail);
  size_t base = kHeadroom - avail;
  s.pos = s.pos - from + base;
  if (s.held != kNothingHeld) s.held = s.held - from + base;
  s.end = kHeadroom;
  std::swap(s.buf, s.spare);
  std::swap(s.size, s.spare_size);
  return r.got;
}

// Moves the unread bytes, and any held before them, to the front and reads
// the next block behind them.  From the second block of an input on, the
// block after is read ahead while this one is searched.
void refill(Stream& s) {
  // Selected records may still be waiting in the buffer to be written.
  out_settle();
  // The last record handed out is about to be overwritten: keep a copy,
  // since the end-of-stream step still needs it.
  if (s.last.p >= s.buf && s.last.p < s.buf + s.end) {
    std::memcpy(s.lastbuf, s.last.p, s.last.n);
    s.last.p = s.lastbuf;
  }
  size_t from = s.held < s.pos ? s.held : s.pos;
  size_t avail = s.end - from;
  ssize_t got;
  int error = 0;
  if (s.ahead) {
    got = take_ahead(s, from, avail, &error);
  } else {
    compact(s, from, avail);
    do {
      got = read_text(s, s.buf + s.end, kBlock);
    } while (got < 0 && errno == EINTR);
    error = errno;
  }
  if (got < 0) {
    s.read_error = error;
    // Under --strict a record cut short by the error is no record.
    if (strict_mode) {
      const char* from = s.buf + s.pos;
      const void* nl = memrchr(from, '\n', s.end - s.pos);
      s.end = nl ? static_cast<size_t>(static_cast<const char*>(nl) - s.buf) + 1 : s.pos;
    }
  }
  if (got <= 0) {
    s.eof = true;
    return;
  }
  s.end += static_cast<size_t>(got);
  s.total += static_cast<size_t>(got);
  if (s.total < kBlock || s.alone) return;
  // The buffer the block before was read into may be too small: a block
  // and its headroom are what is needed.
  if (s.spare_size < kHeadroom + kBlock) {
    std::free(s.spare);
    s.spare_size = kHeadroom + kBlock;
    s.spare = static_cast<char*>(std::malloc(s.spare_size));
    if (!s.spare) util::out_of_memory();
  }
  s.ahead = ahead_start(s, s.spare + kHeadroom, kBlock);
  s.alone = !s.ahead;
}

[[noreturn]] void unable_to_open(const char* file) {
  std::fprintf(stderr, "Unable to open file %s\n", file);
  util::quit(1);
}

bool is_compressed(const char* file) {
  size_t n = std::strlen(file);
  return n >= 3 && std::strcmp(file + n - 2, ".Z") == 0;
}

// Starts "uncompress -c file" with its standard output on a pipe; the name
// is one argument, untouched by any shell.
Stream* open_compressed(const char* file) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) unable_to_open(file);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  char prog[] = "uncompress";
  char flag[] = "-c";
  char* argv[] = {prog, flag, const_cast<char*>(file), nullptr};
  pid_t pid;
  int rc = posix_spawnp(&pid, prog, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  if (rc != 0) {
    ::close(fds[0]);
    unable_to_open(file);
  }
  return new_stream(fds[0], pid, file);
}

// A read still under way ends before its stream does.
void finish_ahead(Stream* s) {
  if (s->ahead) ahead_wait();
  s->ahead = false;
}

}  // namespace

// The piece near the end of the bytes read: refills the buffer when the
// piece may go on past them.
bool readline_refill(Stream& s, size_t size, Line* record) {
  size_t max = size - 1;
  for (;;) {
    size_t avail = s.end - s.pos;
    const char* p = s.buf + s.pos;
    size_t scan = avail < max ? avail : max;
    size_t n = 0;
    if (const void* nl = std::memchr(p, '\n', scan)) {
      n = static_cast<size_t>(static_cast<const char*>(nl) - p) + 1;
    } else if (avail >= max) {
      n = max;
    } else if (s.eof) {
      if (avail == 0) return false;
      n = avail;
    } else {
      refill(s);
      continue;
    }
    s.pos += n;
    *record = Line{p, n};
    s.last = *record;
    return true;
  }
}

void pass_rest(Stream& s) {
  // Nothing is done with the bytes here that reading could overlap.
  s.alone = true;
  for (;;) {
    if (s.end > s.pos) out_span(s.buf + s.pos, s.end - s.pos);
    s.pos = s.end;
    if (s.eof) return;
    refill(s);
  }
}

Stream* ecfopen(const char* file, const char* mode) {
  (void)mode;  // catalogs are only ever read
  if (is_compressed(file)) return open_compressed(file);
  int fd = ::open(file, O_RDONLY | O_CLOEXEC);
  if (fd < 0) unable_to_open(file);
  // A directory opens, but holds no catalog to read.
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    unable_to_open(file);
  }
  return new_stream(fd, -1, file);
}

int ecfclose(Stream* s) {
  finish_ahead(s);
  int rc = ::close(s->fd);
  if (s->pid > 0) {
    int status = 0;
    while (::waitpid(s->pid, &status, 0) < 0 && errno == EINTR) {
    }
    rc = status;
  }
  release_stream(s);
  return rc;
}

Stream* open_stdin() { return new_stream(STDIN_FILENO, -1, "stdin"); }

void release_stream(Stream* s) {
  finish_ahead(s);
  out_settle();
  if (s->dec && !close_decoder(s->dec, s->name)) input_failed = true;
  std::free(s->buf);
  std::free(s->spare);
  std::free(s);
}

}  // namespace catsieve
