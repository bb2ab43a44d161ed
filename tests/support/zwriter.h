// Writes files in the classic compress (.Z) format, so that tests can make
// their own compressed catalogs without a compressor on the machine.
#ifndef TESTS_SUPPORT_ZWRITER_H
#define TESTS_SUPPORT_ZWRITER_H

#include <string>

// The .Z form of data.  Only literal codes are written (no compression),
// with a table reset often enough that the code width stays at 9 bits;
// any decompressor of the format reads it back.
std::string compress_z(const std::string& data);

#endif
