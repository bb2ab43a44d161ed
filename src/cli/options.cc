// The option table and the handlers of the range, letter, flag, format and
// output-form options.
#include "cli/options.h"

#include <cerrno>
#include <cstring>

#include "cli/angle_words.h"
#include "cli/fdsn_options.h"
#include "cli/help.h"
#include "cli/order_options.h"
#include "cli/strict_checks.h"
#include "cli/time_words.h"
#include "outputs/form_settings.h"
#include "outputs/forms.h"
#include "readers/formats.h"

namespace catsieve {

namespace {

bool check_range(const ArgCursor& c, util::Status* err, double min, double max) {
  if (min > max) return fail(c, err, "minimum %s value greater than maximum", c.row->range_name);
  return true;
}

// A range option of two numbers: both bounds are stored as read, then
// checked, then the test is switched on.
bool real_range(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  Bounds<double>& r = cfg.query.range(c.row->crit);
  if (!next_number(c, err, &r.min) || !next_number(c, err, &r.max)) return false;
  if (!check_range(c, err, r.min, r.max)) return false;
  r.on = true;
  return true;
}

// Counts are cut to whole numbers before they are compared.
bool int_range(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  Bounds<double>& r = cfg.query.range(c.row->crit);
  double min, max;
  if (!next_number(c, err, &min) || !next_number(c, err, &max)) return false;
  r.min = trunc_int(min);
  r.max = trunc_int(max);
  if (!check_range(c, err, r.min, r.max)) return false;
  r.on = true;
  return true;
}

bool switch_on(ArgCursor& c, RunConfig& cfg, util::Status*) {
  cfg.query.range(c.row->crit).on = true;
  return true;
}

bool qneg(ArgCursor&, RunConfig& cfg, util::Status*) {
  cfg.query.negate = true;
  return true;
}

bool qno_mag(ArgCursor&, RunConfig& cfg, util::Status*) {
  cfg.query.nomag = true;
  return true;
}

bool qcat(ArgCursor&, RunConfig& cfg, util::Status*) {
  cfg.request.catalog = true;
  return true;
}

bool qverbose(ArgCursor&, RunConfig& cfg, util::Status*) {
  cfg.request.verbose = true;
  return true;
}

bool qstrict(ArgCursor&, RunConfig&, util::Status*) { return true; }

bool qeach_input(ArgCursor&, RunConfig& cfg, util::Status*) {
  cfg.request.each_input = true;
  return true;
}

bool qformat(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  const char* word;
  if (!next_word(c, err, &word)) return false;
  if (c.format_chosen) {
    *err = util::failure(1, "error - only 1 format allowed\n");
    return false;
  }
  const FormatRow* f = format_named(word);
  if (!f) {
    *err = util::failure(1, "error - invalid format\n");
    return false;
  }
  cfg.request.format = f->code;
  c.format_chosen = true;
  return true;
}

bool qmtype(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  const char* word;
  if (cfg.query.fdsn.magtype) {
    errno = 0;
    return fail(c, err, "--magnitudetype is another name for -mtype: give one of them");
  }
  c.mtype_given = true;
  if (!next_word(c, err, &word)) return false;
  MagPrefList& mags = cfg.query.mags;
  if (c.strict && !strict_check_mtype(c, word, mags.count, err)) return false;
  std::string text = word;
  std::string bad;
  if (!parsemag(&text[0], mags, &bad)) {
    *err = util::failure(1, "invalid magtype: %s\n", bad.c_str());
    return false;
  }
  return true;
}

bool qqual(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  const char* word;
  if (!next_word(c, err, &word)) return false;
  std::string& quals = cfg.query.quals;
  quals = word;
  for (char& ch : quals)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  cfg.query.range(Crit::kQual).on = true;
  return true;
}

bool qetype(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  const char* word;
  if (cfg.query.fdsn.etype) {
    errno = 0;
    return fail(c, err, "--eventtype cannot be combined with -etype: give one of them");
  }
  c.etype_given = true;
  if (!next_word(c, err, &word)) return false;
  std::string& etypes = cfg.query.etypes;
  etypes = word;
  for (char& ch : etypes)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  cfg.query.etype_on = etypes.find('A') == std::string::npos;
  return true;
}

// --csv, --geojson, --quakeml, --text, --count: the form named by the option.
bool qform(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  if (c.form_chosen)
    return fail(c, err,
                "only one of --csv, --geojson, --quakeml, --text and --count may be given");
  cfg.request.form = find_form(c.row->name + 2);
  c.form_chosen = true;
  return true;
}

bool qauthority(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  const char* word;
  if (!next_word(c, err, &word)) return false;
  if (!valid_authority(word))
    return fail(c, err, "--authority: \"%s\" is no authority: a letter, digit or _, then two "
                        "or more of those or of - . * ( ) ~ '", word);
  cfg.request.settings.authority = word;
  return true;
}

bool qcolumns(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  const char* word;
  if (!next_word(c, err, &word)) return false;
  std::string bad;
  if (!choose_columns(word, &cfg.request.settings.columns, &bad))
    return fail(c, err, "--columns: no column named \"%s\"", bad.c_str());
  return true;
}

bool qmissing(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  const char* word;
  if (!next_word(c, err, &word)) return false;
  if (!valid_missing(word))
    return fail(c, err, "--missing: \"%s\" would break a row: give text without a comma, a |, "
                        "a quote or a line end, e.g. NaN", word);
  cfg.request.settings.missing = word;
  return true;
}

using K = ArgKind;
using G = HelpGroup;
constexpr unsigned kTarnF = kTarnBit, kMechF = kMechBit, kOrvF = kOrvBit, kKelpF = kKelpBit;
constexpr unsigned kBrims = kBrimBit | kFullBrimBit;
constexpr Crit kNoCrit = Crit::kCount;

}  // namespace

// clang-format off
const OptionRow kOptions[] = {
    {"-help", help_handler, "[opt...]", "Print documentation", K::kWord, 0, kNoCrit, nullptr,
     G::kChecks, 4, "the classic option table, on standard error", nullptr},
    {"-negate", qneg, "", "Print events that FAIL test", K::kNone, 0, kNoCrit, nullptr,
     G::kLetters, 4, "write the records that fail the tests instead", nullptr},
    {"-time", qtime, "min max", "Origin-time interval (yyyymmddhhmmss[+-offset])", K::kDates, 0,
     kNoCrit, "time", G::kPlace, 1,
     "origin time yyyymmddhhmmss[.s][+-offset], offset in\nd h m s, e.g. 19950101000000+1d12h",
     nullptr},
    {"-latitude", qlat, "min max", "Latitude range (d[:m[:s]])", K::kLatitudes, 0, kNoCrit,
     "latitude", G::kPlace, 2, "degrees d[:m[:s]], south negative", nullptr},
    {"-longitude", qlon, "min max", "Longitude range (d[:m[:s]]) N.B. West is negative!",
     K::kLongitudes, 0, kNoCrit, "longitude", G::kPlace, 3, "degrees d[:m[:s]], west negative",
     nullptr},
    {"-depth", real_range, "min max", "Depth range (km)", K::kNumbers, 0, Crit::kDepth, "depth",
     G::kSize, 1, "least focal depth, km", nullptr},
    {"-mtype", qmtype, "type,...",
     "Magnitude type[s], in preferred order: (pref, md, mx, avg, ml, mln, mlm, mlb, mw)",
     K::kTypes, kTarnF | kMechF | kOrvF, kNoCrit, nullptr, G::kSize, 3,
     "magnitude types in order of preference", nullptr},
    {"-magnitude", real_range, "min max", "Magnitude range", K::kNumbers, 0, Crit::kMag,
     "magnitude", G::kSize, 2,
     "magnitude; tarn, mech and orv take the first type of the\n-mtype list that the record has",
     nullptr},
    {"-closest", real_range, "min max", "Range of closest station (km)", K::kNumbers,
     kTarnF | kMechF | kOrvF | kBrims, Crit::kClose, "close", G::kSize, 8,
     "distance to the closest station, km", nullptr},
    {"-nstations", int_range, "min max", "Range of no. of stations", K::kNumbers, 0, Crit::kNsta,
     "nstations", G::kSize, 5, "number of stations", nullptr},
    {"-rms", real_range, "min max", "Range of r.m.s. residual (s)", K::kNumbers, 0, Crit::kRms,
     "rms", G::kSize, 6, "r.m.s. travel-time residual, s", nullptr},
    {"-gap", real_range, "min max", "Range of azimuthal gap (deg)", K::kNumbers,
     kTarnF | kMechF | kOrvF | kBrims, Crit::kGap, "gap", G::kSize, 7, "azimuthal gap, degrees",
     nullptr},
    {"-delta", qdelta, "lat lon min max", "Epicentral distance (km)", K::kPoints, 0, kNoCrit,
     "delta", G::kPlace, 4, "epicentral distance from the point lat lon, km", nullptr},
    {"-polygon", qpoly, "lat lon...", "Polygon (give 3 or more vertices)", K::kPoints, 0, kNoCrit,
     nullptr, G::kPlace, 5, "inside the polygon of 3 to 50 vertices, degrees", nullptr},
    {"-catalog", qcat, "",
     "Search catalog - uses LODECATDIR, LODEMECHDIR, ORVCATDIR, BRIMCATDIR, FULLBRIMCATDIR, or "
     "KELPCATDIR variable", K::kNone, 0, kNoCrit, nullptr, G::kInput, 2,
     "also read the installed catalog of the format: the\ndirectory in LODECATDIR (tarn), "
     "LODEMECHDIR (mech),\nORVCATDIR, BRIMCATDIR, FULLBRIMCATDIR (f_brim) or\nKELPCATDIR, or in a "
     "LOCATIONS file; only the files of\nthe -time period", nullptr},
    {"-verbose", qverbose, "", "Verbose output during search", K::kNone, 0, kNoCrit, nullptr,
     G::kInput, 3, "each input and its counts on standard error", nullptr},
    {"-format", qformat, "type", "Specify input data format: (tarn, orv, mech, brim, or kelp)",
     K::kWord, 0, kNoCrit, nullptr, G::kInput, 1,
     "catalog format: tarn (or vesper; the default), mech, orv,\nbrim, f_brim (full brim), kelp; "
     "tarn and mech inputs in\nthe old or the Y2K layout, told by the first line", nullptr},
    {"-quality", qqual, "letters", "Quality codes (e.g. abc)   [orv only]", K::kWord,
     kOrvF | kKelpF, Crit::kQual, nullptr, G::kLetters, 1, "quality letters, either case", nullptr},
    {"-etype", qetype, "letters", "Event types (eg eqnrfa) [tarn, brim only]", K::kWord,
     kTarnF | kBrims, kNoCrit, nullptr, G::kLetters, 2,
     "event types, either case; default E; A takes all",
     "[tarn: B E F N Q R; brim, f_brim: B E H N Q R]"},
    {"-nmag", int_range, "min max",
     "Range of number of observations for magnitude   [orv only]", K::kNumbers,
     kOrvF | kBrims | kKelpF, Crit::kNmag, "nobs for mag", G::kSize, 9,
     "number of magnitude observations", "[orv with -magnitude, brim, f_brim, kelp]"},
    {"-m0", real_range, "min max", "Range of scalar moment   [orv only]", K::kNumbers, kOrvF,
     Crit::kM0, "M0", G::kSize, 10, "scalar moment", nullptr},
    {"-nm0    ", int_range, "min max",
     "Range of number of observations for scalar moment   [orv only]", K::kNumbers, kOrvF,
     Crit::kNm0, "nobs for M0", G::kSize, 11, "number of scalar-moment observations", nullptr},
    {"-errtime", real_range, "min max", "Range of error in origin time (sec)   [orv only]",
     K::kNumbers, kOrvF | kBrims, Crit::kOterr, "o-time error", G::kSize, 12,
     "origin-time error, s", nullptr},
    {"-errlat", real_range, "min max", "Range of error in latitude (km)   [orv only]",
     K::kNumbers, kOrvF | kBrims, Crit::kLaterr, "lat error", G::kSize, 13, "latitude error, km",
     nullptr},
    {"-errlon", real_range, "min max", "Range of error in longitude (km)   [orv only]",
     K::kNumbers, kOrvF | kBrims, Crit::kLonerr, "lon error", G::kSize, 14,
     "longitude error, km", nullptr},
    {"-errhoriz", real_range, "min max",
     "Range of error in horizontal location (km)   [tarn, mech, brim only]", K::kNumbers,
     kTarnF | kMechF, Crit::kHerr, "horizontal error", G::kSize, 15,
     "horizontal location error, km", nullptr},
    {"-errdepth", real_range, "min max", "Range of error in focal depth (km)", K::kNumbers,
     kTarnF | kMechF | kOrvF | kBrims, Crit::kZerr, "depth error", G::kSize, 16,
     "focal-depth error, km", nullptr},
    {"-felt", switch_on, "", "Select felt events   [orv brim tarn only]", K::kNone,
     kTarnF | kOrvF | kBrims, Crit::kFelt, nullptr, G::kLetters, 3, "felt events only", nullptr},
    {"-no_mag", qno_mag, "", "Include events which have no reported magnitude [brim]", K::kNone,
     kTarnF | kMechF | kOrvF | kBrims, kNoCrit, nullptr, G::kSize, 4,
     "with -magnitude, also records without a magnitude", nullptr},

    {"--csv", qform, "", "Write the selected events as CSV rows under a header", K::kNone, 0,
     kNoCrit, nullptr, G::kOutput, 1, "CSV with a header line of USGS ComCat column names",
     nullptr},
    {"--geojson", qform, "", "Write the selected events as a GeoJSON FeatureCollection", K::kNone,
     0, kNoCrit, nullptr, G::kOutput, 2, "a GeoJSON FeatureCollection", nullptr},
    {"--quakeml", qform, "", "Write the selected events as a QuakeML 1.2 document", K::kNone, 0,
     kNoCrit, nullptr, G::kOutput, 3, "a QuakeML 1.2 document", nullptr},
    {"--text", qform, "", "Write the selected events in the FDSN event text format", K::kNone,
     0, kNoCrit, nullptr, G::kOutput, 4, "the FDSN event text format, fields split by |",
     nullptr},
    {"--count", qform, "", "Write only the number of selected records", K::kNone, 0, kNoCrit,
     nullptr, G::kOutput, 5, "the number of selected records", nullptr},
    {"--authority", qauthority, "NAME", "Authority of the QuakeML resource identifiers",
     K::kWord, 0, kNoCrit, nullptr, G::kOutput, 6,
     "authority of the event IDs in QuakeML and text (default\nlocal): a letter, digit or _, "
     "then two or more of\nthose or of - . * ( ) ~ '", nullptr},
    {"--columns", qcolumns, "LIST", "CSV columns, comma-separated, in their order", K::kWord, 0,
     kNoCrit, nullptr, G::kOutput, 7,
     "the CSV columns to write, in this order, e.g.\nlongitude,latitude,depth,mag", nullptr},
    {"--missing", qmissing, "TEXT", "Text of an empty CSV or text cell", K::kWord, 0, kNoCrit,
     nullptr, G::kOutput, 8, "write TEXT in empty CSV and text cells, e.g. NaN", nullptr},
    {"--each-input", qeach_input, "", "The time window applies to each input alone", K::kNone, 0,
     kNoCrit, nullptr, G::kWindow, 3,
     "apply the time window to each input on its own: the\nlower bound is not carried on to the "
     "last origin time\nof the input before", nullptr},
    {"--starttime", qsince, "T", "Origin times from (as --since)", K::kWord, 0, kNoCrit, "time",
     G::kFdsn, 1, "another name for --since", nullptr},
    {"--endtime", quntil, "T", "Origin times up to (as --until)", K::kWord, 0, kNoCrit, "time",
     G::kFdsn, 2, "another name for --until", nullptr},
    {"--minlatitude", qfdsn, "DEG", "Southern bound", K::kWord, 0, kNoCrit, nullptr, G::kFdsn, 3,
     "southern bound of the latitude, degrees", nullptr},
    {"--maxlatitude", qfdsn, "DEG", "Northern bound", K::kWord, 0, kNoCrit, nullptr, G::kFdsn, 4,
     "northern bound of the latitude, degrees", nullptr},
    {"--minlongitude", qfdsn, "DEG", "Western bound", K::kWord, 0, kNoCrit, nullptr, G::kFdsn, 5,
     "western bound of the longitude, degrees; above\n--maxlongitude it crosses the 180-degree "
     "meridian", nullptr},
    {"--maxlongitude", qfdsn, "DEG", "Eastern bound", K::kWord, 0, kNoCrit, nullptr, G::kFdsn, 6,
     "eastern bound of the longitude, degrees", nullptr},
    {"--latitude", qfdsn, "DEG", "Centre of the radius tests", K::kWord, 0, kNoCrit, nullptr,
     G::kFdsn, 7, "latitude of the centre of the radius tests (default 0)", nullptr},
    {"--longitude", qfdsn, "DEG", "Centre of the radius tests", K::kWord, 0, kNoCrit, nullptr,
     G::kFdsn, 8, "longitude of the centre (default 0)", nullptr},
    {"--minradius", qfdsn, "DEG", "Least distance from the centre", K::kWord, 0, kNoCrit, nullptr,
     G::kFdsn, 9, "least distance from the centre, degrees of arc", nullptr},
    {"--maxradius", qfdsn, "DEG", "Greatest distance from the centre", K::kWord, 0, kNoCrit,
     nullptr, G::kFdsn, 10, "greatest distance from the centre, degrees of arc", nullptr},
    {"--minradiuskm", qfdsn, "KM", "Least distance from the centre, km", K::kWord, 0, kNoCrit,
     nullptr, G::kFdsn, 11, "least distance from the centre, km", nullptr},
    {"--maxradiuskm", qfdsn, "KM", "Greatest distance from the centre, km", K::kWord, 0, kNoCrit,
     nullptr, G::kFdsn, 12, "greatest distance from the centre, km", nullptr},
    {"--mindepth", qfdsn, "KM", "Least depth", K::kWord, 0, kNoCrit, nullptr, G::kFdsn, 13,
     "least focal depth, km", nullptr},
    {"--maxdepth", qfdsn, "KM", "Greatest depth", K::kWord, 0, kNoCrit, nullptr, G::kFdsn, 14,
     "greatest focal depth, km", nullptr},
    {"--minmagnitude", qfdsn, "M", "Least magnitude", K::kWord, 0, kNoCrit, nullptr, G::kFdsn, 15,
     "least magnitude, the -mtype list's choice", nullptr},
    {"--maxmagnitude", qfdsn, "M", "Greatest magnitude", K::kWord, 0, kNoCrit, nullptr, G::kFdsn,
     16, "greatest magnitude", nullptr},
    {"--magnitudetype", qfdsn, "LIST", "Magnitude types in order of preference", K::kWord,
     kTarnF | kMechF | kOrvF, kNoCrit, nullptr, G::kFdsn, 17,
     "another name for -mtype; a type the format cannot give\nis an error", nullptr},
    {"--eventtype", qfdsn, "LIST", "QuakeML event types", K::kWord, 0, kNoCrit, nullptr, G::kFdsn,
     18, "QuakeML event types, comma-separated (earthquake,\nquarry blast, ...), instead of "
     "-etype's letters", nullptr},
    {"--eventid", qfdsn, "ID,...", "Events by ID", K::kWord, 0, kNoCrit, nullptr, G::kFdsn, 19,
     "the events of these IDs", nullptr},
    {"--strict", qstrict, "", "Report what the classic rules pass over, with status 1", K::kNone,
     0, kNoCrit, nullptr, G::kChecks, 1,
     "report every argument or input that the classic rules\npass over in silence, and exit "
     "with status 1", nullptr},
    {"--help", long_help_handler, "", "Grouped help on standard output", K::kNone, 0, kNoCrit,
     nullptr, G::kChecks, 2, "this help, on standard output", nullptr},
    {"--version", version_handler, "", "Version on standard output", K::kNone, 0, kNoCrit,
     nullptr, G::kChecks, 3, "the version, on standard output", nullptr},
    {"--since", qsince, "T", "Origin times from (yyyy-mm-dd[Thh:mm[:ss[.s]]][Z], UTC)", K::kWord,
     0, kNoCrit, "time", G::kWindow, 1, "origin time from T on", nullptr},
    {"--until", quntil, "T", "Origin times up to (as --since, or +offset from it)", K::kWord, 0,
     kNoCrit, "time", G::kWindow, 2,
     "origin time up to T; also an offset such as +30d,\ncounted from --since", nullptr},
    {"--orderby", qorderby, "ORDER", "Order of the output: time, time-asc, magnitude(-asc)",
     K::kWord, 0, kNoCrit, nullptr, G::kOrder, 1,
     "time (newest first), time-asc (catalog order),\nmagnitude (largest first) or magnitude-asc; "
     "ties keep\ncatalog order, records without a magnitude come last", nullptr},
    {"--limit", qlimit, "N", "Write at most N events", K::kWord, 0, kNoCrit, nullptr, G::kOrder,
     2, "write at most N events (records in the default\noutput and in --count)", nullptr},
    {"--offset", qoffset, "N", "Start at the Nth event, counted from 1", K::kWord, 0, kNoCrit,
     nullptr, G::kOrder, 3, "leave out the first N-1 events", nullptr},
    {"--max-events", qmax_events, "N", "Most events a sort without --limit holds", K::kWord, 0,
     kNoCrit, nullptr, G::kOrder, 4,
     "the most events a sort without --limit holds (default\n1000000); more end the run with "
     "status 1", nullptr},
};
// clang-format on
const int kOptionCount = sizeof kOptions / sizeof kOptions[0];
const int kClassicCount = 29;

Rows classic_rows() { return Rows{kOptions, kOptions + kClassicCount}; }

const OptionRow* long_option(const char* word) {
  for (int i = kClassicCount; i < kOptionCount; ++i)
    if (std::strcmp(kOptions[i].name, word) == 0) return &kOptions[i];
  return nullptr;
}

const OptionRow* option_named(const char* name) {
  for (const OptionRow& r : kOptions)
    if (std::strcmp(r.name, name) == 0) return &r;
  return nullptr;
}

}  // namespace catsieve
