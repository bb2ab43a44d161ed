// Opening catalog inputs and cutting them into records.
#include "inputs/stream.h"

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

#ifdef __x86_64__
#include <immintrin.h>
#endif

#include "inputs/decompress.h"
#include "inputs/read_ahead.h"

extern char** environ;

namespace catsieve {

namespace {

// Bytes asked for in one read.  The buffer also holds the unfinished record
// carried over from the block before, which is shorter than a line buffer.
constexpr size_t kBlock = 256 * 1024;

Stream* new_stream(int fd, pid_t pid, const char* name) {
  Stream* s = static_cast<Stream*>(std::malloc(sizeof(Stream)));
  char* buf = static_cast<char*>(std::malloc(kBlock + kMaxLineBuffer));
  if (!s || !buf) {
    std::free(s);
    std::free(buf);
    return nullptr;
  }
  s->fd = fd;
  s->mem = nullptr;
  s->mem_n = s->mem_at = 0;
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
  s->refills = 0;
  s->strict = false;
  s->dropped = 0;
  s->out_of_memory = false;
  s->reader = nullptr;
  s->before_move = nullptr;
  s->move_ctx = nullptr;
  s->last = Line{nullptr, 0};
  return s;
}

// Room before a block read ahead for the unread bytes of the block before:
// an unfinished line, or the lines so far of a full brim record held whole.
constexpr size_t kHeadroom = 64 * 1024;

// Moves the avail bytes from `from` on to the front of the buffer, with room
// for a block behind them; false when the buffer cannot grow for them.
bool compact(Stream& s, size_t from, size_t avail) {
  if (s.size - avail < kBlock) {
    size_t size = avail + kBlock + kMaxLineBuffer;
    char* buf = static_cast<char*>(std::realloc(s.buf, size));
    if (!buf) return false;
    s.buf = buf;
    s.size = size;
  }
  std::memmove(s.buf, s.buf + from, avail);
  s.pos -= from;
  if (s.held != kNothingHeld) s.held -= from;
  s.end = avail;
  return true;
}

// The input ends where it stands: no more is read.
void stop(Stream& s) {
  s.eof = true;
  s.end = s.pos;
}

// Takes the block read ahead: the unread bytes go just before it, and the
// buffers change places, so that the block itself is not copied; unread
// bytes that do not fit there (a long record held whole) take the block
// behind them instead.
ssize_t take_ahead(Stream& s, size_t from, size_t avail, int* error) {
  ReadResult r = ahead_wait(*s.reader);
  s.ahead = false;
  *error = r.error;
  char* block = s.spare + kHeadroom;
  if (avail > kHeadroom) {
    if (!compact(s, from, avail)) {
      s.out_of_memory = true;
      return 0;
    }
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

// Ends the bytes read after the last newline not yet handed out; returns
// how many bytes that drops.
size_t drop_partial_line(Stream& s) {
  const char* from = s.buf + s.pos;
  const void* nl = memrchr(from, '\n', s.end - s.pos);
  size_t end = nl ? static_cast<size_t>(static_cast<const char*>(nl) - s.buf) + 1 : s.pos;
  size_t dropped = s.end - end;
  s.end = end;
  return dropped;
}

// Moves the unread bytes, and any held before them, to the front and reads
// the next block behind them.  From the second block of an input on, the
// block after is read ahead while this one is searched.
void refill(Stream& s) {
  // Selected records may still be waiting in the buffer to be written.
  if (s.before_move && !s.before_move(s.move_ctx)) {
    stop(s);
    return;
  }
  ++s.refills;
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
  } else if (!compact(s, from, avail)) {
    s.out_of_memory = true;
    got = 0;
  } else {
    do {
      got = read_text(s, s.buf + s.end, kBlock);
    } while (got < 0 && errno == EINTR);
    error = errno;
  }
  if (s.out_of_memory) {
    stop(s);
    return;
  }
  if (got < 0) {
    s.read_error = error;
    // Under --strict a record cut short by the error is no record.
    if (s.strict) drop_partial_line(s);
  }
  if (got <= 0) {
    s.eof = true;
    // Nor is one cut short by damaged or broken-off compressed data.
    if (s.dec && decoder_failed(*s.dec)) s.dropped += drop_partial_line(s);
    return;
  }
  s.end += static_cast<size_t>(got);
  s.total += static_cast<size_t>(got);
  if (s.total < kBlock || s.alone || !s.reader) return;
  // The buffer the block before was read into may be too small: a block
  // and its headroom are what is needed.  Without one, blocks are read as
  // they are needed.
  if (s.spare_size < kHeadroom + kBlock) {
    std::free(s.spare);
    s.spare_size = kHeadroom + kBlock;
    s.spare = static_cast<char*>(std::malloc(s.spare_size));
    if (!s.spare) {
      s.spare_size = 0;
      s.alone = true;
      return;
    }
  }
  s.ahead = ahead_start(*s.reader, s, s.spare + kHeadroom, kBlock);
  s.alone = !s.ahead;
}

bool is_compressed(const char* file) {
  size_t n = std::strlen(file);
  return n >= 3 && std::strcmp(file + n - 2, ".Z") == 0;
}

// Starts "uncompress -c file" with its standard output on a pipe; the name
// is one argument, untouched by any shell.
OpenResult open_compressed(const char* file, Stream** s) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return OpenResult::kCannotOpen;
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
    return OpenResult::kCannotOpen;
  }
  *s = new_stream(fds[0], pid, file);
  if (*s) return OpenResult::kOpen;
  ::close(fds[0]);
  int status;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return OpenResult::kOutOfMemory;
}

// A read still under way ends before its stream does.
void finish_ahead(Stream* s) {
  if (s->ahead) ahead_wait(*s->reader);
  s->ahead = false;
}

}  // namespace

