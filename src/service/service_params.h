// The parameters of the event service's query and count methods: the
// FDSN names that select events, from the table the command's options read
// too, and the service's own (catalog, contributor, format, limit, offset,
// orderby, nodata, include...).  A request is read into a query, or into
// the message of a 400 answer.
#ifndef SERVICE_SERVICE_PARAMS_H
#define SERVICE_SERVICE_PARAMS_H

#include <string>
#include <utility>
#include <vector>

#include "outputs/forms.h"
#include "outputs/order_settings.h"
#include "query/query.h"

namespace catsieve {

// A parameter as the request gave it: its name and its decoded value.
using Param = std::pair<std::string, std::string>;

// What a query or count request asks for.
struct ServiceQuery {
  Query query;
  OrderSettings order;
  const Form* form = nullptr;  // format=: QuakeML unless told otherwise
  std::string catalog;         // catalog=, or empty for every catalog
  std::string contributor;     // contributor=, or empty
  int nodata = 204;            // the status of an answer without events
};

// Reads the parameters, with the service's cap on the events of a sort;
// false with the message of the 400 answer (what was wrong and how to put
// it right).  Without eventtype, every event type is selected.
bool read_service_query(const std::vector<Param>& params, long long max_events, ServiceQuery* q,
                        std::string* why);

// A service parameter: its name, short alias, type and default as a
// service description (WADL) gives them, and one line of what it does.
struct ServiceParam {
  const char* name;
  const char* alias;
  const char* type;
  const char* fallback;  // the default, or null
  bool (*set)(ServiceQuery& q, const std::string& value, std::string* why);
  const char* help;
};
extern const ServiceParam kServiceParams[];
extern const int kServiceParamCount;

}  // namespace catsieve

#endif
