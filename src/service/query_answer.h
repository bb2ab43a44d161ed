// The query and count methods: a request's parameters read, its catalogs
// chosen and searched, and the answer sent.
#ifndef SERVICE_QUERY_ANSWER_H
#define SERVICE_QUERY_ANSWER_H

#include "service/replies.h"
#include "service/server_state.h"

namespace catsieve {

// Answers a query request, or with count the count request, of the
// connection's parameters.
MHD_Result answer_query(ServerState& s, const Reply& r, bool count);

}  // namespace catsieve

#endif