// The piece near the end of the bytes read: refills the buffer when the
// piece may go on past them.
namespace {

// Whether the line at the read position is seen to go on: its newline is
// in the buffer, or it is longer than the lookahead, or the data ended
// whole; else more is read (false), and damage found meanwhile ends the
// bytes before the line.
bool line_goes_on(Stream& s) {
  size_t avail = s.end - s.pos;
  size_t look = avail < kLineLookahead ? avail : kLineLookahead;
  if (s.eof || avail >= kLineLookahead || std::memchr(s.buf + s.pos, '\n', look)) return true;
  refill(s);
  return false;
}

}  // namespace

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
      if (s.dec && !line_goes_on(s)) continue;
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

namespace {

constexpr size_t kWindow = 64;

// Each window type gives the newlines among the 64 bytes at p, a bit each,
// the first byte's lowest, and tallies them in a Tally that sums them.
#ifdef __SSE2__
struct NarrowWindow {
  // Sixteen byte-wide counters, each of which takes at most four a window:
  // summed every kTallyWindows windows, none overflows.
  static constexpr int kTallyWindows = 63;
  struct Tally {
    __m128i lanes = _mm_setzero_si128();
    long long sum() const {
      __m128i halves = _mm_sad_epu8(lanes, _mm_setzero_si128());
      return _mm_cvtsi128_si32(halves) + _mm_cvtsi128_si32(_mm_srli_si128(halves, 8));
    }
  };
  static unsigned long long bits(const char* p, Tally& tally) {
    const __m128i newline = _mm_set1_epi8('\n');
    unsigned long long bits = 0;
    for (size_t i = 0; i < kWindow; i += 16) {
      __m128i is =
          _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), newline);
      tally.lanes = _mm_sub_epi8(tally.lanes, is);
      bits |= static_cast<unsigned long long>(static_cast<unsigned>(_mm_movemask_epi8(is))) << i;
    }
    return bits;
  }
};
#ifdef __x86_64__
#define CATSIEVE_WIDE_COUNT 1
// Thirty-two bytes a step, where the processor has them.
struct WideWindow {
  static constexpr int kTallyWindows = 127;  // two a window in each counter
  struct Tally {
    __m256i lanes;
    __attribute__((target("avx2"))) Tally() : lanes(_mm256_setzero_si256()) {}
    __attribute__((target("avx2"))) long long sum() const {
      __m256i quarters = _mm256_sad_epu8(lanes, _mm256_setzero_si256());
      __m128i halves =
          _mm_add_epi64(_mm256_castsi256_si128(quarters), _mm256_extracti128_si256(quarters, 1));
      return _mm_cvtsi128_si32(halves) + _mm_cvtsi128_si32(_mm_srli_si128(halves, 8));
    }
  };
  __attribute__((target("avx2"))) static unsigned long long bits(const char* p, Tally& tally) {
    const __m256i newline = _mm256_set1_epi8('\n');
    __m256i low =
        _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)), newline);
    __m256i high =
        _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32)), newline);
    tally.lanes = _mm256_sub_epi8(tally.lanes, _mm256_add_epi8(low, high));
    return static_cast<unsigned>(_mm256_movemask_epi8(low)) |
           static_cast<unsigned long long>(static_cast<unsigned>(_mm256_movemask_epi8(high))) << 32;
  }
};
#endif
#else
struct NarrowWindow {
  static constexpr int kTallyWindows = 1 << 30;
  struct Tally {
    long long n = 0;
    long long sum() const { return n; }
  };
  static unsigned long long bits(const char* p, Tally& tally) {
    unsigned long long bits = 0;
    for (size_t i = 0; i < kWindow; ++i) bits |= static_cast<unsigned long long>(p[i] == '\n') << i;
    tally.n += __builtin_popcountll(bits);
    return bits;
  }
};
#endif

