// Line reader for key files: a backslash at the end of a line joins the next
// line to it, and the last line can be handed back once more.
#include <cstdio>
#include <string>

#include "getpar/getlocation.h"

namespace getpar {

namespace {
int ungetflag = 0;
int ungetlast = 0;
}  // namespace

int getline(std::FILE* fp, std::string& line) {
  if (ungetflag) {
    ungetflag = 0;
    return ungetlast;
  }
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
    if (c == '\n') {
      ungetlast = static_cast<int>(line.size());
      return ungetlast;
    }
    line += static_cast<char>(c);
  }
  if (line.empty()) return -1;
  ungetlast = static_cast<int>(line.size());
  return ungetlast;
}

void ungetline() { ungetflag = 1; }

}  // namespace getpar
