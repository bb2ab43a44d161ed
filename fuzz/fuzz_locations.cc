// Arbitrary bytes as a LOCATIONS file.
#include <string>

#include "fuzz_support.h"
#include "getpar/getlocation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_setup();
  MemFile file(data, size);
  const char* paths[] = {file.path.c_str()};
  std::string value;
  getpar::getlocation_in("LODECATDIR", value, paths, 1);
  getpar::getlocation_in("X", value, paths, 1);
  return 0;
}
