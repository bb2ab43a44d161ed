// The event service over libmicrohttpd: a thread per connection; query
// and count run their search on a thread of its own (search_stream.h).
#include "service/server.h"

#include <microhttpd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "service/gzip_body.h"
#include "service/listen_socket.h"
#include "service/query_answer.h"
#include "service/replies.h"
#include "service/server_state.h"
#include "service/small_methods.h"
#include "service/wadl.h"

namespace catsieve {

namespace {

constexpr size_t kMemoryLimit = 64 * 1024;  // per connection: longer requests get 414 or 431

// Answers a request by its path.
MHD_Result route(ServerState& s, const Reply& r, const char* url) {
  std::string path = url;
  if (path + "/" == kServicePath) path += "/";
  if (path.compare(0, sizeof kServicePath - 1, kServicePath) != 0)
    return answer_error(s, r, 404, "no such method: the service is at " + s.base);
  std::string name = path.substr(sizeof kServicePath - 1);
  if (name == "query" || name == "count") return answer_query(s, r, name == "count");
  if (name.empty()) return answer(r, 200, "text/plain", usage_page(s));
  if (name == "version") return answer(r, 200, "text/plain", s.settings.version + "\n");
  if (name == "application.wadl") return answer(r, 200, "application/xml", service_wadl(s.base));
  if (name == "catalogs") return answer(r, 200, "application/xml", catalogs_document(s));
  if (name == "contributors") return answer(r, 200, "application/xml", contributors_document(s));
  return answer_error(s, r, 404, "no such method: " + name + " (see " + s.base + ")");
}

MHD_Result handle(void* cls, MHD_Connection* c, const char* url, const char* method, const char*,
                  const char*, size_t* upload_size, void** con_cls) {
  ServerState& s = *static_cast<ServerState*>(cls);
  Exchange* x = static_cast<Exchange*>(*con_cls);
  if (!x) *con_cls = x = static_cast<Exchange*>(exchange_arrived(nullptr, url, c));
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
  return route(s, r, url);
}

}  // namespace

Server::Server() : state_(new ServerState) {}

Server::~Server() { stop(); }

bool Server::start(const ServerSettings& settings, std::string* why) {
  ServerState& s = *state_;
  s.settings = settings;
  if (!reopen_log(why)) return false;
  s.pool.reset(new WorkerPool(settings.threads));
  Listening l;
  if (!listen_on(settings.host, settings.port, &l, why)) return false;
  std::string host =
      l.v6 && settings.host.front() != '[' ? "[" + settings.host + "]" : settings.host;
  s.base = "http://" + host + ":" + std::to_string(l.port) + kServicePath;
  unsigned flags = MHD_USE_THREAD_PER_CONNECTION | MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_ITC;
  if (l.v6) flags |= MHD_USE_IPv6;
  s.daemon = MHD_start_daemon(flags, 0, nullptr, nullptr, handle, &s, MHD_OPTION_LISTEN_SOCKET,
                              l.fd, MHD_OPTION_CONNECTION_LIMIT, settings.max_connections,
                              MHD_OPTION_CONNECTION_TIMEOUT, settings.timeout,
                              MHD_OPTION_CONNECTION_MEMORY_LIMIT, kMemoryLimit,
                              MHD_OPTION_URI_LOG_CALLBACK, exchange_arrived, &s,
                              MHD_OPTION_NOTIFY_COMPLETED, exchange_completed, &s, MHD_OPTION_END);
  if (!s.daemon) {
    close(l.fd);
    *why = "cannot serve on " + settings.host + ":" + std::to_string(l.port);
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
  s.pool.reset();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.log) std::fclose(s.log);
  s.log = nullptr;
}

}  // namespace catsieve
