// The installed catalog: the directory tree of a format, whose files are
// named by the period they cover (year.month, first-last year, or year).
#ifndef CATSIEVE_FILE_UTILS_H
#define CATSIEVE_FILE_UTILS_H

#include <string>
#include <vector>

namespace catsieve {

// The interval of the last find_catalog call (0.0: that end open), and the
// calendar year and month of each end, which catalog_file_in_range compares
// names with (a year of 0: that end open).  A zero bound leaves its calendar
// values unchanged.
extern double catmin, catmax;
extern int catmin_year, catmin_month, catmax_year, catmax_month;

// Told of each entry of the catalog tree that the walk passes over (why:
// the system's error text or the reason), the catalog directory itself
// included when it cannot be read; none by default.
extern void (*catalog_skipped)(const char* path, const char* why);

// Path names, sorted in byte order, of the catalog files below the directory
// that catdir_key names whose period overlaps [minyear, maxyear] (time
// values; 0.0 or an infinite bound leaves that end open).  The walk follows
// symbolic links, skips names beginning with ".", paths longer than 1022
// characters and directories already on the way down.  Ends the run (status 255) when the
// key is found neither in the environment nor in a LOCATIONS file.  The
// table is rebuilt by each call.
std::vector<std::string>* find_catalog(const char* catdir_key, double minyear, double maxyear);
// Adds the in-range regular files below dir, to any depth; -1 when dir
// cannot be opened as a directory.
int find_catalog_files(const char* dir);
// 1 when the file's name shows a period overlapping the interval, or no
// period at all.
int catalog_file_in_range(const char* filename);
// Byte order of two path names, for sorting.
bool cmp_catalog_filename(const std::string& a, const std::string& b);

}  // namespace catsieve

#endif
