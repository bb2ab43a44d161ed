// gzip, bzip2 and xz inputs, decompressed through zlib, libbz2 and liblzma
// into the stream's block buffer as it is refilled.
#include "inputs/decompress.h"

#include <bzlib.h>
#include <lzma.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace catsieve {

enum class Kind { kGzip, kBzip2, kXz };

struct Decoder {
  Kind kind;
  z_stream z;
  bz_stream bz;
  lzma_stream xz;
  char* in;          // compressed bytes read
  size_t next;       // first of them not yet decompressed
  size_t avail;      // how many of them are left
  bool in_eof;       // the input has no more bytes
  bool member_end;   // a gzip member or bzip2 stream has just ended
  bool done;         // no more text will come
  bool out_of_memory;  // the library had no memory: the text ends
  bool started;        // the library's decoder is set up
  std::string fault; // what is wrong with the data, or empty
};

namespace {

// Compressed bytes asked for in one read.
constexpr size_t kInBlock = 128 * 1024;
// zlib's window bits for gzip data: a gzip header and trailer around the
// deflate data.
constexpr int kGzipWindowBits = 16 + MAX_WBITS;

const unsigned char kGzipMagic[] = {0x1f, 0x8b};
const unsigned char kXzMagic[] = {0xfd, '7', 'z', 'X', 'Z', 0x00};
// "BZh", the block size digit, then the magic of the first block or, for
// empty data, of the end of the stream: text may well begin with "BZh".
const unsigned char kBzip2Block[] = {0x31, 0x41, 0x59, 0x26, 0x53, 0x59};
const unsigned char kBzip2End[] = {0x17, 0x72, 0x45, 0x38, 0x50, 0x90};
constexpr size_t kBzip2Head = 4;

// Whether the n bytes at head agree with the m of magic as far as both go.
bool agrees(const char* head, size_t n, const unsigned char* magic, size_t m) {
  return std::memcmp(head, magic, n < m ? n : m) == 0;
}

bool bzip2_agrees(const char* head, size_t n) {
  const size_t digit = kBzip2Head - 1;
  if (!agrees(head, n, reinterpret_cast<const unsigned char*>("BZh"), digit)) return false;
  if (n > digit && (head[digit] < '1' || head[digit] > '9')) return false;
  if (n <= kBzip2Head) return true;
  const char* block = head + kBzip2Head;
  return agrees(block, n - kBzip2Head, kBzip2Block, sizeof kBzip2Block) ||
         agrees(block, n - kBzip2Head, kBzip2End, sizeof kBzip2End);
}

// The kind of compressed data whose magic number the n bytes at head hold
// whole or, when partial, agree with as far as they go; false when none.
bool kind_of(const char* head, size_t n, bool partial, Kind* kind) {
  if (agrees(head, n, kGzipMagic, sizeof kGzipMagic) && (partial || n >= sizeof kGzipMagic)) {
    *kind = Kind::kGzip;
  } else if (agrees(head, n, kXzMagic, sizeof kXzMagic) && (partial || n >= sizeof kXzMagic)) {
    *kind = Kind::kXz;
  } else if (bzip2_agrees(head, n) && (partial || n >= kBzip2Head + sizeof kBzip2Block)) {
    *kind = Kind::kBzip2;
  } else {
    return false;
  }
  return true;
}

const char* kind_name(Kind k) {
  switch (k) {
    case Kind::kGzip: return "gzip";
    case Kind::kBzip2: return "bzip2";
    default: return "xz";
  }
}

// Ends the text with a fault; the text before it stays.
void fail(Decoder& d, const std::string& fault) {
  d.fault = fault;
  d.done = true;
}

void damaged(Decoder& d, const char* what) {
  fail(d, std::string("damaged ") + kind_name(d.kind) + " data (" + what + ")");
}

void truncated(Decoder& d) { fail(d, std::string("truncated ") + kind_name(d.kind) + " data"); }

// No memory for the library: the text ends.
void no_memory(Decoder& d) {
  d.out_of_memory = true;
  d.done = true;
}

// Reads the next compressed bytes once the last ones are used up.
void read_compressed(Decoder& d, Stream& s) {
  d.next = 0;
  ssize_t got;
  do {
    got = raw_read(s, d.in, kInBlock);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    fail(d, std::strerror(errno));
    d.in_eof = true;
  } else {
    d.avail = static_cast<size_t>(got);
    d.in_eof = got == 0;
  }
}

bool start_library(Decoder& d) {
  switch (d.kind) {
    case Kind::kGzip:
      return inflateInit2(&d.z, kGzipWindowBits) == Z_OK;
    case Kind::kBzip2:
      return BZ2_bzDecompressInit(&d.bz, 0, 0) == BZ_OK;
    case Kind::kXz:
      // Concatenated streams read as one, as xz itself reads them.
      return lzma_stream_decoder(&d.xz, UINT64_MAX, LZMA_CONCATENATED) == LZMA_OK;
  }
  return false;
}

// False when the library has no memory for the decoder.
bool start(Decoder& d) {
  d.started = start_library(d);
  return d.started;
}

void end(Decoder& d) {
  if (!d.started) return;
  d.started = false;
  switch (d.kind) {
    case Kind::kGzip: inflateEnd(&d.z); break;
    case Kind::kBzip2: BZ2_bzDecompressEnd(&d.bz); break;
    case Kind::kXz: lzma_end(&d.xz); break;
  }
}

// One step of the library: decompresses from the compressed bytes at hand
// into dst; the number of bytes written.
size_t step_gzip(Decoder& d, char* dst, size_t n) {
  d.z.next_in = reinterpret_cast<Bytef*>(d.in + d.next);
  d.z.avail_in = static_cast<uInt>(d.avail);
  d.z.next_out = reinterpret_cast<Bytef*>(dst);
  d.z.avail_out = static_cast<uInt>(n);
  int rc = inflate(&d.z, Z_NO_FLUSH);
  size_t made = n - d.z.avail_out;
  d.next += d.avail - d.z.avail_in;
  d.avail = d.z.avail_in;
  if (rc == Z_STREAM_END) {
    d.member_end = true;
  } else if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT) {
    damaged(d, d.z.msg ? d.z.msg : "needs a preset dictionary");
  } else if (rc == Z_MEM_ERROR) {
    no_memory(d);
  } else if (made == 0 && d.avail == 0 && d.in_eof) {
    truncated(d);
  }
  return made;
}

