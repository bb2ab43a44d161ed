// Discovery of the installed catalog files of a format.
#include "inputs/catalog_tree.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "getpar/getlocation.h"
#include "util/calendar.h"

namespace catsieve {

struct DirEntry {
  std::string name;
  unsigned char type;  // as readdir tells it: DT_REG, DT_DIR, DT_LNK, DT_UNKNOWN, ...
};

class DirListings {
 public:
  struct Listing {
    dev_t dev;
    ino_t ino;
    timespec mtime, ctime;
    std::vector<DirEntry> entries;
  };
  std::mutex mutex;
  std::unordered_map<std::string, Listing> by_path;
};

std::shared_ptr<DirListings> make_dir_listings() { return std::make_shared<DirListings>(); }

namespace {

// Longest path the walk forms; longer ones are skipped.
constexpr size_t kMaxPath = 1022;

using FileId = std::pair<dev_t, ino_t>;

struct Walk {
  const CatalogWindow& window;
  const SkipNotice& notice;
  std::vector<std::string>& files;
  bool once;  // each directory and file once, by device and inode
  // Directories on the current walk path, by device and inode, so that a
  // symbolic link back up the tree is not followed round and round.
  std::vector<FileId> path;
  util::Status status;  // a name the walk cannot go on past
  // With once: the directories walked and the files found, by device and
  // inode, with the first path of each.
  std::map<FileId, std::string> dirs;
  std::vector<std::pair<std::string, FileId>> found;
  DirListings* listings;  // of earlier walks, or null
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

void skipped(const Walk& w, const std::string& path, const std::string& what) {
  if (w.notice.skipped) w.notice.skipped(w.notice.ctx, path.c_str(), what.c_str());
}

std::string not_read(const char* why) { return std::string("not read (") + why + ")"; }

bool byte_order(const std::string& a, const std::string& b) {
  return std::strcmp(a.c_str(), b.c_str()) < 0;
}

using Entry = DirEntry;

// The entries of a directory, in byte order of their names; false after a
// failed read, which ends the directory there.
bool entries(DIR* d, std::vector<Entry>* list) {
  for (;;) {
    errno = 0;
    struct dirent* e = readdir(d);
    if (!e) break;
    list->push_back(Entry{e->d_name, e->d_type});
  }
  bool read = errno == 0;
  std::sort(list->begin(), list->end(),
            [](const Entry& a, const Entry& b) { return byte_order(a.name, b.name); });
  return read;
}

void found(Walk& w, const std::string& path, const struct stat* st) {
  if (!catalog_file_in_range(path.c_str(), w.window)) return;
  w.files.push_back(path);
  if (w.once) w.found.emplace_back(path, FileId(st->st_dev, st->st_ino));
}

// Seconds a directory must have been left alone for its listing to be kept.
constexpr time_t kSettledSeconds = 2;

bool same_time(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// The listing kept of the directory as it stands, into *list; false when
// there is none.
bool kept_listing(DirListings& l, const std::string& dir, const struct stat& st,
                  std::vector<Entry>* list) {
  std::lock_guard<std::mutex> lock(l.mutex);
  auto it = l.by_path.find(dir);
  if (it == l.by_path.end()) return false;
  const DirListings::Listing& k = it->second;
  if (k.dev != st.st_dev || k.ino != st.st_ino || !same_time(k.mtime, st.st_mtim) ||
      !same_time(k.ctime, st.st_ctim))
    return false;
  *list = k.entries;
  return true;
}

void keep_listing(DirListings& l, const std::string& dir, const struct stat& st,
                  const std::vector<Entry>& list) {
  time_t now = std::time(nullptr);
  if (now - st.st_mtim.tv_sec < kSettledSeconds || now - st.st_ctim.tv_sec < kSettledSeconds)
    return;
  std::lock_guard<std::mutex> lock(l.mutex);
  l.by_path[dir] = DirListings::Listing{st.st_dev, st.st_ino, st.st_mtim, st.st_ctim, list};
}

// The entries of the directory, from the listing kept of it or read anew;
// false when it cannot be read.  st is what stat told of it, or null.
bool list_dir(Walk& w, const std::string& dir, const struct stat* st, std::vector<Entry>* list) {
  bool keyed = w.listings && st;
  if (keyed && kept_listing(*w.listings, dir, *st, list)) return true;
  DIR* d = opendir(dir.c_str());
  if (!d) {
    skipped(w, dir, not_read(std::strerror(errno)));
    return false;
  }
  bool whole = entries(d, list);
  int error = errno;
  closedir(d);
  if (!whole)
    skipped(w, dir, std::string("read only in part (") + std::strerror(error) + ")");
  else if (keyed)
    keep_listing(*w.listings, dir, *st, *list);
  return true;
}

void walk(Walk& w, const std::string& dir, const struct stat* dir_stat) {
  std::vector<Entry> list;
  if (!list_dir(w, dir, dir_stat, &list)) return;
  std::string path = dir + "/";
  size_t base = path.size();
  for (const Entry& e : list) {
    const std::string& name = e.name;
    if (name[0] == '.') continue;
    if (name.empty()) {
      w.status = util::failure(1, "Entry in %s starts with null\n", dir.c_str());
      break;
    }
    if (base + name.size() > kMaxPath) {
      skipped(w, path + name, not_read("path too long"));
      continue;
    }
    path.resize(base);
    path += name;
    // A plain file needs no stat, unless it is to be known by its inode:
    // most of a tree is months out of range.
    if (e.type == DT_REG && !catalog_file_in_range(path.c_str(), w.window)) continue;
    if (e.type == DT_REG && !w.once) {
      found(w, path, nullptr);
      continue;
    }
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
      skipped(w, path, not_read(std::strerror(errno)));
      continue;
    }
    if (S_ISDIR(st.st_mode)) {
      if (on_walk_path(w, st)) {
        skipped(w, path, not_read("a link back to a directory being walked"));
        continue;
      }
      FileId id(st.st_dev, st.st_ino);
      if (w.once) {
        auto seen = w.dirs.find(id);
        if (seen != w.dirs.end()) {
          skipped(w, path, "not read: the same directory as " + seen->second);
          continue;
        }
        w.dirs.emplace(id, path);
      }
      w.path.push_back(id);
      walk(w, path, &st);
      w.path.pop_back();
      if (!w.status.ok()) break;
    } else if (!S_ISREG(st.st_mode)) {
      skipped(w, path, not_read("neither a file nor a directory"));
    } else {
      found(w, path, &st);
    }
  }
}

// With once, a file found by a second path is left out; the first path in
// byte order stays.
void keep_first_paths(Walk& w) {
  std::sort(w.found.begin(), w.found.end(),
            [](const auto& a, const auto& b) { return byte_order(a.first, b.first); });
  std::map<FileId, std::string> first;
  w.files.clear();
  for (const auto& [path, id] : w.found) {
    auto known = first.emplace(id, path);
    if (known.second)
      w.files.push_back(path);
    else
      skipped(w, path, "not read: the same file as " + known.first->second);
  }
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

util::Status find_catalog(const char* catdir_key, const CatalogWindow& w, const SkipNotice& notice,
                          std::vector<std::string>* files, bool once) {
  std::string catdir;
  int found = getpar::getlocation(catdir_key, catdir);
  if (found < 0) return util::failure(255, "cannot open LOCATION file -fatal\n");
  if (found == 0)
    return util::failure(255, "cannot find %s in environment or LOCATION\n", catdir_key);
  return find_catalog_files(catdir.c_str(), w, notice, files, once);
}

util::Status find_catalog_files(const char* dir, const CatalogWindow& window,
                                const SkipNotice& notice, std::vector<std::string>* files,
                                bool once, DirListings* listings) {
  files->clear();
  Walk w{window, notice, *files, once, {}, {}, {}, {}, listings};
  struct stat st;
  bool known = stat(dir, &st) == 0;
  if (known) {
    w.path.emplace_back(st.st_dev, st.st_ino);
    w.dirs.emplace(w.path.back(), dir);
  }
  walk(w, dir, known ? &st : nullptr);
  if (once) keep_first_paths(w);
  std::sort(files->begin(), files->end(), byte_order);
  return w.status;
}

bool catalog_file_in_range(const char* filename, const CatalogWindow& w) {
  const char* slash = std::strrchr(filename, '/');
  const char* p = slash ? slash + 1 : filename;
  int first, second;
  if (!scan_int(&p, &first)) return true;
  char sep = *p++;
  if (sep == '.' && scan_int(&p, &second)) {
    bool after_min =
        !w.min_year || first > w.min_year || (first == w.min_year && second >= w.min_month);
    bool before_max =
        !w.max_year || first < w.max_year || (first == w.max_year && second <= w.max_month);
    return after_min && before_max;
  }
  if (sep == '-' && scan_int(&p, &second))
    return (!w.min_year || second >= w.min_year) && (!w.max_year || first <= w.max_year);
  return (!w.min_year || first >= w.min_year) && (!w.max_year || first <= w.max_year);
}

}  // namespace catsieve
