// The search driver: the format's reader over one input after another.
#include "engine/search.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "engine/fdsn_pretests.h"
#include "inputs/catalog_tree.h"
#include "inputs/read_ahead.h"
#include "inputs/stream.h"
#include "outputs/event_batch.h"
#include "readers/formats.h"
#include "readers/ordering.h"
#include "readers/run_state.h"

namespace catsieve {

Input Input::file(std::string path) { return Input{Kind::kFile, std::move(path), -1, nullptr, 0}; }
Input Input::tree(std::string dir) { return Input{Kind::kTree, std::move(dir), -1, nullptr, 0}; }
Input Input::descriptor(int fd, std::string name) {
  return Input{Kind::kFd, std::move(name), fd, nullptr, 0};
}
Input Input::memory(const char* data, size_t size, std::string name) {
  return Input{Kind::kMemory, std::move(name), -1, data, size};
}
Input Input::standard_input() { return descriptor(STDIN_FILENO, kStandardInput); }
Input Input::standard_input(const std::string& bytes) {
  return memory(bytes.data(), bytes.size(), kStandardInput);
}

namespace {

util::Status out_of_memory() { return util::named_failure(1, "out of memory\n"); }

// What a run holds besides its state.
struct Run {
  const Request& request;
  const FormatRow& format;
  RunState& st;
  AheadReader reader;
};

// The sink's records in the input's buffer go out before the buffer moves;
// after a failed write nothing more is read.
bool settle(void* ctx) {
  Sink* out = static_cast<Sink*>(ctx);
  out->settle();
  return !out->failed();
}

// The window of the IDs' times: no other period holds them.
CatalogWindow id_window(const Query& q) {
  double first = HUGE_VAL, last = -HUGE_VAL;
  for (const WantedId& id : q.fdsn.ids) {
    first = std::fmin(first, static_cast<double>(id.stem.seconds));
    last = std::fmax(last, static_cast<double>(id.stem.seconds));
  }
  return catalog_window(first, last);
}

void bad_input(RunState& st, const std::string& text) {
  st.messages.say(true, text + "\n");
  st.input_failed = true;
}

// After an input was read and closed, under --strict: a read error that
// ended it, and for a ".Z" input how the decompressor ended.
void check_ended(RunState& st, int read_error, bool piped, int wait_status) {
  if (read_error)
    bad_input(st,
              util::format_text("read error on %s: %s", st.input_name, std::strerror(read_error)));
  // An input left unread ends its decompressor early.
  if (piped && !st.input_rejected) {
    if (WIFEXITED(wait_status) && WEXITSTATUS(wait_status) != 0)
      bad_input(st, util::format_text("uncompress failed on %s (exit status %d)", st.input_name,
                                      WEXITSTATUS(wait_status)));
    else if (WIFSIGNALED(wait_status))
      bad_input(st, util::format_text("uncompress failed on %s (signal %d)", st.input_name,
                                      WTERMSIG(wait_status)));
  }
  st.input_rejected = false;
}

// Reads an open stream with the format's reader, then closes it.
util::Status read_stream(Run& run, Stream* s, bool close_fd) {
  RunState& st = run.st;
  st.stems.clear();
  st.line = 1;
  s->strict = st.strict;
  s->reader = run.request.helper_threads ? &run.reader : nullptr;
  s->before_move = settle;
  s->move_ctx = &st.out;
  util::Status status = run.format.read(*s, st);
  st.out.settle();
  bool oom = s->out_of_memory;
  bool piped = s->pid > 0;
  int read_error = s->read_error;
  std::string name = s->name;
  std::string fault;
  int wait_status = close_stream(s, close_fd, &fault);
  // Once the limit is out, what the input holds after it is not looked at.
  if (!fault.empty() && !st.out.failed() && !st.done) {
    st.messages.say(true, name + ": " + fault + "\n");
    st.input_failed = true;
  }
  if (oom) return out_of_memory();
  if (st.strict && status.ok() && !st.fault && !st.done)
    check_ended(st, read_error, piped, wait_status);
  return status;
}

util::Status read_file(Run& run, const std::string& name) {
  RunState& st = run.st;
  Stream* s = nullptr;
  OpenResult opened = open_file(name.c_str(), &s);
  if (opened == OpenResult::kOutOfMemory) return out_of_memory();
  if (opened != OpenResult::kOpen)
    return util::failure(1, "Unable to open file %s\n", name.c_str());
  if (st.verbose) st.messages.say(false, util::format_text("processing %s ... ", name.c_str()));
  st.input_name = name.c_str();
  return read_stream(run, s, true);
}

util::Status read_descriptor(Run& run, const Input& in) {
  RunState& st = run.st;
  Stream* s = in.kind == Input::Kind::kFd ? open_fd(in.fd, in.name.c_str())
                                          : open_memory(in.data, in.size, in.name.c_str());
  if (!s) return out_of_memory();
  if (st.verbose) st.messages.say(false, "processing " + in.name + " ...\n");
  // Standard input, or what stands for it, is named so in the strict messages.
  st.input_name = in.name == kStandardInput ? "standard input" : in.name.c_str();
  return read_stream(run, s, false);
}

void skipped(void* ctx, const char* path, const char* what) {
  bad_input(*static_cast<RunState*>(ctx),
            util::format_text("installed catalog: %s %s", path, what));
}

util::Status read_files(Run& run, const std::vector<std::string>& files) {
  for (const std::string& name : files) {
    util::Status status = read_file(run, name);
    if (!status.ok() || run.st.fault || run.st.out.failed() || run.st.done) return status;
  }
  return util::Status{};
}

util::Status read_inputs(Run& run) {
  RunState& st = run.st;
  const Request& r = run.request;
  CatalogWindow window = search_window(st.q);
  SkipNotice notice;
  if (st.strict) notice = SkipNotice{skipped, &st};
  std::vector<std::string> files;
  if (r.catalog) {
    // Under --strict each file is read once, whatever links lead to it.
    util::Status status = find_catalog(run.format.catalog_key, window, notice, &files, st.strict);
    if (!status.ok()) return status;
    status = read_files(run, files);
    if (!status.ok() || st.fault || st.out.failed() || st.done) return status;
  }
  std::vector<Input> standard;
  if (r.inputs.empty() && !r.catalog) standard.push_back(Input::standard_input());
  for (const Input& in : r.inputs.empty() ? standard : r.inputs) {
    util::Status status;
    switch (in.kind) {
      case Input::Kind::kFile: status = read_file(run, in.name); break;
      case Input::Kind::kTree:
        status = find_catalog_files(in.name.c_str(), window, notice, &files, st.strict);
        if (status.ok()) status = read_files(run, files);
        break;
      default: status = read_descriptor(run, in); break;
    }
    if (!status.ok() || st.fault || st.out.failed() || st.done) return status;
  }
  return util::Status{};
}

// The search; with held, a sorting one whose records are kept there and
// not written.
util::Status run_search(const Query& query, const Request& r, Sink& out, MessageSink& messages,
                        SearchTally* tally, HeldSelection* held) {
  const FormatRow& format = format_row(r.format);
  // The format's preference list serves the magnitude test and the
  // magnitude the output forms write.
  Query q = query;
  if (q.mags.count == 0) q.mags = format.mags;
  add_fdsn_pretests(format, r.strict, &q);
  const Form& form = r.form ? *r.form : records_form();
  RunState st(q, out, form, messages);
  st.verbose = r.verbose;
  st.strict = r.strict;
  st.layout = r.format;
  st.settings = &r.settings;
  st.each_input = r.each_input;
  st.word = format.keyword;
  st.written = r.events_before;
  st.begun = r.events_only;  // the opening text is another's
  // An ordered output tells events from other records, and sorts them by
  // the exact origin time of their IDs.
  RunOrder order(r.order, form.kind);
  if (orders(r.order)) st.order = &order;
  st.fdsn = !q.fdsn.ids.empty() || q.fdsn.describes();
  st.ids = form.kind == FormKind::kEvents || !q.fdsn.ids.empty() || st.order != nullptr;
  st.check_events = st.ids || st.strict || st.fdsn;
  st.describes = form.kind == FormKind::kEvents || st.strict || q.fdsn.describes() || st.order;
  if (q.etype_on && format.etypes) st.accepted = build_etypes(q, format.etypes);
  std::unique_ptr<EventBatch> batch;
  if (form.kind == FormKind::kEvents && !held) {
    batch.reset(new EventBatch(out, form, r.settings, r.helper_threads));
    st.batch = batch.get();
  }
  util::Status status;
  {
    Run run{r, format, st, {}};
    status = read_inputs(run);
  }
  if (status.ok() && order.exceeded) status = too_many_to_sort(r.order);
  if (tally) tally->reached = order.streamed;
  if (held) {
    held->query = q;
    if (order.sorting && !order.exceeded) held->records = order.held.take_sorted();
    if (status.ok() && st.fault)
      return util::failure(1, "Specified magnitude not available for %s\n", st.fault);
    return status;
  }
  // What was selected goes out, also when the run ends early.
  if (st.order) put_held(st);
  if (st.batch)
    if (const char* fault = st.batch->flush())
      if (!st.fault) st.fault = fault;
  if (out.failed()) return out.failure();
  // The document's closing text, or the count, whatever ended the run.
  if (!st.begun && form.begin) form.begin(out, r.settings);
  if (form.end && !r.events_only) form.end(out, st.written, r.settings);
  if (tally) tally->written = st.written - r.events_before;
  if (!status.ok()) return status;
  if (st.fault) return util::failure(1, "Specified magnitude not available for %s\n", st.fault);
  if (st.input_failed) return util::Status{1, false, ""};
  return util::Status{};
}

}  // namespace

util::Status search(const Query& query, const Request& r, Sink& out, MessageSink& messages) {
  return search(query, r, out, messages, nullptr);
}

util::Status search(const Query& query, const Request& r, Sink& out, MessageSink& messages,
                    SearchTally* tally) {
  try {
    return run_search(query, r, out, messages, tally, nullptr);
  } catch (const std::bad_alloc&) {
    return out_of_memory();
  }
}

util::Status search_held(const Query& query, const Request& r, MessageSink& messages,
                         HeldSelection* held) {
  held->records.clear();
  MemorySink nowhere;
  try {
    return run_search(query, r, nowhere, messages, nullptr, held);
  } catch (const std::bad_alloc&) {
    held->records.clear();
    return out_of_memory();
  }
}

CatalogWindow search_window(const Query& q) {
  // Events asked for by ID lie in the periods of their times.
  return q.fdsn.ids.empty() ? catalog_window(q.otime.min, q.otime.max) : id_window(q);
}

}  // namespace catsieve