size_t step_bzip2(Decoder& d, char* dst, size_t n) {
  d.bz.next_in = d.in + d.next;
  d.bz.avail_in = static_cast<unsigned>(d.avail);
  d.bz.next_out = dst;
  d.bz.avail_out = static_cast<unsigned>(n);
  int rc = BZ2_bzDecompress(&d.bz);
  size_t made = n - d.bz.avail_out;
  d.next += d.avail - d.bz.avail_in;
  d.avail = d.bz.avail_in;
  if (rc == BZ_STREAM_END) {
    d.member_end = true;
  } else if (rc == BZ_DATA_ERROR) {
    damaged(d, "data integrity error");
  } else if (rc == BZ_DATA_ERROR_MAGIC) {
    damaged(d, "bad magic number");
  } else if (rc == BZ_MEM_ERROR) {
    no_memory(d);
  } else if (rc != BZ_OK) {
    damaged(d, "unexpected decoder state");
  } else if (made == 0 && d.avail == 0 && d.in_eof) {
    truncated(d);
  }
  return made;
}

size_t step_xz(Decoder& d, char* dst, size_t n) {
  d.xz.next_in = reinterpret_cast<const uint8_t*>(d.in + d.next);
  d.xz.avail_in = d.avail;
  d.xz.next_out = reinterpret_cast<uint8_t*>(dst);
  d.xz.avail_out = n;
  lzma_ret rc = lzma_code(&d.xz, d.in_eof ? LZMA_FINISH : LZMA_RUN);
  size_t made = n - d.xz.avail_out;
  d.next += d.avail - d.xz.avail_in;
  d.avail = d.xz.avail_in;
  switch (rc) {
    case LZMA_OK: break;
    case LZMA_STREAM_END: d.done = true; break;
    case LZMA_MEM_ERROR: no_memory(d); break;
    case LZMA_BUF_ERROR: truncated(d); break;
    case LZMA_FORMAT_ERROR: damaged(d, "not xz data"); break;
    case LZMA_OPTIONS_ERROR: damaged(d, "unsupported options"); break;
    case LZMA_MEMLIMIT_ERROR: damaged(d, "memory limit reached"); break;
    default: damaged(d, "compressed data is corrupt"); break;
  }
  return made;
}

