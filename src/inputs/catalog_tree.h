// The installed catalog: the directory tree of a format, whose files are
// named by the period they cover (year.month, first-last year, or year).
#ifndef INPUTS_CATALOG_TREE_H
#define INPUTS_CATALOG_TREE_H

#include <memory>
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

// Told of each entry of the catalog tree that the walk passes over, and
// what became of it ("not read (" and the system's error text or the
// reason ")", "read only in part (...)", "not read: the same file as
// ..."), the catalog directory itself included when it cannot be read.
struct SkipNotice {
  void (*skipped)(void* ctx, const char* path, const char* what) = nullptr;
  void* ctx = nullptr;
};

// The listings of a tree's directories, kept from one walk to the next by
// a caller that walks the same tree again and again (the event service).
// A directory is read again when its device, inode, change or modification
// time differ from the listing's, and a listing is kept only of a
// directory that changed at least two seconds before it was read (two
// changes within one tick of the clock leave its times as they were).
// Walks may share it at once.
class DirListings;
std::shared_ptr<DirListings> make_dir_listings();

// Path names, sorted in byte order, of the catalog files below dir whose
// period overlaps the window.  The walk follows symbolic links, skips names
// beginning with ".", paths longer than 1022 characters and directories
// already on the way down; a directory that cannot be read to its end is
// read as far as it goes.  With once, each directory is walked and each
// file found once, by device and inode, whatever links lead to them: the
// first path in byte order stays, and each other one is told.
util::Status find_catalog_files(const char* dir, const CatalogWindow& w, const SkipNotice& notice,
                                std::vector<std::string>* files, bool once = false,
                                DirListings* listings = nullptr);
// The same below the directory that catdir_key names in the environment or
// a LOCATIONS file; exit status 255 when it is found in neither.
util::Status find_catalog(const char* catdir_key, const CatalogWindow& w,
                          const SkipNotice& notice, std::vector<std::string>* files,
                          bool once = false);
// Whether the file's name shows a period overlapping the window, or no
// period at all.
bool catalog_file_in_range(const char* filename, const CatalogWindow& w);

}  // namespace catsieve

#endif
