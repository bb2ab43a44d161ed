// Catalogs compressed with gzip, bzip2 or xz: recognised by their first
// bytes, whatever their name, and decompressed piece by piece as the
// stream's block buffer is refilled.
#ifndef INPUTS_DECOMPRESS_H
#define INPUTS_DECOMPRESS_H

#include <sys/types.h>

#include <cstddef>
#include <string>

#include "inputs/stream.h"

namespace catsieve {

// The first bytes needed to tell compressed data from catalog text.
constexpr size_t kMagicBytes = 10;

// The decoder of data whose first n bytes are head, when they are gzip,
// bzip2 or xz data, else null (and *out_of_memory set when it could not be
// made).  The decoder takes a copy of head as the first of its compressed
// bytes.
Decoder* open_decoder(const char* head, size_t n, bool* out_of_memory);

// Reads up to n bytes of the input's text into dst as read(2) reads the
// input itself (-1 and errno on a read error): its own bytes, or what they
// decompress to, which the first bytes decide.  Compressed data that cannot
// be decompressed further ends the text where it breaks off; a decoder
// without memory ends it too, and says so in the stream.
ssize_t read_text(Stream& s, char* dst, size_t n);

// Whether the decoder found its data damaged or cut short.
bool decoder_failed(const Decoder& d);
// Ends the decoder; what was wrong with its data when it was damaged or cut
// short, else empty.
std::string close_decoder(Decoder* d);

}  // namespace catsieve

#endif
