// The service's methods besides query and count: its usage page, and the
// documents of catalogs and contributors.
#ifndef SERVICE_SMALL_METHODS_H
#define SERVICE_SMALL_METHODS_H

#include <string>

#include "service/server_state.h"

namespace catsieve {

// The usage page at the service's root.
std::string usage_page(const ServerState& s);
// The catalogs served, by name, as XML.
std::string catalogs_document(const ServerState& s);
// The contributor (the authority), as XML.
std::string contributors_document(const ServerState& s);

}  // namespace catsieve

#endif
