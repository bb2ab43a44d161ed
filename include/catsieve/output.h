// Buffered standard output for the selected records.
#ifndef CATSIEVE_OUTPUT_H
#define CATSIEVE_OUTPUT_H

#include <cstddef>

namespace catsieve {

void out_write(const char* p, size_t n);
// Writes out what is buffered; a failed write ends the run.
void out_flush();

}  // namespace catsieve

#endif
