// Records and fields: a record is a view of bytes, a field a place in it.
#ifndef RECORDS_LINE_H
#define RECORDS_LINE_H

#include <cstddef>

namespace catsieve {

// A record: a view of bytes that stays valid until the next read.
struct Line {
  const char* p;
  size_t n;
};

// A fixed-column field.
struct Col {
  int col;  // first column, counted from 1
  int width;
  int dec;  // implied decimals
};

}  // namespace catsieve

#endif
