// The answers of the service: whole bodies, error documents and streamed
// bodies, with the headers every answer carries, and what the access log
// writes of each request.
#ifndef SERVICE_REPLIES_H
#define SERVICE_REPLIES_H

#include <microhttpd.h>

#include <chrono>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>

#include "outputs/forms.h"
#include "service/search_stream.h"
#include "service/server_state.h"

namespace catsieve {

constexpr char kServicePath[] = "/fdsnws/event/1/";

// What the access log writes of a request's body once it is over.
struct BodyTally {
  std::mutex mutex;
  long long bytes = 0;
  std::string note;  // why a body was cut short
};

// One request, from its arrival to its log line.
struct Exchange {
  std::string uri;  // as received, query included
  std::string client;
  std::string method;
  std::time_t submitted = 0;
  std::chrono::steady_clock::time_point start;
  int status = 0;
  std::shared_ptr<BodyTally> tally = std::make_shared<BodyTally>();
};

// libmicrohttpd's callbacks at a request's arrival and end: the exchange
// begins, and ends with its access log line.
void* exchange_arrived(void* cls, const char* uri, MHD_Connection* c);
void exchange_completed(void* cls, MHD_Connection* c, void** con_cls,
                        MHD_RequestTerminationCode code);

// The parts of one answer that all its headers depend on.
struct Reply {
  MHD_Connection* c;
  Exchange* x;
  bool gzip;
};

// A whole body; type null for none.  With retry, a Retry-After header.
MHD_Result answer(const Reply& r, int status, const char* type, const std::string& body,
                  bool retry = false);
// The error document of the status.
MHD_Result answer_error(const ServerState& s, const Reply& r, int status,
                        const std::string& details, bool retry = false);
// A body read from the stream as the client takes it: chunked, and cut
// short without its last chunk when the search fails or the service stops.
MHD_Result answer_stream(ServerState& s, const Reply& r, const char* type,
                         std::unique_ptr<SearchStream> stream);
// The content type of a form's documents.
const char* content_type(const Form& form);

}  // namespace catsieve

#endif
