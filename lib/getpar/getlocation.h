// Location lookup: a key such as "LODECATDIR" resolved to a directory path,
// from the environment first, then from a LOCATIONS file.
#ifndef GETPAR_GETLOCATION_H
#define GETPAR_GETLOCATION_H

#include <string>

namespace getpar {

// The places of the LOCATIONS file, tried in this order.
extern const char* const locations_paths[3];

// 1 when key was found (its value stored in value), 0 when the LOCATIONS
// file holds no entry for it, -1 when no LOCATIONS file opens.
int getlocation(const char* key, std::string& value);
// The same lookup over another list of LOCATIONS places.
int getlocation_in(const char* key, std::string& value, const char* const* paths, int npaths);

}  // namespace getpar

#endif