// Bytes that records are counted in, buf[pos, end): pos moves past the
// records counted, last is the last of them.  Windows are looked at from
// scan on, where the last look ended: a line with no newline yet is not
// looked at twice.
struct Counting {
  const char* buf;
  size_t pos, scan, end;
  Line last;
};

// Counts the records that end in the whole windows of 64 bytes before end.
// Lines between two newlines of one window are shorter than any record
// size; a line that reaches across windows is longer than a record when
// its newline lies max bytes or more after its start, and is then cut into
// pieces of max bytes before the record its newline ends.  Without a
// branch on whether a window holds a newline, which would often be guessed
// wrong.
template <typename Window>
__attribute__((always_inline)) inline long long count_windows(Counting& c, size_t max) {
  constexpr unsigned long long kTop = 1ULL << 63;
  long long n = 0;
  size_t start = c.pos;  // first byte of the line under way
  size_t at = c.scan < c.pos ? c.pos : c.scan;
  while (at + kWindow <= c.end) {
    typename Window::Tally tally;
    for (int w = 0; w < Window::kTallyWindows && at + kWindow <= c.end; ++w, at += kWindow) {
      unsigned long long bits = Window::bits(c.buf + at, tally);
      size_t before = at + static_cast<size_t>(__builtin_ctzll(bits | kTop)) - start;
      if (bits && before >= max) n += static_cast<long long>(before / max);
      size_t after = at + kWindow - static_cast<size_t>(__builtin_clzll(bits | 1));
      start = bits ? after : start;
    }
    n += tally.sum();
  }
  c.scan = at;
  if (start == c.pos) return 0;
  // The last record: from the newline before its own (or the first byte
  // looked at), less the pieces cut from a long line.
  size_t end = start;
  const void* before = memrchr(c.buf + c.pos, '\n', end - 1 - c.pos);
  size_t line = before ? static_cast<size_t>(static_cast<const char*>(before) - c.buf) + 1 : c.pos;
  size_t from = line + (end - 1 - line) / max * max;
  c.last = Line{c.buf + from, end - from};
  c.pos = end;
  return n;
}

#ifdef CATSIEVE_WIDE_COUNT
__attribute__((target("avx2"))) long long count_windows_wide(Counting& c, size_t max) {
  return count_windows<WideWindow>(c, max);
}
#endif
long long count_windows_narrow(Counting& c, size_t max) {
  return count_windows<NarrowWindow>(c, max);
}

