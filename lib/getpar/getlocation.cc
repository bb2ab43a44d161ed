// Resolves a location key from the environment or the LOCATIONS file.
#include "getpar/getlocation.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace getpar {

const char* const locations_paths[3] = {
    "/LOCATIONS",
    "/etc/LOCATIONS",
    "/usr/local/etc/LOCATIONS",
};

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The next white-space separated word of text from *pos on; empty at the end.
std::string next_word(const std::string& text, size_t* pos) {
  size_t i = *pos;
  while (i < text.size() && is_blank(text[i])) ++i;
  size_t start = i;
  while (i < text.size() && !is_blank(text[i])) ++i;
  *pos = i;
  return text.substr(start, i - start);
}

// Next line of fp without its newline, a line ending in a backslash joined
// to the next by a blank; false at end of file with nothing read.
bool next_line(std::FILE* fp, std::string& line) {
  line.clear();
  int c;
  while ((c = std::getc(fp)) != EOF) {
    if (c == '\\') {
      c = std::getc(fp);
      if (c == EOF) break;
      if (c == '\n') {
        line += ' ';
        continue;
      }
      line += '\\';
    }
    if (c == '\n') return true;
    line += static_cast<char>(c);
  }
  return !line.empty();
}

}  // namespace

int getlocation_in(const char* key, std::string& value, const char* const* paths, int npaths) {
  if (const char* env = std::getenv(key)) {
    value = env;
    return 1;
  }
  std::FILE* fp = nullptr;
  for (int i = 0; i < npaths && !fp; ++i) fp = std::fopen(paths[i], "r");
  if (!fp) return -1;
  std::string line;
  while (next_line(fp, line)) {
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
  return 0;
}

int getlocation(const char* key, std::string& value) {
  return getlocation_in(key, value, locations_paths, 3);
}

}  // namespace getpar
