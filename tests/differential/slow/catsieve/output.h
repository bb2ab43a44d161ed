// Standard output the plain way: each selected record goes to stdio.
#ifndef CATSIEVE_OUTPUT_H
#define CATSIEVE_OUTPUT_H

#include <cstddef>
#include <cstdio>

namespace catsieve {

inline void out_span(const char* p, size_t n) { std::fwrite(p, 1, n, stdout); }
inline void out_settle() {}
inline void out_text(const char* p, size_t n) { std::fwrite(p, 1, n, stdout); }
void out_flush();

}  // namespace catsieve

#endif
