// catsieve-fdsnws: the event service over the catalogs it is told of.
#include <malloc.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "service/server.h"

namespace {

using catsieve::ServerSettings;

constexpr int kDefaultPort = 8080;
constexpr long long kShutdownSeconds = 10;
constexpr auto kDrainPoll = std::chrono::milliseconds(50);
// The blocks of a search's inputs stay in the heap when it ends, for the
// next: not mapped and cleared anew for every request.
constexpr int kMapThreshold = 8 << 20;
constexpr int kTrimThreshold = 64 << 20;

const char kHelp[] =
    "usage: catsieve-fdsnws [options]\n"
    "Serves earthquake catalogs as an FDSN event service (fdsnws-event 1.2).\n"
    "  --catalog NAME=FORMAT:PATH  a catalog file or installed tree, FORMAT a -format word\n"
    "                              (repeatable; default: every installed catalog)\n"
    "  --listen HOST:PORT          address to listen on (127.0.0.1:8080; [::1]:8080; port 0\n"
    "                              picks a free one)\n"
    "  --authority NAME            the authority of resource identifiers (local)\n"
    "  --max-connections N         connections at once (64)\n"
    "  --timeout SECONDS           idle time before a connection is closed (60)\n"
    "  --threads N                 searches at once (the number of cores)\n"
    "  --queue N                   requests that may wait for a search (64); more get 503\n"
    "  --max-events N              events a sort without limit may hold (100000)\n"
    "  --max-buffered-events N     events all sorting requests may hold at once (1000000)\n"
    "  --access-log FILE           one line a request, appended; reopened on SIGHUP\n"
    "  --shutdown-timeout SECONDS  time requests get to finish on SIGTERM (10)\n"
    "  --help                      this text\n";

bool whole(const std::string& text, long long lo, long long* value) {
  char* end = nullptr;
  long long v = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end || v < lo) return false;
  *value = v;
  return true;
}

bool read_listen(const std::string& text, ServerSettings* s) {
  size_t colon = text.rfind(':');
  long long port = 0;
  if (colon == std::string::npos || !whole(text.substr(colon + 1), 0, &port) || port > 65535)
    return false;
  s->host = text.substr(0, colon);
  s->port = static_cast<int>(port);
  return !s->host.empty();
}

// Reads the options; false with a message (an empty one for --help).
bool read_options(int argc, char** argv, ServerSettings* s, long long* shutdown, std::string* why) {
  for (int i = 1; i < argc; ++i) {
    std::string name = argv[i], value;
    if (name == "--help") {
      *why = "";
      return false;
    }
    size_t eq = name.find('=');
    if (eq != std::string::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      *why = name + ": give a value\n";
      return false;
    }
    long long n = 0;
    bool ok = true;
    if (name == "--catalog") {
      std::string reason;
      if (!catsieve::add_catalog(value, &s->catalogs, &reason)) {
        *why = reason + "\n";
        return false;
      }
    } else if (name == "--listen") {
      ok = read_listen(value, s);
    } else if (name == "--authority") {
      ok = catsieve::valid_authority(value);
      s->authority = value;
    } else if (name == "--access-log") {
      s->access_log = value;
    } else if (name == "--max-connections" || name == "--timeout" || name == "--threads") {
      ok = whole(value, 1, &n) && n < 1000000;
      unsigned u = static_cast<unsigned>(n);
      if (name == "--threads")
        s->threads = static_cast<int>(n);
      else if (name == "--timeout")
        s->timeout = u;
      else
        s->max_connections = u;
    } else if (name == "--queue") {
      ok = whole(value, 0, &n) && n < 1000000;
      s->queue = static_cast<int>(n);
    } else if (name == "--max-events") {
      ok = whole(value, 1, &s->max_events);
    } else if (name == "--max-buffered-events") {
      ok = whole(value, 1, &s->max_buffered);
    } else if (name == "--shutdown-timeout") {
      ok = whole(value, 0, shutdown);
    } else {
      *why = name + ": no such option (see --help)\n";
      return false;
    }
    if (!ok) {
      *why = name + ": \"" + value + "\" is not a valid value (see --help)\n";
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  ServerSettings settings;
  settings.version = CATSIEVE_VERSION;
  settings.port = kDefaultPort;
  unsigned cores = std::thread::hardware_concurrency();
  settings.threads = cores ? static_cast<int>(cores) : 1;
  long long shutdown = kShutdownSeconds;
  std::string why;
  if (!read_options(argc, argv, &settings, &shutdown, &why)) {
    if (why.empty()) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    std::fprintf(stderr, "catsieve-fdsnws: %s", why.c_str());
    return 2;
  }
  if (settings.catalogs.empty()) settings.catalogs = catsieve::installed_catalogs();
  if (settings.catalogs.empty()) {
    std::fputs("catsieve-fdsnws: no catalog: give --catalog NAME=FORMAT:PATH\n", stderr);
    return 2;
  }
  mallopt(M_MMAP_THRESHOLD, kMapThreshold);
  mallopt(M_TRIM_THRESHOLD, kTrimThreshold);
  // The server's threads inherit the mask: the signals are taken here.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  signal(SIGPIPE, SIG_IGN);
  catsieve::Server server;
  if (!server.start(settings, &why)) {
    std::fprintf(stderr, "catsieve-fdsnws: %s\n", why.c_str());
    return 1;
  }
  std::printf("listening on %s\n", server.base().c_str());
  std::fflush(stdout);
  for (;;) {
    int sig = 0;
    if (sigwait(&signals, &sig) != 0) continue;
    if (sig == SIGHUP) {
      if (!server.reopen_log(&why)) std::fprintf(stderr, "catsieve-fdsnws: %s\n", why.c_str());
      continue;
    }
    break;
  }
  server.quiesce();
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(shutdown);
  while (server.in_flight() > 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(kDrainPoll);
  server.stop();
  return 0;
}
