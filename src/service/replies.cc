// Answers and their access log lines.
#include "service/replies.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "service/error_document.h"
#include "service/gzip_body.h"

namespace catsieve {

namespace {

constexpr char kRetryAfter[] = "5";
constexpr size_t kBodyBlock = 16 * 1024;  // what one read of a streamed body gives at most
constexpr size_t kTimeText = 32;

std::string utc_now() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[kTimeText];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return text;
}

std::string client_address(MHD_Connection* c) {
  const MHD_ConnectionInfo* info = MHD_get_connection_info(c, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
  char host[NI_MAXHOST] = "-";
  if (info && info->client_addr) {
    socklen_t len =
        info->client_addr->sa_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
    getnameinfo(info->client_addr, len, host, sizeof host, nullptr, 0, NI_NUMERICHOST);
  }
  return host;
}

MHD_Result queue(const Reply& r, int status, MHD_Response* response, const char* type,
                 bool retry = false) {
  MHD_add_response_header(response, "Access-Control-Allow-Origin", "*");
  if (type) MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, type);
  if (retry) MHD_add_response_header(response, MHD_HTTP_HEADER_RETRY_AFTER, kRetryAfter);
  r.x->status = status;
  MHD_Result ok = MHD_queue_response(r.c, static_cast<unsigned>(status), response);
  MHD_destroy_response(response);
  return ok;
}

// The body of a streamed answer, read by libmicrohttpd as the client
// takes it.
struct Body {
  ServerState* s;
  std::unique_ptr<SearchStream> stream;
  std::shared_ptr<BodyTally> tally;
  std::unique_ptr<GzipBody> gzip;
  std::string pending;
  size_t at = 0;
  bool finished = false;
};

ssize_t read_body(void* cls, uint64_t, char* buf, size_t max) {
  Body& b = *static_cast<Body*>(cls);
  while (b.at == b.pending.size()) {
    if (b.finished) return MHD_CONTENT_READER_END_OF_STREAM;
    std::string piece;
    util::Status status;
    bool more = !b.s->stopping && b.stream->next(&piece, &status);
    if (!more && (b.s->stopping || !status.ok())) {
      std::lock_guard<std::mutex> lock(b.tally->mutex);
      b.tally->note = b.s->stopping         ? "the service stopped\n"
                      : status.text.empty() ? "a catalog file could not be read whole\n"
                                            : status.text;
      return MHD_CONTENT_READER_END_WITH_ERROR;
    }
    b.finished = !more;
    if (b.gzip)
      b.pending = b.gzip->add(piece, b.finished);
    else
      b.pending = std::move(piece);
    b.at = 0;
  }
  size_t n = std::min(max, b.pending.size() - b.at);
  std::memcpy(buf, b.pending.data() + b.at, n);
  b.at += n;
  std::lock_guard<std::mutex> lock(b.tally->mutex);
  b.tally->bytes += static_cast<long long>(n);
  return static_cast<ssize_t>(n);
}

void free_body(void* cls) { delete static_cast<Body*>(cls); }

}  // namespace

void* exchange_arrived(void*, const char* uri, MHD_Connection* c) {
  Exchange* x = new Exchange;
  x->uri = uri ? uri : "";
  x->client = client_address(c);
  x->submitted = std::time(nullptr);
  x->start = std::chrono::steady_clock::now();
  return x;
}

namespace {

// Why an answer ended before its end, as the server library tells it;
// null for an answer sent whole.
const char* cut_reason(MHD_RequestTerminationCode code) {
  switch (code) {
    case MHD_REQUEST_TERMINATED_COMPLETED_OK: return nullptr;
    case MHD_REQUEST_TERMINATED_TIMEOUT_REACHED: return "the client was idle too long\n";
    case MHD_REQUEST_TERMINATED_DAEMON_SHUTDOWN: return "the service stopped\n";
    case MHD_REQUEST_TERMINATED_CLIENT_ABORT: return "the client went away\n";
    default: return "the connection failed\n";
  }
}

}  // namespace

void exchange_completed(void* cls, MHD_Connection*, void** con_cls,
                        MHD_RequestTerminationCode code) {
  ServerState& s = *static_cast<ServerState*>(cls);
  Exchange* x = static_cast<Exchange*>(*con_cls);
  if (!x) return;
  *con_cls = nullptr;
  long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now() - x->start)
                     .count();
  std::string line;
  {
    std::lock_guard<std::mutex> lock(x->tally->mutex);
    const char* reason = cut_reason(code);
    if (reason && s.stopping) reason = "the service stopped\n";
    if (x->tally->note.empty() && reason && x->status) x->tally->note = reason;
    line = utc_now() + " " + x->client + " " + x->method + " " + x->uri + " " +
           std::to_string(x->status) + " " + std::to_string(x->tally->bytes) + " " +
           std::to_string(ms) + "\n";
    if (!x->tally->note.empty()) line += "  body cut short: " + x->tally->note;
  }
  s.write_log(line);
  if (x->status) --s.in_flight;
  delete x;
}

MHD_Result answer(const Reply& r, int status, const char* type, const std::string& body,
                  bool retry) {
  bool zip = r.gzip && !body.empty();
  std::string sent = zip ? gzip_whole(body) : body;
  MHD_Response* response = MHD_create_response_from_buffer(
      sent.size(), const_cast<char*>(sent.data()), MHD_RESPMEM_MUST_COPY);
  if (zip) MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_ENCODING, "gzip");
  {
    std::lock_guard<std::mutex> lock(r.x->tally->mutex);
    r.x->tally->bytes = static_cast<long long>(sent.size());
  }
  return queue(r, status, response, type, retry);
}

MHD_Result answer_error(const ServerState& s, const Reply& r, int status,
                        const std::string& details, bool retry) {
  std::string root = s.base.substr(0, s.base.size() - (sizeof kServicePath - 1));
  ErrorReport report{status, details, s.base, root + r.x->uri, r.x->submitted, s.settings.version};
  return answer(r, status, "text/plain", error_document(report), retry);
}

MHD_Result answer_stream(ServerState& s, const Reply& r, const char* type,
                         std::unique_ptr<SearchStream> stream) {
  Body* body = new Body{&s, std::move(stream), r.x->tally, nullptr, "", 0, false};
  if (r.gzip) body->gzip.reset(new GzipBody);
  MHD_Response* response =
      MHD_create_response_from_callback(MHD_SIZE_UNKNOWN, kBodyBlock, read_body, body, free_body);
  if (r.gzip) MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_ENCODING, "gzip");
  return queue(r, 200, response, type);
}

const char* content_type(const Form& form) {
  if (std::strcmp(form.name, "quakeml") == 0) return "application/xml";
  if (std::strcmp(form.name, "csv") == 0) return "text/csv";
  if (std::strcmp(form.name, "geojson") == 0) return "application/json";
  return "text/plain";
}

}  // namespace catsieve