// Steps past zero bytes after a gzip member, reading on as needed; false
// when nothing else follows them.
bool past_zeros(Decoder& d, Stream& s) {
  for (;;) {
    while (d.avail > 0 && d.in[d.next] == '\0') {
      ++d.next;
      --d.avail;
    }
    if (d.avail > 0) return true;
    if (d.in_eof) return false;
    read_compressed(d, s);
  }
}

// After a gzip member or a bzip2 stream: the data ends there, or the next
// one follows (as "cat a.gz b.gz" makes them).  Zeros after the last gzip
// member end it, as the padding of tapes and devices that gzip takes.
void next_member(Decoder& d, Stream& s) {
  d.member_end = false;
  if (d.avail == 0 && !d.in_eof) read_compressed(d, s);
  if (d.avail > 0 && d.kind == Kind::kGzip && d.in[d.next] == '\0' && !past_zeros(d, s)) {
    d.done = true;
    return;
  }
  if (d.avail == 0) {
    d.done = true;
    return;
  }
  end(d);
  if (!start(d)) no_memory(d);
}

// Up to n bytes of text from the compressed data.
size_t decode(Decoder& d, Stream& s, char* dst, size_t n) {
  size_t made = 0;
  while (made < n && !d.done) {
    if (d.member_end) {
      next_member(d, s);
      continue;
    }
    if (d.avail == 0 && !d.in_eof) {
      read_compressed(d, s);
      if (d.done) break;
    }
    switch (d.kind) {
      case Kind::kGzip: made += step_gzip(d, dst + made, n - made); break;
      case Kind::kBzip2: made += step_bzip2(d, dst + made, n - made); break;
      case Kind::kXz: made += step_xz(d, dst + made, n - made); break;
    }
  }
  return made;
}

}  // namespace

Decoder* open_decoder(const char* head, size_t n, bool* out_of_memory) {
  Kind kind;
  if (n == 0 || !kind_of(head, n, false, &kind)) return nullptr;
  Decoder* d = new (std::nothrow) Decoder{};
  char* in = static_cast<char*>(std::malloc(kInBlock > n ? kInBlock : n));
  if (!d || !in) {
    delete d;
    std::free(in);
    *out_of_memory = true;
    return nullptr;
  }
  d->kind = kind;
  d->xz = LZMA_STREAM_INIT;
  d->in = in;
  std::memcpy(d->in, head, n);
  d->avail = n;
  if (!start(*d)) no_memory(*d);
  return d;
}

// Up to n bytes of text, and the stream told when the decoder ran out of
// memory.
ssize_t decoded(Stream& s, char* dst, size_t n) {
  size_t made = decode(*s.dec, s, dst, n);
  if (s.dec->out_of_memory) s.out_of_memory = true;
  return static_cast<ssize_t>(made);
}

ssize_t read_text(Stream& s, char* dst, size_t n) {
  if (s.dec) return decoded(s, dst, n);
  if (s.sniffed) return raw_read(s, dst, n);
  // A pipe may hand out the first bytes in pieces: more are waited for
  // only while they may still begin compressed data.
  size_t got = 0;
  Kind kind;
  while (got < kMagicBytes) {
    ssize_t more = raw_read(s, dst + got, n - got);
    if (more < 0 && errno == EINTR) continue;
    if (more < 0 && got == 0) return more;
    if (more <= 0) break;
    got += static_cast<size_t>(more);
    if (!kind_of(dst, got, true, &kind)) break;
  }
  s.sniffed = true;
  bool out_of_memory = false;
  s.dec = open_decoder(dst, got, &out_of_memory);
  if (out_of_memory) {
    s.out_of_memory = true;
    return 0;
  }
  return s.dec ? decoded(s, dst, n) : static_cast<ssize_t>(got);
}

bool decoder_failed(const Decoder& d) { return !d.fault.empty(); }

std::string close_decoder(Decoder* d) {
  std::string fault = d->fault;
  end(*d);
  std::free(d->in);
  delete d;
  return fault;
}

}  // namespace catsieve
