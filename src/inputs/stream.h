// Catalog input streams: plain files, file descriptors, bytes in memory, or
// the output of the decompressor for ".Z" files, read in large blocks (gzip,
// bzip2 and xz data decompressed into them) and cut into records exactly as
// fgets would with the reader's line-buffer size.
#ifndef INPUTS_STREAM_H
#define INPUTS_STREAM_H

#include <sys/types.h>

#include <cstddef>
#include <cstring>
#include <string>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "records/line.h"

namespace catsieve {

// The largest line-buffer size of any reader.
constexpr size_t kMaxLineBuffer = 512;
// How far a line of decompressed data is looked at ahead for its end.
constexpr size_t kLineLookahead = 1024 * 1024;

// Decompressor of a gzip, bzip2 or xz input (decompress.h).
struct Decoder;
// The thread that reads blocks ahead for the streams of a run (read_ahead.h).
struct AheadReader;

// No bytes held: see Stream::held.
constexpr size_t kNothingHeld = ~static_cast<size_t>(0);

struct Stream {
  int fd;            // or -1 for bytes in memory
  const char* mem;   // bytes in memory, read from mem_at on
  size_t mem_n, mem_at;
  pid_t pid;         // decompressor process, or -1
  char* buf;         // block buffer
  size_t size;       // its size
  size_t pos;        // first unread byte
  size_t end;        // end of the bytes read
  size_t held;       // first byte kept through refills, or kNothingHeld
  bool eof;          // no more bytes will come
  int read_error;    // errno of a failed read that ended the input, or 0
  bool sniffed;      // the first bytes have told compressed data from text
  Decoder* dec;      // decompressor of the input's bytes, or null
  const char* name;  // the input as messages name it
  char* spare;       // the buffer the next block is read ahead into, or null
  size_t spare_size;
  bool ahead;             // a read into spare is under way
  bool alone;             // no block is to be read ahead
  size_t total;           // bytes read so far
  unsigned long refills;  // times the buffer was refilled, its bytes moved
  bool strict;            // a record cut short by a read error is no record
  // Bytes of a partial last line dropped when compressed data broke off or
  // turned out damaged: such a piece is never a record.
  size_t dropped;
  bool out_of_memory;     // the buffer could not grow: the input ended there
  AheadReader* reader;    // the run's reading thread, or null
  // Called before the bytes of the buffer move, with ctx: records of it
  // that wait to be written must be written first.  Its false ends the
  // input there (nothing more is wanted of it).
  bool (*before_move)(void* ctx);
  void* move_ctx;
  Line last;              // last record handed out
  char lastbuf[kMaxLineBuffer];
};

// Keeps the bytes from line on in the buffer, however many lines follow,
// until release: a record of many lines can then be written from the
// buffer whole.  The buffer grows for a record longer than a block; lines
// handed out before a refill move, but keep their distance from line.
inline void hold(Stream& s, const Line& line) { s.held = static_cast<size_t>(line.p - s.buf); }
inline void release(Stream& s) { s.held = kNothingHeld; }
// The bytes held, up to the last line handed out.
inline Line held_bytes(const Stream& s) { return Line{s.buf + s.held, s.pos - s.held}; }

// Next record of at most size - 1 bytes: up to and including the next
// newline when it comes within that many bytes, else a piece of exactly that
// many.  False at end of input (a read error counts as end of input; under
// --strict the piece of a line before the error is not handed out).  Of
// gzip, bzip2 or xz data, no piece of a line is handed out before the line
// is seen to go on to its newline or to the end of whole data, up to a line
// of kLineLookahead bytes: a line that damage breaks off is no record.
bool readline_refill(Stream& s, size_t size, Line* record);

// Length of the piece at p: up to and including the first newline among
// the max bytes there, or max.  Catalog lines are short: sixteen or
// thirty-two bytes are looked at a time here, which costs less than a call
// of memchr.
inline size_t line_length(const char* p, size_t max) {
#ifdef __SSE2__
  const __m128i newline = _mm_set1_epi8('\n');
  size_t at = 0;
  // Thirty-two bytes a step while they last, then sixteen.
  for (; at + 32 <= max; at += 32) {
    __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
    __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at + 16));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(low, newline))) |
                    static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(high, newline))) << 16;
    if (mask) return at + static_cast<size_t>(__builtin_ctz(mask)) + 1;
  }
  for (; at + 16 <= max; at += 16) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, newline)));
    if (mask) return at + static_cast<size_t>(__builtin_ctz(mask)) + 1;
  }
  const void* nl = std::memchr(p + at, '\n', max - at);
#else
  const void* nl = std::memchr(p, '\n', max);
#endif
  return nl ? static_cast<size_t>(static_cast<const char*>(nl) - p) + 1 : max;
}
inline bool readline(Stream& s, size_t size, Line* record) {
  size_t max = size - 1;
  if (s.end - s.pos < max) return readline_refill(s, size, record);
  // The whole of the next piece is in the buffer.
  const char* p = s.buf + s.pos;
  size_t n = line_length(p, max);
  // A piece of a longer line of decompressed data waits to see the line go on.
  if (n == max && s.dec && p[n - 1] != '\n') return readline_refill(s, size, record);
  s.pos += n;
  *record = Line{p, n};
  s.last = *record;
  return true;
}

// Reads up to n of the input's own bytes, as read(2) does.
ssize_t raw_read(Stream& s, char* dst, size_t n);

// Whether the input is gzip, bzip2 or xz data, decompressed as it is read.
inline bool decompressed(const Stream& s) { return s.dec != nullptr; }
// Reads the rest of the input to its end without handing it out, so that
// damage further on in compressed data comes to light.
void read_to_end(Stream& s);

// The instructions that newlines are looked for with: the widest the
// processor has, or the sixteen-byte ones that every x86-64 processor has
// (chosen by the tests, so that both are tried).
enum class NewlineScan { kWidest, kNarrow };
// The number of records that readline with this size would hand out from
// here to the end of the input; the last of them is kept as the last
// record handed out.
long long count_rest(Stream& s, size_t size, NewlineScan scan = NewlineScan::kWidest);

// Hands the rest of the stream, after the record read last, to put block
// by block as it stands: what the records cut from it with the line-buffer
// size would make, one after another.  Decompressed data go record by
// record, so that a partial line before damage is never handed out.
void pass_rest(Stream& s, size_t size, void (*put)(void* ctx, const char* p, size_t n),
               void* ctx);

// What opening an input gave.
enum class OpenResult { kOpen, kCannotOpen, kOutOfMemory };

// Opens a catalog file; names ending in ".Z" are read through the
// decompressor, gzip, bzip2 and xz data whatever the name in-process.
OpenResult open_file(const char* file, Stream** s);
// A stream of a descriptor the caller keeps open, named name in messages.
Stream* open_fd(int fd, const char* name);
// A stream of bytes in memory, which must stay as they are until the
// stream is closed.
Stream* open_memory(const char* p, size_t n, const char* name);
// Closes an input: its descriptor when open_file opened it, with the
// decompressor's exit status for a ".Z" input (else 0).  The text of
// damaged or cut gzip, bzip2 or xz data goes to *fault, and the partial
// line dropped at the break with it.
int close_stream(Stream* s, bool close_fd, std::string* fault);

}  // namespace catsieve

#endif
