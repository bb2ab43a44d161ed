#include "support/zwriter.h"

#include <vector>

namespace {

constexpr int kBits = 9;           // code width
constexpr int kGroup = kBits * 8;  // bits in a group of eight codes
constexpr unsigned kClear = 256;   // table reset code
constexpr int kRun = 200;          // literals between resets

struct BitWriter {
  std::vector<unsigned char> bytes;
  size_t pos = 0;  // in bits

  void put(unsigned code) {
    for (int i = 0; i < kBits; ++i, ++pos) {
      if (pos / 8 >= bytes.size()) bytes.push_back(0);
      if (code & (1u << i)) bytes[pos / 8] |= static_cast<unsigned char>(1u << (pos % 8));
    }
  }
  // After a reset the reader skips to the next group boundary.
  void align() {
    pos = (pos + kGroup - 1) / kGroup * kGroup;
    bytes.resize((pos + 7) / 8, 0);
  }
};

}  // namespace

std::string compress_z(const std::string& data) {
  BitWriter w;
  int run = 0;
  for (unsigned char c : data) {
    if (run == kRun) {
      w.put(kClear);
      w.align();
      run = 0;
    }
    w.put(c);
    ++run;
  }
  // Magic number, then 16-bit maximum code width in block mode.
  std::string out("\x1f\x9d\x90", 3);
  out.append(w.bytes.begin(), w.bytes.end());
  return out;
}
