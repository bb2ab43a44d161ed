// The socket the service listens on, bound before the server starts so
// that its port is known at once.
#ifndef SERVICE_LISTEN_SOCKET_H
#define SERVICE_LISTEN_SOCKET_H

#include <string>

namespace catsieve {

struct Listening {
  int fd = -1;
  bool v6 = false;
  int port = 0;  // as bound: the one picked for port 0
};

// Binds and listens on a numeric IPv4 or IPv6 host (in brackets or not)
// and port; false with the reason.
bool listen_on(const std::string& host, int port, Listening* l, std::string* why);

}  // namespace catsieve

#endif
