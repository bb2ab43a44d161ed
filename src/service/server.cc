// The event service over libmicrohttpd: a thread per connection; query
// and count run their search on a thread of its own (search_stream.h).
#include "service/server.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>

#include "inputs/catalog_tree.h"
#include "service/error_document.h"
#include "service/gzip_body.h"
#include "service/search_stream.h"
#include "service/service_params.h"
#include "service/wadl.h"

namespace catsieve {

namespace {

constexpr char kPrefix[] = "/fdsnws/event/1/";
constexpr size_t kMemoryLimit = 64 * 1024;  // per connection: longer requests get 414 or 431
constexpr char kRetryAfter[] = "5";
constexpr char kOverloaded[] = "the service is busy; try again in a few seconds";
constexpr size_t kBodyBlock = 16 * 1024;  // what one read of a streamed body gives at most
constexpr int kWaitingPerThread = 1;      // requests that may wait for each search slot
constexpr size_t kTimeText = 32;

// What the access log writes of a request when it is over.
struct Tally {
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
  std::shared_ptr<Tally> tally = std::make_shared<Tally>();
};

}  // namespace

struct ServerState {
  ServerSettings settings;
  std::string base;
  MHD_Daemon* daemon = nullptr;
  std::mutex mutex;
  std::condition_variable slot_freed;
  std::FILE* log = nullptr;
  int running = 0;  // searches
  int waiting = 0;  // requests waiting for a search slot
  long long buffered = 0;
  std::atomic<int> in_flight{0};
  std::atomic<bool> stopping{false};

  void write_log(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex);
    if (!log) return;
    std::fputs(line.c_str(), log);
    std::fflush(log);
  }
};

namespace {

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

void* arrived(void*, const char* uri, MHD_Connection* c) {
  Exchange* x = new Exchange;
  x->uri = uri ? uri : "";
  x->client = client_address(c);
  x->submitted = std::time(nullptr);
  x->start = std::chrono::steady_clock::now();
  return x;
}

void completed(void* cls, MHD_Connection*, void** con_cls, MHD_RequestTerminationCode) {
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
    line = utc_now() + " " + x->client + " " + x->method + " " + x->uri + " " +
           std::to_string(x->status) + " " + std::to_string(x->tally->bytes) + " " +
           std::to_string(ms) + "\n";
    if (!x->tally->note.empty()) line += "  body cut short: " + x->tally->note;
  }
  s.write_log(line);
  if (x->status) --s.in_flight;
  delete x;
}

std::string xml_escaped(const std::string& text) {
  std::string out;
  for (char ch : text) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += ch;
    }
  }
  return out;
}

// The parts of one answer that all its headers depend on.
struct Reply {
  MHD_Connection* c;
  Exchange* x;
  bool gzip;
};

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

MHD_Result answer(const Reply& r, int status, const char* type, const std::string& body,
                  bool retry = false) {
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
                        const std::string& details, bool retry = false) {
  ErrorReport report{
      status,         details,
      s.base,         s.base.substr(0, s.base.size() - (sizeof kPrefix - 1)) + r.x->uri,
      r.x->submitted, s.settings.version};
  return answer(r, status, "text/plain", error_document(report), retry);
}

const char* content_type(const Form& form) {
  if (std::strcmp(form.name, "quakeml") == 0) return "application/xml";
  if (std::strcmp(form.name, "csv") == 0) return "text/csv";
  if (std::strcmp(form.name, "geojson") == 0) return "application/json";
  return "text/plain";
}

MHD_Result keep_param(void* cls, MHD_ValueKind, const char* key, const char* value) {
  static_cast<std::vector<Param>*>(cls)->emplace_back(key ? key : "", value ? value : "");
  return MHD_YES;
}

