#include "support/packers.h"

#include <cstdlib>
#include <stdexcept>

#include "support/temp_dir.h"

std::string pack(Packing how, const std::string& data) {
  static const char* const kCommand[] = {"gzip -c", "bzip2 -1 -c", "xz -0 -c"};
  TempDir dir;
  std::string in = dir.write("in", data), out = dir.path() + "/out";
  std::string command = std::string(kCommand[static_cast<int>(how)]) + " '" + in + "' > '" + out + "'";
  if (std::system(command.c_str()) != 0) throw std::runtime_error(command);
  return read_file(out);
}
