// The option table walk and the argument cursor shared by the handlers.
#include "util/cmd_opt.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "util/qerror.h"
#include "util/quit.h"

namespace util {

const OptionEntry* cmd = nullptr;
int ncmd = 0;
int eargc = 0;
char** eargv = nullptr;
int iarg = 0;
const char* const numeric_chars = "+-.0123456789eE";

const OptionEntry* findname(const char* word) {
  size_t n = std::strlen(word);
  const OptionEntry* found = nullptr;
  int matches = 0;
  for (int i = 0; i < ncmd; ++i) {
    if (std::strncmp(cmd[i].name, word, n) != 0) continue;
    if (std::strlen(cmd[i].name) == n) return &cmd[i];
    found = &cmd[i];
    ++matches;
  }
  if (matches == 0) error("Option \"%s\" not known", word);
  if (matches == 1) return found;
  std::fprintf(stderr, "%s: option \"%s\" is ambiguous: cf. ", progname, word);
  for (int i = 0; i < ncmd; ++i)
    if (std::strncmp(cmd[i].name, word, n) == 0) std::fprintf(stderr, " %s", cmd[i].name);
  std::fputc('\n', stderr);
  quit(1);
}

char* aarg() {
  if (iarg + 1 >= eargc) error("Too few args");
  return eargv[++iarg];
}

bool isnarg() {
  return iarg + 1 < eargc && verify(eargv[iarg + 1], numeric_chars) == nullptr;
}

void (*narg_check)(const char* word) = nullptr;

double narg() {
  if (!isnarg()) error("Numeric arg needed");
  const char* word = aarg();
  if (narg_check) narg_check(word);
  return std::atof(word);
}

char* peekarg() { return iarg + 1 < eargc ? eargv[iarg + 1] : nullptr; }

void prt_hdoc() { std::fputs("Option       Args            Remarks...\n\n", stderr); }

void prt_1doc(const OptionEntry* entry) {
  std::fprintf(stderr, "%-12s %-15s %s\n", entry->name, entry->args, entry->remark);
}

void prt_doc(const char* extra) {
  std::fprintf(stderr, "Usage:  %s [options]", progname);
  if (extra) std::fprintf(stderr, " %s", extra);
  std::fputc('\n', stderr);
  prt_hdoc();
  for (int i = 0; i < ncmd; ++i) prt_1doc(&cmd[i]);
  quit(1);
}

void prt_help() {
  prt_hdoc();
  for (++iarg; iarg < eargc; ++iarg) prt_1doc(findname(eargv[iarg]));
  quit(1);
}

void qhelp() {
  if (eargc < 3) prt_doc("[file...]");
  prt_help();
}

}  // namespace util