// The body of a streamed answer, read by libmicrohttpd as the client
// takes it.
struct Body {
  ServerState* s;
  std::unique_ptr<SearchStream> stream;
  std::shared_ptr<Tally> tally;
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
    b.pending = b.gzip ? b.gzip->add(piece, b.finished) : piece;
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

// The events a sorting request may hold at once.
long long sort_reserve(const ServiceQuery& q, long long max_events) {
  if (!sorts(q.order)) return 0;
  if (q.order.limit == 0) return max_events;
  return std::min(q.order.offset + q.order.limit - 1, max_events);
}

// Takes a search slot and the events of its sort; false when the service
// is too busy.
bool admit(ServerState& s, long long reserve) {
  std::unique_lock<std::mutex> lock(s.mutex);
  int limit = s.settings.threads;
  if (s.running + s.waiting >= limit + kWaitingPerThread * limit) return false;
  if (s.buffered + reserve > s.settings.max_buffered) return false;
  s.buffered += reserve;
  ++s.waiting;
  s.slot_freed.wait(lock, [&] { return s.running < limit; });
  --s.waiting;
  ++s.running;
  return true;
}

void release(ServerState& s, long long reserve) {
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    --s.running;
    s.buffered -= reserve;
  }
  s.slot_freed.notify_one();
}

// The catalogs a request reads, or the message of its 400.
bool choose_catalogs(const ServerState& s, const ServiceQuery& q,
                     std::vector<const ServedCatalog*>* chosen, std::string* why) {
  const std::vector<ServedCatalog>& all = s.settings.catalogs;
  if (!q.catalog.empty()) {
    const ServedCatalog* c = find_catalog_named(all, q.catalog);
    if (!c) {
      *why = "catalog: no catalog is named \"" + q.catalog + "\" (see the catalogs method)";
      return false;
    }
    std::string missing = q.query.mags.count ? magtypes_missing(*c->format, q.query.mags) : "";
    if (!missing.empty()) {
      *why = "magnitudetype: " + missing;
      return false;
    }
    chosen->push_back(c);
  } else {
    for (const ServedCatalog& c : all)
      if (!q.query.mags.count || magtypes_missing(*c.format, q.query.mags).empty())
        chosen->push_back(&c);
  }
  if (!q.contributor.empty() && q.contributor != s.settings.authority) chosen->clear();
  return true;
}

// Without catalog=, the catalogs are read by one search, their inputs in
// the order of the settings: the search alone sorts, limits and writes the
// one document.  That needs one format, of a layout that does not depend
// on the first line read.  Catalogs of several formats are searched one
// after the other into one document (search_stream.h), which cannot sort
// or cut the whole: such a query comes in catalog order; a count is the
// sum of a count of each, cut by offset and limit.
bool one_search(const std::vector<const ServedCatalog*>& chosen) {
  for (const ServedCatalog* c : chosen)
    if (c->format != chosen.front()->format ||
        (chosen.size() > 1 && (c->format->code == kTarnUnknown || c->format->code == kMechUnknown)))
      return false;
  return true;
}

// The inputs of the chosen catalogs, files of a tree each once; false
// with the name of a catalog whose tree cannot be read.
bool catalog_inputs(const std::vector<const ServedCatalog*>& chosen, const Query& q,
                    std::vector<Input>* inputs, std::string* failed, std::string* text) {
  CatalogWindow window =
      q.fdsn.ids.empty() ? catalog_window(q.otime.min, q.otime.max) : CatalogWindow{};
  for (const ServedCatalog* c : chosen) {
    if (!c->tree) {
      inputs->push_back(Input::file(c->path));
      continue;
    }
    std::vector<std::string> files;
    util::Status status = find_catalog_files(c->path.c_str(), window, SkipNotice{}, &files, true);
    if (!status.ok()) {
      *failed = c->name;
      *text = status.text;
      return false;
    }
    for (std::string& f : files) inputs->push_back(Input::file(std::move(f)));
  }
  return true;
}

// The answer without events: a count of 0, or the nodata status.
MHD_Result answer_nothing(const ServerState& s, const Reply& r, const ServiceQuery& q, bool count,
                          const std::string& empty) {
  if (count) return answer(r, 200, "text/plain", empty);
  if (q.nodata == 404) return answer_error(s, r, 404, "no events match the request");
  return answer(r, 204, nullptr, "");
}

