// Resolves a location key from the environment or the LOCATIONS file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "getpar/getlocation.h"
#include "util/quit.h"

namespace getpar {

const char* const locations_paths[3] = {
    "/LOCATIONS",
    "/etc/LOCATIONS",
    "/usr/local/etc/LOCATIONS",
};

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// The next white-space separated word of text from *pos on; empty at the end.
std::string next_word(const std::string& text, size_t* pos) {
  size_t i = *pos;
  while (i < text.size() && is_blank(text[i])) ++i;
  size_t start = i;
  while (i < text.size() && !is_blank(text[i])) ++i;
  *pos = i;
  return text.substr(start, i - start);
}

}  // namespace

std::FILE* gl_checkopen(std::FILE* fp, const char* path) {
  if (fp) return fp;
  return std::fopen(path, "r");
}

int getlocation_in(const char* key, std::string& value, int fatal,
                   const char* const* paths, int npaths) {
  if (const char* env = std::getenv(key)) {
    value = env;
    return 1;
  }
  std::FILE* fp = nullptr;
  for (int i = 0; i < npaths; ++i) fp = gl_checkopen(fp, paths[i]);
  if (!fp) {
    if (!fatal) return -1;
    std::fputs("cannot open LOCATION file -fatal\n", stderr);
    util::quit(-1);
  }
  std::string line;
  while (getline(fp, line) >= 0) {
    // The text ends at a comment, and at a NUL byte as a C string would.
    size_t end = line.find_first_of(std::string("#\0", 2));
    if (end != std::string::npos) line.erase(end);
    size_t pos = 0;
    std::string name = next_word(line, &pos);
    std::string val = next_word(line, &pos);
    if (!val.empty() && name == key) {
      value = val;
      std::fclose(fp);
      return 1;
    }
  }
  std::fclose(fp);
  if (!fatal) return 0;
  std::fprintf(stderr, "cannot find %s in environment or LOCATION\n", key);
  util::quit(-1);
}

int getlocation(const char* key, std::string& value, int fatal) {
  return getlocation_in(key, value, fatal, locations_paths, 3);
}

}  // namespace getpar
