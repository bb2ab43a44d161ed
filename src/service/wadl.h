// The service description (WADL) of the event service: its methods and
// exactly the query parameters it takes, from the parameter tables.
#ifndef SERVICE_WADL_H
#define SERVICE_WADL_H

#include <string>

namespace catsieve {

// The description, with base the service's address
// ("http://127.0.0.1:8080/fdsnws/event/1/").
std::string service_wadl(const std::string& base);

}  // namespace catsieve

#endif