// The count over catalogs of several formats: the events of each in
// catalog order, then the offset and limit over their sum.
MHD_Result answer_count(ServerState& s, const Reply& r, const ServiceQuery& q,
                        const std::vector<const ServedCatalog*>& chosen) {
  if (!admit(s, 0)) return answer_error(s, r, 503, kOverloaded, true);
  long long total = 0;
  for (const ServedCatalog* c : chosen) {
    Request request;
    request.format = c->format->code;
    request.form = q.form;
    request.each_input = true;
    request.order.max_events = s.settings.max_events;
    std::string failed, text;
    util::Status status;
    MemorySink out;
    StringMessages messages("catsieve-fdsnws");
    if (!catalog_inputs({c}, q.query, &request.inputs, &failed, &text))
      status = util::Status{1, false, text};
    else if (!request.inputs.empty())  // none: a tree without a file of the window
      status = search(q.query, request, out, messages);
    out.flush();
    if (!messages.text().empty()) s.write_log("catalog " + c->name + ":\n" + messages.text());
    if (!status.ok()) {
      release(s, 0);
      s.write_log("catalog " + c->name + ": " + status.text);
      return answer_error(s, r, 500, "the catalog " + c->name + " could not be searched");
    }
    total += std::strtoll(out.bytes().c_str(), nullptr, 10);
  }
  release(s, 0);
  long long n = std::max(0LL, total - (q.order.offset - 1));
  if (q.order.limit > 0) n = std::min(n, q.order.limit);
  return answer(r, 200, "text/plain", std::to_string(n) + "\n");
}

MHD_Result answer_query(ServerState& s, const Reply& r, bool count) {
  std::vector<Param> params;
  MHD_get_connection_values(r.c, MHD_GET_ARGUMENT_KIND, keep_param, &params);
  ServiceQuery q;
  std::string why;
  if (!read_service_query(params, s.settings.max_events, &q, &why))
    return answer_error(s, r, 400, why);
  if (count) q.form = find_form("count");
  std::vector<const ServedCatalog*> chosen;
  if (!choose_catalogs(s, q, &chosen, &why)) return answer_error(s, r, 400, why);
  const long long cap = s.settings.max_events;
  if (sorts(q.order) && q.order.limit > 0 && q.order.offset + q.order.limit - 1 > cap)
    return answer_error(s, r, 413,
                        "offset + limit - 1 passes the " + std::to_string(cap) +
                            " events a sorted answer may hold: give a smaller offset or limit");
  FormSettings settings;
  settings.authority = s.settings.authority;
  std::string empty = empty_document(*q.form, settings);
  if (chosen.empty()) return answer_nothing(s, r, q, count, empty);
  bool one = one_search(chosen);
  if (!one && count) return answer_count(s, r, q, chosen);
  if (!one && orders(q.order))
    return answer_error(s, r, 400,
                        "the catalogs served here are of different formats: an answer over all "
                        "of them comes in catalog order, orderby=time-asc without limit or "
                        "offset; or name one with catalog= (see the catalogs method)");
  // One search of every catalog, or one search after the other.
  std::vector<std::vector<const ServedCatalog*>> groups;
  if (one) groups.push_back(chosen);
  for (const ServedCatalog* c : one ? std::vector<const ServedCatalog*>{} : chosen)
    groups.push_back({c});
  std::vector<Request> requests;
  for (const auto& group : groups) {
    Request request;
    request.format = group.front()->format->code;
    request.form = q.form;
    request.settings = settings;
    request.order = q.order;
    // Files of a tree are not one run of times: the window applies to each.
    request.each_input = true;
    std::string failed, text;
    if (!catalog_inputs(group, q.query, &request.inputs, &failed, &text)) {
      s.write_log("catalog " + failed + ": " + text);
      return answer_error(s, r, 500, "the catalog " + failed + " could not be read");
    }
    // A tree without a file of the window gives nothing (and a search
    // without inputs would read standard input).
    if (!request.inputs.empty()) requests.push_back(std::move(request));
  }
  if (requests.empty()) return answer_nothing(s, r, q, count, empty);
  std::string names;
  for (const ServedCatalog* c : chosen) names += (names.empty() ? "" : ", ") + c->name;
  // A count holds no events.
  long long reserve = count ? 0 : sort_reserve(q, cap);
  if (!admit(s, reserve)) return answer_error(s, r, 503, kOverloaded, true);
  ServerState* state = &s;
  auto finished = [state, reserve, names](const util::Status&, const std::string& messages) {
    if (!messages.empty()) state->write_log("catalog " + names + ":\n" + messages);
    release(*state, reserve);
  };
  std::unique_ptr<SearchStream> stream(new SearchStream(q.query, std::move(requests), finished));
  std::string all;
  util::Status status;
  if (stream->wait_start(&all, &status)) {
    if (!status.ok()) {
      s.write_log("catalog " + names + ": " + status.text);
      if (status.text.find("events to sort") != std::string::npos)
        return answer_error(s, r, 413,
                            "more than " + std::to_string(cap) +
                                " events to sort: give limit, or a smaller time window or area");
      return answer_error(s, r, 500, "the catalog " + names + " could not be searched");
    }
    if (!count && all == empty) return answer_nothing(s, r, q, count, empty);
    return answer(r, 200, content_type(*q.form), all);
  }
  Body* body = new Body{&s, std::move(stream), r.x->tally, nullptr, "", 0, false};
  if (r.gzip) body->gzip.reset(new GzipBody);
  MHD_Response* response =
      MHD_create_response_from_callback(MHD_SIZE_UNKNOWN, kBodyBlock, read_body, body, free_body);
  if (r.gzip) MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_ENCODING, "gzip");
  return queue(r, 200, response, content_type(*q.form));
}

