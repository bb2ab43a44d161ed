// Discovery of the installed catalog files of a format.
#include "catsieve/file_utils.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <climits>
#include <cstdio>
#include <cstring>
#include <utility>

#include "getpar/getlocation.h"
#include "util/calendar.h"
#include "util/quit.h"

namespace catsieve {

void (*catalog_skipped)(const char* path, const char* why) = nullptr;
double catmin, catmax;
int catmin_year, catmin_month, catmax_year, catmax_month;

namespace {

std::vector<std::string> p_catalogfiles;

// Longest path the walk forms; longer ones are skipped.
constexpr size_t kMaxPath = 1022;

// Directories on the current walk path, by device and inode, so that a
// symbolic link back up the tree is not followed round and round.
std::vector<std::pair<dev_t, ino_t>> walk_path;

void year_month(double t, int* year, int* month) {
  int day, hour, minute;
  double seconds;
  util::datime(t, year, month, &day, &hour, &minute, &seconds, 1);
}

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads a decimal integer at *p the way "%d" does (leading white space, an
// optional sign, digits) and moves *p past it.  Numbers too large for an int
// stop at the int's limits.  False, with *p unchanged, when no digit follows.
bool scan_int(const char** p, int* value) {
  const char* s = *p;
  while (is_space(*s)) ++s;
  bool minus = *s == '-';
  if (*s == '-' || *s == '+') ++s;
  if (*s < '0' || *s > '9') return false;
  long long n = 0;
  for (; *s >= '0' && *s <= '9'; ++s)
    if (n <= INT_MAX) n = n * 10 + (*s - '0');
  if (minus) n = -n;
  *value = static_cast<int>(std::clamp<long long>(n, INT_MIN, INT_MAX));
  *p = s;
  return true;
}

bool on_walk_path(const struct stat& st) {
  for (const auto& d : walk_path)
    if (d.first == st.st_dev && d.second == st.st_ino) return true;
  return false;
}

void skipped(const std::string& path, const char* why) {
  if (catalog_skipped) catalog_skipped(path.c_str(), why);
}

int walk(const std::string& dir) {
  DIR* d = opendir(dir.c_str());
  if (!d) {
    skipped(dir, std::strerror(errno));
    return -1;
  }
  std::string path = dir + "/";
  size_t base = path.size();
  while (struct dirent* e = readdir(d)) {
    if (e->d_name[0] == '.') continue;
    if (e->d_name[0] == '\0') {
      std::fprintf(stderr, "Entry in %s starts with null\n", dir.c_str());
      std::fflush(stderr);
      util::quit(1);
    }
    if (base + std::strlen(e->d_name) > kMaxPath) {
      skipped(path + e->d_name, "path too long");
      continue;
    }
    path.resize(base);
    path += e->d_name;
    // A plain file needs no stat: most of a tree is months out of range.
    if (e->d_type == DT_REG) {
      if (catalog_file_in_range(path.c_str())) p_catalogfiles.push_back(path);
      continue;
    }
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
      skipped(path, std::strerror(errno));
      continue;
    }
    if (S_ISDIR(st.st_mode)) {
      if (on_walk_path(st)) {
        skipped(path, "a link back to a directory being walked");
        continue;
      }
      walk_path.emplace_back(st.st_dev, st.st_ino);
      walk(path);
      walk_path.pop_back();
    } else if (!S_ISREG(st.st_mode)) {
      skipped(path, "neither a file nor a directory");
    } else if (catalog_file_in_range(path.c_str())) {
      p_catalogfiles.push_back(path);
    }
  }
  closedir(d);
  return 0;
}

}  // namespace

std::vector<std::string>* find_catalog(const char* catdir_key, double minyear, double maxyear) {
  catmin = minyear;
  catmax = maxyear;
  std::string catdir;
  getpar::getlocation(catdir_key, catdir, 1);
  p_catalogfiles.clear();
  // A zero bound leaves its calendar values as they were: the driver asks
  // once per run, when they are still 0 (open).  So does an infinite one,
  // the open end of --since or --until.
  if (catmin != 0.0 && std::isfinite(catmin)) year_month(catmin, &catmin_year, &catmin_month);
  if (catmax != 0.0 && std::isfinite(catmax)) year_month(catmax, &catmax_year, &catmax_month);
  find_catalog_files(catdir.c_str());
  std::sort(p_catalogfiles.begin(), p_catalogfiles.end(), cmp_catalog_filename);
  return &p_catalogfiles;
}

int find_catalog_files(const char* dir) {
  walk_path.clear();
  struct stat st;
  if (stat(dir, &st) == 0) walk_path.emplace_back(st.st_dev, st.st_ino);
  return walk(dir);
}

int catalog_file_in_range(const char* filename) {
  const char* slash = std::strrchr(filename, '/');
  const char* p = slash ? slash + 1 : filename;
  int first, second;
  if (!scan_int(&p, &first)) return 1;
  char sep = *p++;
  if (sep == '.' && scan_int(&p, &second)) {
    bool after_min = !catmin_year || first > catmin_year ||
                     (first == catmin_year && second >= catmin_month);
    bool before_max = !catmax_year || first < catmax_year ||
                      (first == catmax_year && second <= catmax_month);
    return after_min && before_max;
  }
  if (sep == '-' && scan_int(&p, &second))
    return (!catmin_year || second >= catmin_year) && (!catmax_year || first <= catmax_year);
  return (!catmin_year || first >= catmin_year) && (!catmax_year || first <= catmax_year);
}

bool cmp_catalog_filename(const std::string& a, const std::string& b) {
  return std::strcmp(a.c_str(), b.c_str()) < 0;
}

}  // namespace catsieve
