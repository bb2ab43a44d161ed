// The event service over HTTP: its settings, and starting, quiescing and
// stopping it.
#ifndef SERVICE_SERVER_H
#define SERVICE_SERVER_H

#include <memory>
#include <string>
#include <vector>

#include "outputs/form_settings.h"
#include "service/catalog_set.h"

namespace catsieve {

constexpr long long kServiceMaxEvents = 100000;
constexpr long long kServiceMaxBuffered = 1000000;
constexpr int kServiceQueue = 64;

struct ServerSettings {
  std::string host = "127.0.0.1";  // an IPv4 or IPv6 address
  int port = 8080;                 // 0: a free one
  std::vector<ServedCatalog> catalogs;
  std::string authority = kDefaultAuthority;
  unsigned max_connections = 64;
  unsigned timeout = 60;      // seconds a connection may idle
  int threads = 2;            // searches at once
  int queue = kServiceQueue;  // requests that may wait for a search at once
  long long max_events = kServiceMaxEvents;
  long long max_buffered = kServiceMaxBuffered;
  std::string access_log;  // empty: none
  std::string version;
};

struct ServerState;

class Server {
 public:
  Server();
  ~Server();  // stops it
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;
  // Listens and serves on threads of its own; false with the reason.
  bool start(const ServerSettings& settings, std::string* why);
  // The service's address, "http://HOST:PORT/fdsnws/event/1/".
  std::string base() const;
  // Reopens the access log; false with the reason.
  bool reopen_log(std::string* why);
  // Stops accepting connections.
  void quiesce();
  // Requests not yet answered in full.
  int in_flight() const;
  // Ends every search still running, and closes every connection.
  void stop();

 private:
  std::unique_ptr<ServerState> state_;
};

}  // namespace catsieve

#endif