std::string usage_page(const ServerState& s) {
  std::string page = "catsieve-fdsnws " + s.settings.version +
                     ": the FDSN event service (fdsnws-event 1.2)\n\nMethods under " + s.base +
                     ":\n  query             the events, as QuakeML (format=xml), text, csv or "
                     "geojson\n  count             how many events query would give\n"
                     "  version           the service's version\n"
                     "  application.wadl  the service description\n"
                     "  catalogs          the catalogs served\n"
                     "  contributors      the contributors\n\nParameters of query and count, "
                     "besides the FDSN selection ones:\n";
  for (int i = 0; i < kServiceParamCount; ++i)
    if (kServiceParams[i].help)
      page += "  " + std::string(kServiceParams[i].name) + ": " + kServiceParams[i].help + "\n";
  return page;
}

MHD_Result handle(void* cls, MHD_Connection* c, const char* url, const char* method, const char*,
                  const char*, size_t* upload_size, void** con_cls) {
  ServerState& s = *static_cast<ServerState*>(cls);
  Exchange* x = static_cast<Exchange*>(*con_cls);
  if (!x) *con_cls = x = static_cast<Exchange*>(arrived(nullptr, url, c));
  // The first call brings the headers, the last none of the body: the
  // answer waits for the request's end, so that the connection stays open.
  if (x->method.empty()) {
    x->method = method;
    return MHD_YES;
  }
  if (x->status || *upload_size) {  // a body is dropped
    *upload_size = 0;
    return MHD_YES;
  }
  ++s.in_flight;
  Reply r{c, x,
          accepts_gzip(
              MHD_lookup_connection_value(c, MHD_HEADER_KIND, MHD_HTTP_HEADER_ACCEPT_ENCODING))};
  if (std::strcmp(method, "GET") != 0 && std::strcmp(method, "HEAD") != 0)
    return answer_error(s, r, 405, std::string(method) + ": only GET and HEAD are served");
  std::string path = url;
  if (path + "/" == kPrefix) path += "/";
  if (path.compare(0, sizeof kPrefix - 1, kPrefix) != 0)
    return answer_error(s, r, 404, "no such method: the service is at " + s.base);
  std::string name = path.substr(sizeof kPrefix - 1);
  if (name == "query" || name == "count") return answer_query(s, r, name == "count");
  if (name.empty()) return answer(r, 200, "text/plain", usage_page(s));
  if (name == "version") return answer(r, 200, "text/plain", s.settings.version + "\n");
  if (name == "application.wadl") return answer(r, 200, "application/xml", service_wadl(s.base));
  if (name == "catalogs" || name == "contributors") {
    const char* one = name == "catalogs" ? "Catalog" : "Contributor";
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + std::string(one) + "s>";
    if (name == "catalogs")
      for (const ServedCatalog& cat : s.settings.catalogs)
        xml += "<Catalog>" + xml_escaped(cat.name) + "</Catalog>";
    else
      xml += "<Contributor>" + xml_escaped(s.settings.authority) + "</Contributor>";
    return answer(r, 200, "application/xml", xml + "</" + one + "s>\n");
  }
  return answer_error(s, r, 404, "no such method: " + name + " (see " + s.base + ")");
}

