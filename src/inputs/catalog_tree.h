// The installed catalog: the directory tree of a format, whose files are
// named by the period they cover (year.month, first-last year, or year).
#ifndef INPUTS_CATALOG_TREE_H
#define INPUTS_CATALOG_TREE_H

#include <string>
#include <vector>

#include "util/status.h"

namespace catsieve {

// The calendar year and month of each end of a time interval, which the
// names of catalog files are compared with (a year of 0: that end open).
struct CatalogWindow {
  int min_year = 0, min_month = 0, max_year = 0, max_month = 0;
};
// The window of [min, max] (time values; 0.0 or an infinite bound leaves
// that end open).
CatalogWindow catalog_window(double min, double max);

// Told of each entry of the catalog tree that the walk passes over (why:
// the system's error text or the reason), the catalog directory itself
// included when it cannot be read.
struct SkipNotice {
  void (*skipped)(void* ctx, const char* path, const char* why) = nullptr;
  void* ctx = nullptr;
};

// Path names, sorted in byte order, of the catalog files below dir whose
// period overlaps the window.  The walk follows symbolic links, skips names
// beginning with ".", paths longer than 1022 characters and directories
// already on the way down.
util::Status find_catalog_files(const char* dir, const CatalogWindow& w, const SkipNotice& notice,
                                std::vector<std::string>* files);
// The same below the directory that catdir_key names in the environment or
// a LOCATIONS file; exit status 255 when it is found in neither.
util::Status find_catalog(const char* catdir_key, const CatalogWindow& w,
                          const SkipNotice& notice, std::vector<std::string>* files);
// Whether the file's name shows a period overlapping the window, or no
// period at all.
bool catalog_file_in_range(const char* filename, const CatalogWindow& w);

}  // namespace catsieve

#endif
