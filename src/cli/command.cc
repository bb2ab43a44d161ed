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

}  // namespace

int run_command(int argc, char** argv, Sink& out, MessageSink& messages,
                const Input& standard_input) {
  Parsed p = parse_args(argc, argv);
  util::Status status = p.status;
  if (p.run) {
    Request& r = p.config.request;
    if (r.inputs.empty() && !r.catalog) r.inputs.push_back(standard_input);
    status = search(p.config.query, r, out, messages);
  } else {
    // The text of --help or --version.
    out.text(p.out.data(), p.out.size());
  }
  // A write that failed during the search is what the search ended with.
  if (!status.text.empty() && !out.failed()) messages.say(status.named, status.text);
  if (!out.flush()) {
    util::Status failed = out.failure();
    if (!failed.text.empty()) messages.say(failed.named, failed.text);
    return failed.exit;
  }
  return status.exit;
}

int run_command(int argc, char** argv) {
  std::string progname = argc > 0 ? argv[0] : "catsieve";
  try {
    StderrMessages messages(progname);
    FdSink out(STDOUT_FILENO);
    return run_command(argc, argv, out, messages, Input::standard_input());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: out of memory\n", progname.c_str());
    return 1;
  }
}

}  // namespace catsieve
