// Reading the catalogs the service is told to serve.
#include "service/catalog_set.h"

#include <sys/stat.h>

#include "getpar/getlocation.h"

namespace catsieve {

namespace {

// What a path is: 0 a regular file, 1 a directory, -1 neither or missing.
int path_kind(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return -1;
  if (S_ISDIR(st.st_mode)) return 1;
  return S_ISREG(st.st_mode) ? 0 : -1;
}

}  // namespace

bool add_catalog(const std::string& entry, std::vector<ServedCatalog>* set, std::string* why) {
  size_t eq = entry.find('=');
  size_t colon = eq == std::string::npos ? eq : entry.find(':', eq + 1);
  if (eq == std::string::npos || colon == std::string::npos) {
    *why = "--catalog \"" + entry + "\": give NAME=FORMAT:PATH, e.g. north=tarn:north.cat";
    return false;
  }
  ServedCatalog c;
  c.name = entry.substr(0, eq);
  std::string word = entry.substr(eq + 1, colon - eq - 1);
  c.path = entry.substr(colon + 1);
  if (c.name.empty() || c.path.empty()) {
    *why = "--catalog \"" + entry + "\": the name and the path may not be empty";
    return false;
  }
  c.format = format_named(word.c_str());
  if (!c.format) {
    *why = "--catalog \"" + entry + "\": \"" + word + "\" is not a format word";
    return false;
  }
  if (find_catalog_named(*set, c.name)) {
    *why = "--catalog \"" + entry + "\": a catalog is already named " + c.name;
    return false;
  }
  int kind = path_kind(c.path);
  if (kind < 0) {
    *why = "--catalog \"" + entry + "\": " + c.path + " is neither a file nor a directory";
    return false;
  }
  c.tree = kind == 1;
  if (c.tree) c.listings = make_dir_listings();
  set->push_back(c);
  return true;
}

std::vector<ServedCatalog> installed_catalogs() {
  std::vector<ServedCatalog> set;
  for (int i = 0; i < kFormatCount; ++i) {
    const FormatRow& f = kFormats[i];
    std::string dir;
    if (!f.catalog_key || getpar::getlocation(f.catalog_key, dir) != 1) continue;
    if (path_kind(dir) != 1 || find_catalog_named(set, f.keyword)) continue;
    set.push_back(ServedCatalog{f.keyword, &f, dir, true, make_dir_listings()});
  }
  return set;
}

const ServedCatalog* find_catalog_named(const std::vector<ServedCatalog>& set,
                                        const std::string& name) {
  for (const ServedCatalog& c : set)
    if (c.name == name) return &c;
  return nullptr;
}

}  // namespace catsieve