using CountWindows = long long (*)(Counting& c, size_t max);
CountWindows count_windows_with(NewlineScan scan) {
#ifdef CATSIEVE_WIDE_COUNT
  if (scan == NewlineScan::kWidest && __builtin_cpu_supports("avx2")) return count_windows_wide;
#else
  (void)scan;
#endif
  return count_windows_narrow;
}

}  // namespace

long long count_rest(Stream& s, size_t size, NewlineScan scan) {
  CountWindows count = count_windows_with(scan);
  long long n = 0;
  if (s.dec) {
    // Decompressed data are counted record by record, as readline hands
    // them out: a line that damage breaks off is no record.
    Line record;
    while (readline(s, size, &record)) ++n;
    return n;
  }
  Counting c{s.buf, s.pos, s.pos, s.end, s.last};
  Line record;
  for (;;) {
    n += count(c, size - 1);
    s.pos = c.pos;
    s.last = c.last;
    // What is left before the end of the bytes read, or the next block.
    unsigned long refills = s.refills;
    if (!readline(s, size, &record)) return n;
    ++n;
    // A refill moves the bytes: they are looked at again from the start.
    c = Counting{s.buf, s.pos, s.refills == refills ? c.scan : s.pos, s.end, s.last};
  }
}

void pass_rest(Stream& s, size_t size, void (*put)(void* ctx, const char* p, size_t n),
               void* ctx) {
  // Nothing is done with the bytes here that reading could overlap.
  s.alone = true;
  for (;;) {
    if (s.dec) {
      Line record;
      while (readline(s, size, &record)) put(ctx, record.p, record.n);
      return;
    }
    if (s.end > s.pos) put(ctx, s.buf + s.pos, s.end - s.pos);
    s.pos = s.end;
    if (s.eof) return;
    refill(s);
  }
}

void read_to_end(Stream& s) {
  s.alone = true;
  release(s);
  while (!s.eof) {
    s.pos = s.end;
    refill(s);
  }
  s.pos = s.end;
}

ssize_t raw_read(Stream& s, char* dst, size_t n) {
  if (s.fd >= 0) return ::read(s.fd, dst, n);
  size_t left = s.mem_n - s.mem_at;
  if (n > left) n = left;
  std::memcpy(dst, s.mem + s.mem_at, n);
  s.mem_at += n;
  return static_cast<ssize_t>(n);
}

OpenResult open_file(const char* file, Stream** s) {
  if (is_compressed(file)) return open_compressed(file, s);
  int fd = ::open(file, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return OpenResult::kCannotOpen;
  // A directory opens, but holds no catalog to read.
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return OpenResult::kCannotOpen;
  }
  *s = new_stream(fd, -1, file);
  if (*s) return OpenResult::kOpen;
  ::close(fd);
  return OpenResult::kOutOfMemory;
}

Stream* open_fd(int fd, const char* name) { return new_stream(fd, -1, name); }

Stream* open_memory(const char* p, size_t n, const char* name) {
  Stream* s = new_stream(-1, -1, name);
  if (!s) return nullptr;
  s->mem = p;
  s->mem_n = n;
  return s;
}

int close_stream(Stream* s, bool close_fd, std::string* fault) {
  finish_ahead(s);
  int rc = close_fd ? ::close(s->fd) : 0;
  if (s->pid > 0) {
    int status = 0;
    while (::waitpid(s->pid, &status, 0) < 0 && errno == EINTR) {
    }
    rc = status;
  }
  if (s->dec) *fault = close_decoder(s->dec);
  if (s->dropped > 0 && !fault->empty())
    *fault += "; last " + std::to_string(s->dropped) + " byte" + (s->dropped == 1 ? "" : "s") +
              " of a partial line dropped";
  std::free(s->buf);
  std::free(s->spare);
  std::free(s);
  return rc;
}

}  // namespace catsieve
