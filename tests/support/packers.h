// gzip, bzip2 and xz forms of test data, made by the compressor programs.
#ifndef TESTS_SUPPORT_PACKERS_H
#define TESTS_SUPPORT_PACKERS_H

#include <string>

enum class Packing { kGzip, kBzip2, kXz };

// The data in one gzip member, one bzip2 stream or one xz stream.  bzip2
// uses its smallest blocks (100 kB), so that a few hundred kB of text make
// several blocks.
std::string pack(Packing how, const std::string& data);

#endif
