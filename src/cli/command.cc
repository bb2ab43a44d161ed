// The command over the search: messages to standard error, named by the
// program as the command line named it.
#include "cli/command.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "cli/args.h"
#include "engine/search.h"
#include "outputs/messages.h"
#include "outputs/sink.h"

namespace catsieve {

namespace {

class StderrMessages : public MessageSink {
 public:
  explicit StderrMessages(std::string progname) : progname_(std::move(progname)) {}
  void say(bool named, const std::string& text) override {
    if (named) std::fprintf(stderr, "%s: ", progname_.c_str());
    std::fwrite(text.data(), 1, text.size(), stderr);
  }

 private:
  std::string progname_;
};

// The text of --help or --version on standard output.
int write_out(const std::string& progname, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "%s: write error on standard output: %s\n", progname.c_str(),
                 std::strerror(errno));
    return 1;
  }
  return 0;
}

}  // namespace

int run_command(int argc, char** argv) {
  try {
    Parsed p = parse_args(argc, argv);
    std::string progname = argc > 0 ? argv[0] : "catsieve";
    StderrMessages messages(progname);
    if (!p.run) {
      int status = p.out.empty() ? 0 : write_out(progname, p.out);
      if (status) return status;
      if (!p.status.text.empty()) messages.say(p.status.named, p.status.text);
      return p.status.exit;
    }
    FdSink out(STDOUT_FILENO);
    util::Status status = search(p.config.query, p.config.request, out, messages);
    // A write that failed during the search is what the search ended with.
    if (!status.text.empty() && !out.failed()) messages.say(status.named, status.text);
    if (!out.flush()) {
      util::Status failed = out.failure();
      if (!failed.text.empty()) messages.say(failed.named, failed.text);
      return failed.exit;
    }
    return status.exit;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: out of memory\n", argc > 0 ? argv[0] : "catsieve");
    return 1;
  }
}

}  // namespace catsieve
