// Discovery of the installed catalog files of a format.
#include "inputs/catalog_tree.h"

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

namespace catsieve {

namespace {

// Longest path the walk forms; longer ones are skipped.
constexpr size_t kMaxPath = 1022;

struct Walk {
  const CatalogWindow& window;
  const SkipNotice& notice;
  std::vector<std::string>& files;
  // Directories on the current walk path, by device and inode, so that a
  // symbolic link back up the tree is not followed round and round.
  std::vector<std::pair<dev_t, ino_t>> path;
  util::Status status;  // a name the walk cannot go on past
};

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

bool on_walk_path(const Walk& w, const struct stat& st) {
  for (const auto& d : w.path)
    if (d.first == st.st_dev && d.second == st.st_ino) return true;
  return false;
}

void skipped(const Walk& w, const std::string& path, const char* why) {
  if (w.notice.skipped) w.notice.skipped(w.notice.ctx, path.c_str(), why);
}

void walk(Walk& w, const std::string& dir) {
  DIR* d = opendir(dir.c_str());
  if (!d) {
    skipped(w, dir, std::strerror(errno));
    return;
  }
  std::string path = dir + "/";
  size_t base = path.size();
  while (struct dirent* e = readdir(d)) {
    if (e->d_name[0] == '.') continue;
    if (e->d_name[0] == '\0') {
      w.status = util::failure(1, "Entry in %s starts with null\n", dir.c_str());
      break;
    }
    if (base + std::strlen(e->d_name) > kMaxPath) {
      skipped(w, path + e->d_name, "path too long");
      continue;
    }
    path.resize(base);
    path += e->d_name;
    // A plain file needs no stat: most of a tree is months out of range.
    if (e->d_type == DT_REG) {
      if (catalog_file_in_range(path.c_str(), w.window)) w.files.push_back(path);
      continue;
    }
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
      skipped(w, path, std::strerror(errno));
      continue;
    }
    if (S_ISDIR(st.st_mode)) {
      if (on_walk_path(w, st)) {
        skipped(w, path, "a link back to a directory being walked");
        continue;
      }
      w.path.emplace_back(st.st_dev, st.st_ino);
      walk(w, path);
      w.path.pop_back();
      if (!w.status.ok()) break;
    } else if (!S_ISREG(st.st_mode)) {
      skipped(w, path, "neither a file nor a directory");
    } else if (catalog_file_in_range(path.c_str(), w.window)) {
      w.files.push_back(path);
    }
  }
  closedir(d);
}

}  // namespace

CatalogWindow catalog_window(double min, double max) {
  CatalogWindow w;
  // A zero or infinite bound (the open end of --since or --until) leaves
  // that end open.
  if (min != 0.0 && std::isfinite(min)) year_month(min, &w.min_year, &w.min_month);
  if (max != 0.0 && std::isfinite(max)) year_month(max, &w.max_year, &w.max_month);
  return w;
}

util::Status find_catalog(const char* catdir_key, const CatalogWindow& w,
                          const SkipNotice& notice, std::vector<std::string>* files) {
  std::string catdir;
  int found = getpar::getlocation(catdir_key, catdir);
  if (found < 0) return util::failure(255, "cannot open LOCATION file -fatal\n");
  if (found == 0) return util::failure(255, "cannot find %s in environment or LOCATION\n", catdir_key);
  return find_catalog_files(catdir.c_str(), w, notice, files);
}

util::Status find_catalog_files(const char* dir, const CatalogWindow& window,
                                const SkipNotice& notice, std::vector<std::string>* files) {
  files->clear();
  Walk w{window, notice, *files, {}, {}};
  struct stat st;
  if (stat(dir, &st) == 0) w.path.emplace_back(st.st_dev, st.st_ino);
  walk(w, dir);
  std::sort(files->begin(), files->end(), [](const std::string& a, const std::string& b) {
    return std::strcmp(a.c_str(), b.c_str()) < 0;
  });
  return w.status;
}

bool catalog_file_in_range(const char* filename, const CatalogWindow& w) {
  const char* slash = std::strrchr(filename, '/');
  const char* p = slash ? slash + 1 : filename;
  int first, second;
  if (!scan_int(&p, &first)) return true;
  char sep = *p++;
  if (sep == '.' && scan_int(&p, &second)) {
    bool after_min = !w.min_year || first > w.min_year ||
                     (first == w.min_year && second >= w.min_month);
    bool before_max = !w.max_year || first < w.max_year ||
                      (first == w.max_year && second <= w.max_month);
    return after_min && before_max;
  }
  if (sep == '-' && scan_int(&p, &second))
    return (!w.min_year || second >= w.min_year) && (!w.max_year || first <= w.max_year);
  return (!w.min_year || first >= w.min_year) && (!w.max_year || first <= w.max_year);
}

}  // namespace catsieve
