// Catalogs compressed with gzip, bzip2 or xz: recognised by their first
// bytes, whatever their name, and decompressed piece by piece as the
// stream's block buffer is refilled.
#ifndef CATSIEVE_DECOMPRESS_H
#define CATSIEVE_DECOMPRESS_H

#include <sys/types.h>

#include <cstddef>

#include "catsieve/stream.h"

namespace catsieve {

// The first bytes needed to tell compressed data from catalog text.
constexpr size_t kMagicBytes = 10;

// The decoder of data whose first n bytes are head, when they are gzip,
// bzip2 or xz data, else null.  The decoder takes a copy of head as the
// first of its compressed bytes.
Decoder* open_decoder(const char* head, size_t n);

// Reads up to n bytes of the input's text into dst as read(2) reads the
// input itself (-1 and errno on a read error): its own bytes, or what they
// decompress to, which the first bytes decide.  Compressed data that cannot
// be decompressed further ends the text where it breaks off.
ssize_t read_text(Stream& s, char* dst, size_t n);

// Ends the decoder; when its data was damaged or cut short, writes
// "<progname>: <name>: <what is wrong>" to standard error and returns false.
bool close_decoder(Decoder* d, const char* name);

}  // namespace catsieve

#endif
