// The catalogs the event service serves: each a name, a format and a
// catalog file or an installed tree of period-named files.
#ifndef SERVICE_CATALOG_SET_H
#define SERVICE_CATALOG_SET_H

#include <memory>
#include <string>
#include <vector>

#include "inputs/catalog_tree.h"
#include "readers/formats.h"

namespace catsieve {

struct ServedCatalog {
  std::string name;
  const FormatRow* format = nullptr;
  std::string path;  // a catalog file, or the directory of a tree
  bool tree = false;
  // A tree's directory listings, kept while its directories stay as they are.
  std::shared_ptr<DirListings> listings;
};

// Adds the catalog of an entry "NAME=FORMAT:PATH" (FORMAT a -format
// word); false with the reason when it is malformed, its format unknown,
// its path unreadable or its name taken.
bool add_catalog(const std::string& entry, std::vector<ServedCatalog>* set, std::string* why);
// Every installed catalog found through its format's location key, named
// by the format word.
std::vector<ServedCatalog> installed_catalogs();
// The catalog of that name, or null.
const ServedCatalog* find_catalog_named(const std::vector<ServedCatalog>& set,
                                        const std::string& name);

}  // namespace catsieve

#endif
