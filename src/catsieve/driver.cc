// The run: start-up, the options through the option table, the format's
// reader, then one input stream after another.
#include "catsieve/driver.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "catsieve/event_batch.h"
#include "catsieve/file_utils.h"
#include "catsieve/geo.h"
#include "catsieve/long_options.h"
#include "catsieve/magtypes.h"
#include "catsieve/output.h"
#include "catsieve/query.h"
#include "catsieve/readers.h"
#include "catsieve/sink.h"
#include "catsieve/since_until.h"
#include "catsieve/stream.h"
#include "catsieve/strict.h"
#include "catsieve/strict_formats.h"
#include "util/cmd_opt.h"
#include "util/qerror.h"
#include "util/quit.h"

namespace catsieve {

int input_format;
int search_catalog;
int verbose;
bool input_failed;

namespace {

// At the end of the run, also one that ends early: what was selected goes
// out.
void flush_output() {
  batch_flush();
  out_flush();
}

bool format_chosen = false;

const util::OptionEntry options[] = {
    {util::qhelp, "-help", "[opt...]", "Print documentation"},
    {qneg, "-negate", "", "Print events that FAIL test"},
    {qtime, "-time", "min max", "Origin-time interval (yyyymmddhhmmss[+-offset])"},
    {qlat, "-latitude", "min max", "Latitude range (d[:m[:s]])"},
    {qlon, "-longitude", "min max", "Longitude range (d[:m[:s]]) N.B. West is negative!"},
    {qdepth, "-depth", "min max", "Depth range (km)"},
    {qmtype, "-mtype", "type,...",
     "Magnitude type[s], in preferred order: (pref, md, mx, avg, ml, mln, mlm, mlb, mw)"},
    {qmag, "-magnitude", "min max", "Magnitude range"},
    {qclose, "-closest", "min max", "Range of closest station (km)"},
    {qnsta, "-nstations", "min max", "Range of no. of stations"},
    {qrms, "-rms", "min max", "Range of r.m.s. residual (s)"},
    {qgap, "-gap", "min max", "Range of azimuthal gap (deg)"},
    {qdelta, "-delta", "lat lon min max", "Epicentral distance (km)"},
    {qpoly, "-polygon", "lat lon...", "Polygon (give 3 or more vertices)"},
    {qcat, "-catalog", "",
     "Search catalog - uses LODECATDIR, LODEMECHDIR, ORVCATDIR, BRIMCATDIR, FULLBRIMCATDIR, or "
     "KELPCATDIR variable"},
    {qverbose, "-verbose", "", "Verbose output during search"},
    {qformat, "-format", "type", "Specify input data format: (tarn, orv, mech, brim, or kelp)"},
    {qqual, "-quality", "letters", "Quality codes (e.g. abc)   [orv only]"},
    {qetype, "-etype", "letters", "Event types (eg eqnrfa) [tarn, brim only]"},
    {qnmagobs, "-nmag", "min max", "Range of number of observations for magnitude   [orv only]"},
    {qm0, "-m0", "min max", "Range of scalar moment   [orv only]"},
    {qnm0obs, "-nm0    ", "min max",
     "Range of number of observations for scalar moment   [orv only]"},
    {qoterr, "-errtime", "min max", "Range of error in origin time (sec)   [orv only]"},
    {qlaterr, "-errlat", "min max", "Range of error in latitude (km)   [orv only]"},
    {qlonerr, "-errlon", "min max", "Range of error in longitude (km)   [orv only]"},
    {qherr, "-errhoriz", "min max",
     "Range of error in horizontal location (km)   [tarn, mech, brim only]"},
    {qzerr, "-errdepth", "min max", "Range of error in focal depth (km)"},
    {qfelt, "-felt", "", "Select felt events   [orv brim tarn only]"},
    {qno_mag, "-no_mag", "", "Include events which have no reported magnitude [brim]"},
};

struct Dispatch {
  Reader reader;
  const char* catalog_key;
};

Dispatch dispatch(int format) {
  switch (format) {
    case kTarnUnknown: case kTarnY2k: case kTarnOld:
      return {search_tarn_catalog_auto, "LODECATDIR"};
    case kMechUnknown: case kMechY2k: case kMechOld:
      return {search_tarn_mech_auto, "LODEMECHDIR"};
    case kOrv:
      return {search_orv_catalog, "ORVCATDIR"};
    case kBrim:
      return {search_brim_catalog, "BRIMCATDIR"};
    case kKelp:
      return {search_kelp_catalog, "KELPCATDIR"};
    default:
      return {search_full_brim_catalog, "FULLBRIMCATDIR"};
  }
}

// Closes an input however its reader ends, a magnitude error included.
struct OpenInput {
  Stream* s;
  int (*close)(Stream*);
  ~OpenInput() {
    if (s) close(s);
  }
  // Closes it now, for the strict checks of how it ended.
  void finish() {
    bool piped = s->pid > 0;
    int read_error = s->read_error;
    int status = close(s);
    s = nullptr;
    strict_input_done(read_error, piped, status);
  }
};

int release_stdin(Stream* s) {
  release_stream(s);
  return 0;
}

void read_file(const char* name, Reader reader, Query& q, Sink& out) {
  OpenInput in{ecfopen(name, "r"), ecfclose};
  if (verbose) std::fprintf(stderr, "processing %s ... ", name);
  strict_input = name;
  reader(*in.s, nullptr, q, out);
  in.finish();
}

// The document's closing text, or the count, once the last input is read;
// the status is 1 when --strict found a fault in an input.
[[noreturn]] void finish(Sink& out) {
  sink_end(out);
  util::quit(input_failed ? 1 : strict_exit_status());
}

}  // namespace

void format_work(const char* name) {
  static const struct {
    const char* keyword;
    int code;
  } formats[] = {
      {"tarn", kTarnUnknown}, {"vesper", kTarnUnknown}, {"mech", kMechUnknown},
      {"orv", kOrv},          {"brim", kBrim},          {"f_brim", kFullBrim},
      {"kelp", kKelp},
  };
  if (format_chosen) {
    std::fputs("error - only 1 format allowed\n", stderr);
    util::quit(1);
  }
  for (const auto& f : formats) {
    if (strcasecmp(name, f.keyword) == 0) {
      input_format = f.code;
      format_chosen = true;
      return;
    }
  }
  std::fputs("error - invalid format\n", stderr);
  util::quit(1);
}

void qformat() { format_work(util::aarg()); }
void qcat() { search_catalog = 1; }
void qverbose() { verbose = 1; }

void reset_run() {
  reset_query();
  reset_sink();
  reset_since_until();
  input_format = kTarnUnknown;
  format_chosen = false;
  search_catalog = 0;
  verbose = 0;
  input_failed = false;
}

void run(int argc, char** argv) {
  static bool flush_at_exit = std::atexit(flush_output) == 0;
  (void)flush_at_exit;
  std::set_new_handler(util::out_of_memory);

  reset_run();
  set_strict_mode(strict_requested(argc, argv));

  util::progname = argc > 0 ? argv[0] : "catsieve";
  util::eargc = argc;
  util::eargv = argv;
  util::cmd = options;
  util::ncmd = sizeof options / sizeof options[0];
  util::iarg = 1;

  while (util::iarg < argc && argv[util::iarg][0] == '-') {
    const char* word = argv[util::iarg];
    if (is_long_option(word)) {
      strict_option_start(word);
      long_option(word);
    } else {
      const util::OptionEntry* row = util::findname(word);
      strict_option_start(row->name);
      row->handler();
    }
    ++util::iarg;
  }

  // The format's preference list serves the magnitude test and the
  // magnitude the output forms write.
  Query& q = building_query();
  Sink& out = building_sink();
  strict_check_options(q, out);
  if (q.mags.count == 0) q.mags = default_mags(input_format);
  finish_query(q);
  Dispatch d = dispatch(input_format);

  if (util::iarg >= argc && !search_catalog) {
    if (verbose) std::fputs("processing stdin ...\n", stderr);
    {
      OpenInput in{open_stdin(), release_stdin};
      d.reader(*in.s, nullptr, q, out);
      in.finish();
    }
    finish(out);
  }
  if (search_catalog) {
    std::vector<std::string>* files = find_catalog(d.catalog_key, q.otime.min, q.otime.max);
    if (!files) {
      std::fputs("unable to find installed files for specified input format.\n", stderr);
      util::quit(1);
    }
    for (const std::string& name : *files) read_file(name.c_str(), d.reader, q, out);
  }
  for (int i = util::iarg; i < argc; ++i) read_file(argv[i], d.reader, q, out);
  finish(out);
}

}  // namespace catsieve
