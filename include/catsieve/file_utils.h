// The installed catalog: the directory tree of a format, whose files are
// named by the period they cover (year.month, first-last year, or year).
#ifndef CATSIEVE_FILE_UTILS_H
#define CATSIEVE_FILE_UTILS_H

#include <string>
#include <vector>

namespace catsieve {

// Path names, sorted in byte order, of the catalog files below the directory
// that catdir_key names whose period overlaps [minyear, maxyear] (time
// values; 0.0 leaves that end open).  Ends the run when the key is found
// neither in the environment nor in a LOCATIONS file.
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
