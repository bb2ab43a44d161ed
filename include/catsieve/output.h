// Buffered standard output for the selected records.
#ifndef CATSIEVE_OUTPUT_H
#define CATSIEVE_OUTPUT_H

#include <cstddef>

namespace catsieve {

// Writes bytes of an input's buffer, which must stay as they are until
// out_settle: consecutive records then go out in one piece, uncopied.
void out_new_span(const char* p, size_t n);
// The run of records that the next one may lengthen.
struct OutRun {
  const char* begin;
  const char* end;
};
extern OutRun out_run;
inline void out_span(const char* p, size_t n) {
  if (p == out_run.end) {
    out_run.end += n;
    return;
  }
  out_new_span(p, n);
}
void out_settle();
// Writes bytes that the caller may reuse at once: they are copied.
void out_text(const char* p, size_t n);
// Writes out what is buffered; a failed write ends the run.
void out_flush();

}  // namespace catsieve

#endif
