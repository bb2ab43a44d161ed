// Arbitrary catalog file names against an arbitrary time interval.
#include <cstring>
#include <string>
#include <vector>

#include "inputs/catalog_tree.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_setup();
  if (size < 16) return 0;
  double lo, hi;
  std::memcpy(&lo, data, 8);
  std::memcpy(&hi, data + 8, 8);
  static bool dir_set = false;
  if (!dir_set) {
    // An empty catalog directory: the walk finds nothing, the interval is set.
    setenv("LODECATDIR", fuzz_empty_dir, 1);
    dir_set = true;
  }
  catsieve::CatalogWindow window = catsieve::catalog_window(lo, hi);
  std::vector<std::string> files;
  catsieve::find_catalog("LODECATDIR", window, {}, &files);
  std::string name(reinterpret_cast<const char*>(data + 16), size - 16);
  catsieve::catalog_file_in_range(name.c_str(), window);
  return 0;
}
