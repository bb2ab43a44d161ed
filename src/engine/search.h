// A search: a read-only query over inputs, written to a sink.  Nothing of
// a search outlives it or is shared with another: any number may run at
// once, on threads of one process.
#ifndef ENGINE_SEARCH_H
#define ENGINE_SEARCH_H

#include <cstddef>
#include <string>
#include <vector>

#include "inputs/catalog_tree.h"
#include "outputs/form_settings.h"
#include "outputs/forms.h"
#include "outputs/messages.h"
#include "outputs/order_settings.h"
#include "outputs/sink.h"
#include "query/query.h"
#include "readers/held_records.h"
#include "util/status.h"

namespace catsieve {

// The name of standard input in the -verbose and decompression messages;
// an input of that name is "standard input" in the strict ones.
constexpr char kStandardInput[] = "stdin";

// One input of a search.
struct Input {
  enum class Kind {
    kFile,    // a catalog file, by name
    kTree,    // every catalog file below a directory whose period meets the time test
    kFd,      // a descriptor that the caller keeps open (standard input, say)
    kMemory,  // bytes that stay as they are until the search ends
  };
  Kind kind = Kind::kFile;
  std::string name;  // the path; for a descriptor or bytes, the name messages use
  int fd = -1;
  const char* data = nullptr;
  size_t size = 0;

  static Input file(std::string path);
  static Input tree(std::string dir);
  static Input descriptor(int fd, std::string name);
  static Input memory(const char* data, size_t size, std::string name);
  // Standard input, as the classic program reads it when no file is named.
  static Input standard_input();
  // Bytes in memory standing for standard input.
  static Input standard_input(const std::string& bytes);
};

struct Request {
  int format = 0;              // the format code of -format (tarn by default)
  const Form* form = nullptr;  // the output form; null for the records as they stood
  bool verbose = false;        // each input and its counts as messages
  bool strict = false;         // report what the classic rules pass over, status 1 after
  bool catalog = false;        // the format's installed catalog first (-catalog)
  // The time test's lower bound stays the query's for every input: it is
  // not carried on to the last origin time of the input before.
  bool each_input = false;
  std::vector<Input> inputs;
  FormSettings settings;  // the authority, CSV columns and empty cells
  OrderSettings order;    // the order of the output, and how much of it
  // Whether the run reads ahead and formats events on threads of its own.
  // A server that runs a search for each of many requests at once does
  // better without: its searches keep the cores busy, and a thread that
  // waits for another's work takes turns from them.
  bool helper_threads = true;
  // The search writes the middle of a document that the searches of other
  // catalogs share: its events alone, without the form's opening and
  // closing text, numbered on from the events_before written ahead of it.
  bool events_only = false;
  long long events_before = 0;
};

// Runs the search to its end, or to the first error, whose message and
// exit status come back; messages of the run go to messages as it goes.
// Whatever ends the run, the form's text is whole: the events selected so
// far, then its closing text (or the count so far), unless writing to the
// sink failed.  The caller flushes the sink.
util::Status search(const Query& q, const Request& r, Sink& out, MessageSink& messages);

// What a search tells of its selection besides its output: the records
// that reached the window of --offset and --limit in catalog order, those
// skipped before the offset included.  A caller that runs searches one
// after the other moves the window on by it.
struct SearchTally {
  long long reached = 0;
  long long written = 0;  // events put out in a form that describes them
};
util::Status search(const Query& q, const Request& r, Sink& out, MessageSink& messages,
                    SearchTally* tally);

// The selection of a sorting search, held instead of written, so that the
// selections of searches of several formats go out as one order
// (merged_order.h).
struct HeldSelection {
  Query query;                      // the query its records are described with
  std::vector<HeldRecord> records;  // best first: those of the window and the ones before
};
// Runs a search whose request sorts, its records kept in *held; nothing is
// written.  The run ends with an error as search's would, or when it would
// hold more than the request's max_events records without a limit.
util::Status search_held(const Query& q, const Request& r, MessageSink& messages,
                         HeldSelection* held);

// The catalog periods a search of the query reads: those of its time
// window, or of the times of the event IDs it asks for.
CatalogWindow search_window(const Query& q);

}  // namespace catsieve

#endif
