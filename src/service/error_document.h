// The error document of the FDSN web services: the status and its reason,
// what was wrong, where the usage is described, the request, when it came
// and the service's version, each item a line with a blank line between
// blocks.
#ifndef SERVICE_ERROR_DOCUMENT_H
#define SERVICE_ERROR_DOCUMENT_H

#include <ctime>
#include <string>

namespace catsieve {

// The reason phrase of an HTTP status the service answers with.
const char* status_reason(int status);

struct ErrorReport {
  int status;
  std::string details;    // what was wrong and how to put it right
  std::string usage_url;  // the service's usage page
  std::string request;    // the request URL as received
  std::time_t submitted;  // when it arrived
  std::string version;    // the service's version
};

std::string error_document(const ErrorReport& r);

}  // namespace catsieve

#endif