// The address to listen on, from a host text (brackets of IPv6 taken
// off); false when it is no numeric address.
bool listen_address(const std::string& host, int port, sockaddr_storage* a, bool* v6) {
  std::memset(a, 0, sizeof *a);
  std::string h = host.size() > 1 && host.front() == '[' && host.back() == ']'
                      ? host.substr(1, host.size() - 2)
                      : host;
  sockaddr_in* in4 = reinterpret_cast<sockaddr_in*>(a);
  sockaddr_in6* in6 = reinterpret_cast<sockaddr_in6*>(a);
  if (inet_pton(AF_INET, h.c_str(), &in4->sin_addr) == 1) {
    in4->sin_family = AF_INET;
    in4->sin_port = htons(static_cast<uint16_t>(port));
    *v6 = false;
    return true;
  }
  if (inet_pton(AF_INET6, h.c_str(), &in6->sin6_addr) == 1) {
    in6->sin6_family = AF_INET6;
    in6->sin6_port = htons(static_cast<uint16_t>(port));
    *v6 = true;
    return true;
  }
  return false;
}

// A socket listening on the address; -1 with the reason.
int listening_socket(const sockaddr_storage& addr, std::string* why) {
  constexpr int kBacklog = 64;
  int fd = socket(addr.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int on = 1;
  if (fd >= 0) setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (fd >= 0 && addr.ss_family == AF_INET6)
    setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
  socklen_t len = addr.ss_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
  if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&addr), len) != 0 ||
      listen(fd, kBacklog) != 0) {
    *why = std::string("cannot listen: ") + std::strerror(errno);
    if (fd >= 0) close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

Server::Server() : state_(new ServerState) {}

Server::~Server() { stop(); }

bool Server::start(const ServerSettings& settings, std::string* why) {
  ServerState& s = *state_;
  s.settings = settings;
  if (!reopen_log(why)) return false;
  sockaddr_storage addr;
  bool v6 = false;
  if (!listen_address(settings.host, settings.port, &addr, &v6)) {
    *why = "--listen: \"" + settings.host + "\" is not a numeric IPv4 or IPv6 address";
    return false;
  }
  // The socket is bound here, so that the address is known before the
  // first request comes.
  int fd = listening_socket(addr, why);
  if (fd < 0) return false;
  sockaddr_storage bound;
  socklen_t len = sizeof bound;
  getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len);
  int port = ntohs(v6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                      : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
  std::string host = v6 && settings.host.front() != '[' ? "[" + settings.host + "]" : settings.host;
  s.base = "http://" + host + ":" + std::to_string(port) + kPrefix;
  unsigned flags = MHD_USE_THREAD_PER_CONNECTION | MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_ITC;
  if (v6) flags |= MHD_USE_IPv6;
  s.daemon = MHD_start_daemon(flags, 0, nullptr, nullptr, handle, &s, MHD_OPTION_LISTEN_SOCKET, fd,
                              MHD_OPTION_CONNECTION_LIMIT, settings.max_connections,
                              MHD_OPTION_CONNECTION_TIMEOUT, settings.timeout,
                              MHD_OPTION_CONNECTION_MEMORY_LIMIT, kMemoryLimit,
                              MHD_OPTION_URI_LOG_CALLBACK, arrived, &s, MHD_OPTION_NOTIFY_COMPLETED,
                              completed, &s, MHD_OPTION_END);
  if (!s.daemon) {
    close(fd);
    *why = "cannot serve on " + settings.host + ":" + std::to_string(port);
    return false;
  }
  return true;
}

std::string Server::base() const { return state_->base; }

bool Server::reopen_log(std::string* why) {
  ServerState& s = *state_;
  if (s.settings.access_log.empty()) return true;
  std::FILE* f = std::fopen(s.settings.access_log.c_str(), "a");
  if (!f) {
    *why = "--access-log " + s.settings.access_log + ": " + std::strerror(errno);
    return false;
  }
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.log) std::fclose(s.log);
  s.log = f;
  return true;
}

void Server::quiesce() {
  // The listening socket comes back to be closed by us.
  MHD_socket fd = state_->daemon ? MHD_quiesce_daemon(state_->daemon) : MHD_INVALID_SOCKET;
  if (fd != MHD_INVALID_SOCKET) close(fd);
}

int Server::in_flight() const { return state_->in_flight; }

void Server::stop() {
  ServerState& s = *state_;
  s.stopping = true;
  if (s.daemon) MHD_stop_daemon(s.daemon);
  s.daemon = nullptr;
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.log) std::fclose(s.log);
  s.log = nullptr;
}

}  // namespace catsieve
