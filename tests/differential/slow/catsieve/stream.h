// Catalog inputs the plain way: one fgets per record into a buffer of the
// reader's size.  Compressed inputs are not compared, and open here as
// plain files.
#ifndef CATSIEVE_STREAM_H
#define CATSIEVE_STREAM_H

#include <cstddef>
#include <cstdio>
#include <string>

namespace catsieve {

struct Line {
  const char* p;
  size_t n;
};

constexpr size_t kMaxLineBuffer = 512;

struct Stream {
  FILE* fp;
  Line last;                    // the last record read, in lastbuf
  char lastbuf[kMaxLineBuffer];
  bool holding = false;         // records are being gathered in held
  std::string held;
  int pid = -1;                 // never a decompressor here
  int read_error = 0;           // a read error ends the input as end of file does
};

bool readline(Stream& s, size_t size, Line* record);
void pass_rest(Stream& s);

inline void hold(Stream& s, const Line& line) {
  s.holding = true;
  s.held.assign(line.p, line.n);
}
inline void release(Stream& s) {
  s.holding = false;
  s.held.clear();
}
inline Line held_bytes(const Stream& s) { return Line{s.held.data(), s.held.size()}; }

Stream* ecfopen(const char* file, const char* mode);
int ecfclose(Stream* s);
Stream* open_stdin();
void release_stream(Stream* s);

}  // namespace catsieve

#endif
