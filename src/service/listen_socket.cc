// The listening socket.
#include "service/listen_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace catsieve {

namespace {

constexpr int kBacklog = 64;

// The address of a host text (brackets of IPv6 taken off); false when it
// is no numeric address.
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

}  // namespace

bool listen_on(const std::string& host, int port, Listening* l, std::string* why) {
  sockaddr_storage addr;
  if (!listen_address(host, port, &addr, &l->v6)) {
    *why = "--listen: \"" + host + "\" is not a numeric IPv4 or IPv6 address";
    return false;
  }
  int fd = socket(addr.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int on = 1;
  if (fd >= 0) setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (fd >= 0 && l->v6) setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
  socklen_t len = l->v6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
  if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&addr), len) != 0 ||
      listen(fd, kBacklog) != 0) {
    *why = std::string("cannot listen: ") + std::strerror(errno);
    if (fd >= 0) close(fd);
    return false;
  }
  sockaddr_storage bound;
  len = sizeof bound;
  getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len);
  l->port = ntohs(l->v6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                        : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
  l->fd = fd;
  return true;
}

}  // namespace catsieve
