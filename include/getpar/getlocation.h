// Location lookup: a key such as "LODECATDIR" resolved to a directory path,
// from the environment first, then from a LOCATIONS file.
#ifndef GETPAR_GETLOCATION_H
#define GETPAR_GETLOCATION_H

#include <cstdio>
#include <string>

namespace getpar {

// The places of the LOCATIONS file, tried in this order.
extern const char* const locations_paths[3];

// 1 when key was found (its value stored in value), 0 when the LOCATIONS
// file holds no entry for it, -1 when no LOCATIONS file opens.  With fatal
// set the last two end the run with exit status 255.
int getlocation(const char* key, std::string& value, int fatal);
// The same lookup over another list of LOCATIONS places.
int getlocation_in(const char* key, std::string& value, int fatal,
                   const char* const* paths, int npaths);

// fp when it is already open, else path opened for reading (or nullptr).
std::FILE* gl_checkopen(std::FILE* fp, const char* path);

// Next line of fp without its newline, continued lines joined; the number of
// characters stored, or -1 at end of file with nothing stored.
int getline(std::FILE* fp, std::string& line);
// Makes the next getline return the same line again.
void ungetline();

}  // namespace getpar

#endif
