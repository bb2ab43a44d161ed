// The plain inputs and output of the reference build.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "catsieve/field.h"
#include "catsieve/output.h"
#include "catsieve/stream.h"
#include "util/qerror.h"
#include "util/quit.h"

namespace catsieve {

char dcbuf[kFieldMax + 1];
char xx[kFieldMax + 1];

// The buffer is filled with a non-zero byte first, so that the terminator
// fgets writes is the last zero byte in it and a zero byte of the data
// stays part of the record.
bool readline(Stream& s, size_t size, Line* record) {
  char buf[kMaxLineBuffer];
  std::memset(buf, 0x7f, sizeof buf);
  if (std::fgets(buf, static_cast<int>(size), s.fp) == nullptr) return false;
  size_t n = size - 1;
  while (buf[n] != '\0') --n;
  std::memcpy(s.lastbuf, buf, n);
  s.last = Line{s.lastbuf, n};
  if (s.holding) s.held.append(buf, n);
  *record = s.last;
  return true;
}

// Record by record, as the readers would write every one.
void pass_rest(Stream& s) {
  Line record;
  while (readline(s, kMaxLineBuffer, &record)) out_span(record.p, record.n);
}

Stream* ecfopen(const char* file, const char*) {
  FILE* fp = std::fopen(file, "r");
  struct stat st;
  if (fp && ::fstat(fileno(fp), &st) == 0 && S_ISDIR(st.st_mode)) {
    std::fclose(fp);
    fp = nullptr;
  }
  if (!fp) {
    std::fprintf(stderr, "Unable to open file %s\n", file);
    util::quit(1);
  }
  return new Stream{fp, {nullptr, 0}, {}, false, {}};
}

int ecfclose(Stream* s) {
  int rc = std::fclose(s->fp);
  delete s;
  return rc;
}

Stream* open_stdin() { return new Stream{stdin, {nullptr, 0}, {}, false, {}}; }

void release_stream(Stream* s) { delete s; }

void out_flush() {
  if (std::fflush(stdout) != 0) {
    std::fprintf(stderr, "%s: write error on standard output: %s\n",
                 util::progname ? util::progname : "catsieve", std::strerror(errno));
    std::_Exit(1);
  }
}

}  // namespace catsieve
