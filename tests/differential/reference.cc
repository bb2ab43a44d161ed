// The reference filter.  Everything here is written the long way on
// purpose: one fgets per record, one copied field per conversion, the tests
// spelled out in each format's order.
#include "differential/reference.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "catsieve/criteria.h"
#include "catsieve/driver.h"
#include "catsieve/geo.h"
#include "catsieve/magtypes.h"
#include "util/calendar.h"
#include "util/cmd_opt.h"
#include "util/qerror.h"

namespace diff {

namespace cs = catsieve;

namespace {

// ---------------------------------------------------------------------------
// Records and fields

constexpr int kMaxBuffer = 512;

// Reads one record as fgets does with a buffer of size bytes.  The buffer is
// filled with a non-zero byte first, so that the terminator fgets writes is
// the last zero byte in it, and a zero byte in the data stays part of the
// record.
bool read_record(FILE* in, int size, std::string* record) {
  char buf[kMaxBuffer];
  std::memset(buf, 0x7f, sizeof buf);
  if (std::fgets(buf, size, in) == nullptr) return false;
  int n = size - 1;
  while (buf[n] != '\0') --n;
  record->assign(buf, static_cast<size_t>(n));
  return true;
}

// A field: first column (from 1), width and implied decimals.
struct F {
  int col, width, dec;
};

// Copies a field into a terminated buffer; columns past the end of the
// record are blanks.
const char* copy_field(const std::string& r, int col, int width, char* buf) {
  for (int i = 0; i < width; ++i) {
    size_t at = static_cast<size_t>(col - 1 + i);
    buf[i] = at < r.size() ? r[at] : ' ';
  }
  buf[width] = '\0';
  return buf;
}

double real(const std::string& r, F f) {
  static const double kTen[] = {1, 10, 100, 1000};
  char buf[100];
  return std::atof(copy_field(r, f.col, f.width, buf)) / kTen[f.dec];
}

int integer(const std::string& r, F f) {
  char buf[100];
  return std::atoi(copy_field(r, f.col, f.width, buf));
}

char column(const std::string& r, int col) {
  size_t at = static_cast<size_t>(col - 1);
  return at < r.size() ? r[at] : ' ';
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool has(const std::string& set, char c) { return set.find(c) != std::string::npos; }

// Length up to the last character that is not a space.
size_t blen(const char* text) {
  size_t n = std::strlen(text);
  while (n > 0 && text[n - 1] == ' ') --n;
  return n;
}

// ---------------------------------------------------------------------------
// The state of one run and the standard tests

// Ends the run with a message on standard error and status 1.
struct RunEnds {
  std::string message;
};

struct Run {
  double otmin;   // carried from one input to the next
  int do_etype;   // switched off for the rest of the run by the letter A
  int nmag = 0;   // orv: observations behind the magnitude last chosen
  int layout = 0; // tarn formats: 1 Y2K, 2 old, once the first line showed it
  std::string out, err;
};

// A value fails when it lies below the lower or above the upper bound (so a
// field that reads as not-a-number passes).
bool within(double v, double lo, double hi) { return !(v < lo) && !(v > hi); }
bool within(int v, int lo, int hi) { return v >= lo && v <= hi; }

bool lon_passes(double lon) {
  if (within(lon, cs::lonmin, cs::lonmax)) return true;
  if (!cs::wraplon) return false;
  return lon + 360 <= cs::lonmax || lon - 360 >= cs::lonmin;
}

bool mag_passes(double m, double missing) {
  if (within(m, cs::magmin, cs::magmax)) return true;
  return cs::do_nomag && m == missing;
}

double geocentric(double lat) { return std::atan2(0.993305242609 * std::sin(lat), std::cos(lat)); }

// Cosine of the distance from the -delta centre; too close when above
// cdmin, too far when below cdmax.
bool delta_passes(double lat, double lon) {
  const double rad = 0.017453292519943295;
  double g = geocentric(lat * rad);
  double c = cs::st0 * std::sin(90.0 * rad - g) * std::cos(lon * rad - cs::phi0) +
             cs::ct0 * std::cos(90.0 * rad - g);
  if (c > cs::cdmin) return false;
  if (c < cs::cdmax) return false;
  return true;
}

bool poly_passes(double lat, double lon) {
  return cs::inpoly(lat, lon, cs::plat, cs::plon, cs::nvert) != 0;
}

double origin_time(int year, int month, int day, int hour, int minute, double sec) {
  return util::timvar(year, month, day, hour, minute, sec, 1);
}

// The accepted event-type letters: each letter of etypes adds its text; A
// switches the test off instead.
struct Group {
  char letter;
  const char* adds;
};

std::string accepted_types(Run& run, const Group* groups, int n) {
  std::string set;
  for (char letter : cs::etypes) {
    if (letter == 'A') run.do_etype = 0;
    for (int i = 0; i < n; ++i)
      if (groups[i].letter == letter) set += groups[i].adds;
  }
  return set;
}

// A reader with one record per line: its buffer, its tests, the origin
// time of a line and its summary text.
struct LineFormat {
  int size;
  bool (*select)(Run&, const std::string&);
  double (*otime)(const std::string&);
  const char* summary;
};

void write_record(Run& run, bool pass, const std::string& record, int* selected) {
  if (pass != (cs::negate != 0)) {
    run.out += record;
    ++*selected;
  }
}

void summary(Run& run, const char* format, int lines, int selected) {
  if (!cs::verbose) return;
  char text[200];
  std::snprintf(text, sizeof text, format, lines, selected);
  run.err += text;
}

// The record cycle of a reader with one record per line.
void read_lines(Run& run, FILE* in, const std::string* first, const LineFormat& fmt) {
  int lines = 0, selected = 0;
  std::string record, last;
  bool have = first != nullptr;
  if (have) record = *first;
  else have = read_record(in, fmt.size, &record);
  while (have) {
    last = record;
    ++lines;
    write_record(run, fmt.select(run, record), record, &selected);
    have = read_record(in, fmt.size, &record);
  }
  if (lines > 0) run.otmin = fmt.otime(last);
  summary(run, fmt.summary, lines, selected);
}

// ---------------------------------------------------------------------------
// tarn catalog, old and Y2K layouts

struct TarnTable {
  F year;
  int century;
  F month, day, hour, minute, seconds, latdeg;
  int lathem;
  F latmin, londeg;
  int lonhem;
  F lonmin, depth, amp, nsta, gap, close, rms, coda;
  int etype;
  F herr, zerr;
  int aux1type;
  F aux1;
  int aux2type;
  F aux2;
  int preftype;
  F pref;
};

const TarnTable kTarnOld = {
    {1, 2, 0},   1900,        {3, 2, 0},   {5, 2, 0},   {7, 2, 0},   {9, 2, 0},
    {11, 4, 2},  {15, 2, 0},  17,          {18, 4, 2},  {22, 3, 0},  25,
    {26, 4, 2},  {30, 5, 2},  {35, 2, 1},  {37, 3, 0},  {40, 3, 0},  {43, 3, 0},
    {46, 4, 2},  {68, 2, 1},  77,          {81, 4, 2},  {85, 4, 2},  115,
    {116, 3, 2}, 122,         {123, 3, 2}, 139,         {140, 3, 2},
};

const TarnTable kTarnY2k = {
    {1, 4, 0},   0,           {5, 2, 0},   {7, 2, 0},   {9, 2, 0},   {11, 2, 0},
    {13, 4, 2},  {17, 2, 0},  19,          {20, 4, 2},  {24, 3, 0},  27,
    {28, 4, 2},  {32, 5, 2},  {37, 3, 2},  {40, 3, 0},  {43, 3, 0},  {46, 3, 0},
    {49, 4, 2},  {71, 3, 2},  81,          {86, 4, 2},  {90, 4, 2},  123,
    {124, 3, 2}, 130,         {131, 3, 2}, 147,         {148, 3, 2},
};

const Group kTarnGroups[] = {
    {'B', "QRNB"}, {'E', "EMTLF"}, {'F', "F"}, {'N', "N"}, {'Q', "Q"}, {'R', "R"},
};

std::string tarn_accepted;

double tarn_time(const std::string& r, const TarnTable& t) {
  return origin_time(integer(r, t.year) + t.century, integer(r, t.month), integer(r, t.day),
                     integer(r, t.hour), integer(r, t.minute), real(r, t.seconds));
}

double tarn_lat(const std::string& r, const TarnTable& t) {
  double lat = std::fabs(real(r, t.latdeg)) + real(r, t.latmin) / 60.0;
  return column(r, t.lathem) == 'S' ? -lat : lat;
}

double tarn_lon(const std::string& r, const TarnTable& t) {
  double lon = std::fabs(real(r, t.londeg)) + real(r, t.lonmin) / 60.0;
  return column(r, t.lonhem) == 'E' ? lon : -lon;
}

// A whole number of a magnitude, truncated toward zero.  A value that is not
// a finite number has none; it is taken as 0, or as the nearest int limit.
long whole(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<long>(v);
}

double tarn_magnitude(const std::string& r, const TarnTable& t) {
  for (int i = 0; i < cs::mags.count; ++i) {
    int bit = cs::mags.list[i];
    if (bit == 256) {
      if (column(r, t.preftype) != ' ') return real(r, t.pref);
    } else if (bit == 128 || bit == 1 || bit == 2) {
      char type = bit == 128 ? 'W' : bit == 1 ? 'B' : 'L';
      if (column(r, t.aux1type) == type) return real(r, t.aux1);
      if (column(r, t.aux2type) == type) return real(r, t.aux2);
    } else if (bit == 4) {
      double m = real(r, t.coda);
      if (m != 0.0) return m;
    } else if (bit == 8) {
      double m = real(r, t.amp);
      if (m != 0.0) return m;
    } else if (bit == 16) {
      long coda = whole(real(r, t.coda));
      long amp = whole(real(r, t.amp));
      long avg = amp == 0 ? coda : (coda + amp) / 2;
      if (avg != 0) return static_cast<double>(avg);
    } else {
      throw RunEnds{"Specified magnitude not available for tarn catalog\n"};
    }
  }
  return 0.0;
}

bool tarn_type_passes(char c) {
  c = upper(c);
  if (c == ' ' || c == '-' || c == '*' || c == 'M') c = 'E';
  return has(tarn_accepted, c) || (c == 'F' && has(tarn_accepted, 'E'));
}

bool tarn_select(Run& run, const std::string& r, const TarnTable& t) {
  if (cs::do_otime && !within(tarn_time(r, t), run.otmin, cs::otmax)) return false;
  double lat = 0, lon = 0;
  if (cs::do_lat) {
    lat = tarn_lat(r, t);
    if (!within(lat, cs::latmin, cs::latmax)) return false;
  }
  if (cs::do_lon) {
    lon = tarn_lon(r, t);
    if (!lon_passes(lon)) return false;
  }
  if (cs::do_depth && !within(real(r, t.depth), cs::zmin, cs::zmax)) return false;
  if (cs::do_mag && !mag_passes(tarn_magnitude(r, t), 0.0)) return false;
  if (cs::do_nsta && !within(integer(r, t.nsta), cs::nstmin, cs::nstmax)) return false;
  if (cs::do_rms && !within(real(r, t.rms), cs::rmsmin, cs::rmsmax)) return false;
  if (cs::do_gap && !within(real(r, t.gap), cs::gapmin, cs::gapmax)) return false;
  if (cs::do_close && !within(real(r, t.close), cs::clomin, cs::clomax)) return false;
  if (cs::do_felt && column(r, t.etype) != 'F') return false;
  if (cs::do_horerr && !within(real(r, t.herr), cs::herrmin, cs::herrmax)) return false;
  if (cs::do_deperr && !within(real(r, t.zerr), cs::zerrmin, cs::zerrmax)) return false;
  if (cs::do_poly && !poly_passes(lat, lon)) return false;
  if (cs::do_delta && !delta_passes(lat, lon)) return false;
  if (run.do_etype && !tarn_type_passes(column(r, t.etype))) return false;
  return true;
}

bool tarn_old_select(Run& run, const std::string& r) { return tarn_select(run, r, kTarnOld); }
bool tarn_y2k_select(Run& run, const std::string& r) { return tarn_select(run, r, kTarnY2k); }
double tarn_old_time(const std::string& r) { return tarn_time(r, kTarnOld); }
double tarn_y2k_time(const std::string& r) { return tarn_time(r, kTarnY2k); }

// A hemisphere character of the layout test; a column past the end of the
// line holds none, and a NUL byte matches the terminator of the set.
bool hemisphere_char(const std::string& r, int col) {
  size_t at = static_cast<size_t>(col - 1);
  return at < r.size() && std::strchr(" NSns+-", r[at]) != nullptr;
}

bool blank_at(const std::string& r, int col) {
  size_t at = static_cast<size_t>(col - 1);
  return at < r.size() && r[at] == ' ';
}

void tarn_input(Run& run, FILE* in) {
  std::string first;
  const std::string* given = nullptr;
  if (run.layout == 0) {
    if (!read_record(in, 200, &first)) return;
    given = &first;
    if (hemisphere_char(first, 17) && hemisphere_char(first, 25)) run.layout = 2;
    else if (hemisphere_char(first, 19) && hemisphere_char(first, 27)) run.layout = 1;
    else throw RunEnds{"Error: Unable to determine format for tarn_catalog\n"};
  }
  if (run.do_etype)
    tarn_accepted = accepted_types(run, kTarnGroups, sizeof kTarnGroups / sizeof kTarnGroups[0]);
  static const LineFormat old_format = {200, tarn_old_select, tarn_old_time,
                                        "%d lines, %d selected\n"};
  static const LineFormat y2k_format = {200, tarn_y2k_select, tarn_y2k_time,
                                        "%d lines, %d selected\n"};
  read_lines(run, in, given, run.layout == 2 ? old_format : y2k_format);
}

// ---------------------------------------------------------------------------
// tarn mechanism catalog, old and Y2K layouts

struct MechTable {
  F year;
  int century;
  F month, day, hour, minute, seconds, latdeg;
  int lathem;
  F latmin, londeg;
  int lonhem;
  F lonmin, depth, avg, nsta, gap, close, rms, herr, zerr;
};

const MechTable kMechOld = {
    {1, 2, 0},  1900,       {3, 2, 0},  {5, 2, 0},  {8, 2, 0},  {10, 2, 0}, {12, 6, 0},
    {18, 3, 0}, 21,         {22, 5, 0}, {27, 4, 0}, 31,         {32, 5, 0}, {37, 7, 0},
    {46, 5, 0}, {51, 3, 0}, {54, 4, 0}, {58, 5, 0}, {63, 5, 0}, {68, 5, 2}, {73, 5, 2},
};

const MechTable kMechY2k = {
    {1, 4, 0},  0,          {5, 2, 0},  {7, 2, 0},  {10, 2, 0}, {12, 2, 0}, {14, 6, 0},
    {20, 3, 0}, 23,         {24, 5, 0}, {29, 4, 0}, 33,         {34, 5, 0}, {39, 7, 0},
    {48, 5, 0}, {53, 3, 0}, {56, 4, 0}, {60, 5, 0}, {65, 5, 0}, {70, 5, 2}, {75, 5, 2},
};

double mech_time(const std::string& r, const MechTable& t) {
  return origin_time(integer(r, t.year) + t.century, integer(r, t.month), integer(r, t.day),
                     integer(r, t.hour), integer(r, t.minute), real(r, t.seconds));
}

double mech_lat(const std::string& r, const MechTable& t) {
  double lat = std::fabs(real(r, t.latdeg)) + real(r, t.latmin) / 60.0;
  return column(r, t.lathem) == 'S' ? -lat : lat;
}

double mech_lon(const std::string& r, const MechTable& t) {
  double lon = std::fabs(real(r, t.londeg)) + real(r, t.lonmin) / 60.0;
  return column(r, t.lonhem) == 'E' ? lon : -lon;
}

double mech_magnitude(const std::string& r, const MechTable& t) {
  for (int i = 0; i < cs::mags.count; ++i) {
    if (cs::mags.list[i] != 16) throw RunEnds{"Specified magnitude not available for tarn mech\n"};
    double m = real(r, t.avg);
    if (m != 0.0) return m;
  }
  return 0.0;
}

bool mech_select(Run& run, const std::string& r, const MechTable& t) {
  if (cs::do_otime && !within(mech_time(r, t), run.otmin, cs::otmax)) return false;
  double lat = 0, lon = 0;
  if (cs::do_lat) {
    lat = mech_lat(r, t);
    if (!within(lat, cs::latmin, cs::latmax)) return false;
  }
  if (cs::do_lon) {
    lon = mech_lon(r, t);
    if (!lon_passes(lon)) return false;
  }
  if (cs::do_depth && !within(real(r, t.depth), cs::zmin, cs::zmax)) return false;
  if (cs::do_mag && !mag_passes(mech_magnitude(r, t), 0.0)) return false;
  if (cs::do_nsta && !within(integer(r, t.nsta), cs::nstmin, cs::nstmax)) return false;
  if (cs::do_rms && !within(real(r, t.rms), cs::rmsmin, cs::rmsmax)) return false;
  if (cs::do_gap && !within(real(r, t.gap), cs::gapmin, cs::gapmax)) return false;
  if (cs::do_close && !within(real(r, t.close), cs::clomin, cs::clomax)) return false;
  if (cs::do_horerr && !within(real(r, t.herr), cs::herrmin, cs::herrmax)) return false;
  if (cs::do_deperr && !within(real(r, t.zerr), cs::zerrmin, cs::zerrmax)) return false;
  if (cs::do_poly && !poly_passes(lat, lon)) return false;
  if (cs::do_delta && !delta_passes(lat, lon)) return false;
  return true;
}

bool mech_old_select(Run& run, const std::string& r) { return mech_select(run, r, kMechOld); }
bool mech_y2k_select(Run& run, const std::string& r) { return mech_select(run, r, kMechY2k); }
double mech_old_time(const std::string& r) { return mech_time(r, kMechOld); }
double mech_y2k_time(const std::string& r) { return mech_time(r, kMechY2k); }

void mech_input(Run& run, FILE* in) {
  // The first line is read by the layout test with its own 200-byte buffer;
  // it is tested as one record even when it is longer than the reader's
  // buffer would allow.
  std::string first;
  const std::string* given = nullptr;
  if (run.layout == 0) {
    if (!read_record(in, 200, &first)) return;
    given = &first;
    if (blank_at(first, 7) && hemisphere_char(first, 21)) run.layout = 2;
    else if (blank_at(first, 9) && hemisphere_char(first, 23)) run.layout = 1;
    else throw RunEnds{"Error: Unable to determine format for tarn_mech\n"};
  }
  static const LineFormat old_format = {150, mech_old_select, mech_old_time,
                                        "%d buf_lines, %d selected\n"};
  static const LineFormat y2k_format = {150, mech_y2k_select, mech_y2k_time,
                                        "%d buf_lines, %d selected\n"};
  read_lines(run, in, given, run.layout == 2 ? old_format : y2k_format);
}

// ---------------------------------------------------------------------------
// orv catalog

const F kOrvYear = {1, 4, 0}, kOrvMonth = {5, 2, 0}, kOrvDay = {7, 2, 0};
const F kOrvHour = {10, 2, 0}, kOrvMinute = {12, 2, 0}, kOrvSeconds = {14, 7, 0};
const F kOrvLat = {22, 8, 0}, kOrvLon = {31, 9, 0}, kOrvDepth = {41, 8, 0};
const F kOrvMlb = {50, 4, 0}, kOrvMlbObs = {55, 3, 0};
const F kOrvMl = {59, 4, 0}, kOrvMlObs = {64, 3, 0};
const F kOrvMln = {68, 4, 0}, kOrvMlnObs = {73, 3, 0};
const F kOrvMw = {77, 4, 0}, kOrvMwObs = {82, 3, 0};
const F kOrvM0 = {86, 9, 0}, kOrvM0Obs = {96, 3, 0};
const F kOrvNsta = {100, 3, 0}, kOrvGap = {104, 3, 0}, kOrvClose = {108, 6, 0};
const F kOrvOtErr = {115, 7, 0}, kOrvLatErr = {123, 7, 0}, kOrvLonErr = {131, 7, 0};
const F kOrvDepthErr = {139, 7, 0}, kOrvRms = {147, 7, 0};

double orv_time(const std::string& r) {
  return origin_time(integer(r, kOrvYear), integer(r, kOrvMonth), integer(r, kOrvDay),
                     integer(r, kOrvHour), integer(r, kOrvMinute), real(r, kOrvSeconds));
}

double orv_magnitude(Run& run, const std::string& r) {
  for (int i = 0; i < cs::mags.count; ++i) {
    F mag = kOrvMl, obs = kOrvMlObs;
    switch (cs::mags.list[i]) {
      case 64: mag = kOrvMlb; obs = kOrvMlbObs; break;
      case 1: mag = kOrvMl; obs = kOrvMlObs; break;
      case 32: mag = kOrvMln; obs = kOrvMlnObs; break;
      case 128: mag = kOrvMw; obs = kOrvMwObs; break;
      default: throw RunEnds{"Specified magnitude not available for orv catalog\n"};
    }
    double m = real(r, mag);
    run.nmag = integer(r, obs);
    if (m > 0.0) return m;
  }
  run.nmag = 0;
  return 0.0;
}

bool orv_select(Run& run, const std::string& r) {
  if (cs::do_otime && !within(orv_time(r), run.otmin, cs::otmax)) return false;
  double lat = 0, lon = 0;
  if (cs::do_lat) {
    lat = real(r, kOrvLat);
    if (!within(lat, cs::latmin, cs::latmax)) return false;
  }
  if (cs::do_lon) {
    lon = real(r, kOrvLon);
    if (!lon_passes(lon)) return false;
  }
  if (cs::do_depth && !within(real(r, kOrvDepth), cs::zmin, cs::zmax)) return false;
  if (cs::do_mag && !mag_passes(orv_magnitude(run, r), 0.0)) return false;
  if (cs::do_nsta && !within(integer(r, kOrvNsta), cs::nstmin, cs::nstmax)) return false;
  if (cs::do_rms && !within(real(r, kOrvRms), cs::rmsmin, cs::rmsmax)) return false;
  if (cs::do_gap && !within(static_cast<double>(integer(r, kOrvGap)), cs::gapmin, cs::gapmax))
    return false;
  if (cs::do_close && !within(real(r, kOrvClose), cs::clomin, cs::clomax)) return false;
  if (cs::do_qual && !has(cs::quals, lower(column(r, 155)))) return false;
  if (cs::do_mag_obs && !within(run.nmag, cs::nmagmin, cs::nmagmax)) return false;
  if (cs::do_m0 && !within(real(r, kOrvM0), cs::m0min, cs::m0max)) return false;
  if (cs::do_m0_obs && !within(integer(r, kOrvM0Obs), cs::nm0min, cs::nm0max)) return false;
  if (cs::do_felt && column(r, 157) != 'F') return false;
  if (cs::do_oterr && !within(real(r, kOrvOtErr), cs::otemin, cs::otemax)) return false;
  if (cs::do_laterr && !within(real(r, kOrvLatErr), cs::laemin, cs::laemax)) return false;
  if (cs::do_lonerr && !within(real(r, kOrvLonErr), cs::loemin, cs::loemax)) return false;
  if (cs::do_deperr && !within(real(r, kOrvDepthErr), cs::zerrmin, cs::zerrmax)) return false;
  if (cs::do_poly && !poly_passes(lat, lon)) return false;
  if (cs::do_delta && !delta_passes(lat, lon)) return false;
  return true;
}

void orv_input(Run& run, FILE* in) {
  static const LineFormat format = {200, orv_select, orv_time, "%d lines, %d selected\n"};
  read_lines(run, in, nullptr, format);
}

// ---------------------------------------------------------------------------
// brim summary catalog, and the summary lines of the full brim catalog

const F kBrimYear = {6, 4, 0}, kBrimMonth = {10, 2, 0}, kBrimDay = {12, 2, 0};
const F kBrimHour = {14, 2, 0}, kBrimMinute = {16, 2, 0}, kBrimSeconds = {18, 7, 0};
const F kBrimLat = {25, 9, 0}, kBrimLon = {34, 10, 0}, kBrimDepth = {44, 8, 0};
const F kBrimNsta = {57, 4, 0}, kBrimGap = {61, 3, 0}, kBrimClose = {64, 10, 0};
const F kBrimRms = {74, 7, 0}, kBrimOtErr = {81, 7, 0}, kBrimDepthErr = {95, 7, 0};
const F kBrimMag = {130, 5, 0}, kBrimNmagObs = {140, 4, 0};
const F kBrimLatErr = {239, 10, 0}, kBrimLonErr = {249, 10, 0};

// Missing-value markers of the two brim readers (they have the same values).
const double kNoDepth = -10000.0, kNoMag = -10.0, kNoReal = -1.0;
const int kNoCount = -1;

const Group kBrimGroups[] = {
    {'E', "LTRFDCV"}, {'Q', "Q"}, {'R', "R"}, {'B', "QBN"}, {'N', "N"}, {'H', "H"},
};
const Group kFullBrimGroups[] = {
    {'E', "LTRFDC"}, {'Q', "Q"}, {'R', "R"}, {'B', "QR"}, {'N', "N"}, {'H', "H"},
};

std::string brim_accepted;

// An optional field: missing when the line ends before its last column or
// when it is blank.
bool present(const std::string& r, F f, char* buf) {
  if (r.size() < static_cast<size_t>(f.col + f.width - 1)) return false;
  return blen(copy_field(r, f.col, f.width, buf)) != 0;
}

double optional_real(const std::string& r, F f, double marker) {
  char buf[100];
  return present(r, f, buf) ? std::atof(buf) : marker;
}

int optional_int(const std::string& r, F f, int marker) {
  char buf[100];
  return present(r, f, buf) ? std::atoi(buf) : marker;
}

double brim_time(const std::string& r) {
  return origin_time(integer(r, kBrimYear), integer(r, kBrimMonth), integer(r, kBrimDay),
                     integer(r, kBrimHour), integer(r, kBrimMinute), real(r, kBrimSeconds));
}

bool felt_mark(char c) { return c == 'F' || c == 'D' || c == 'C'; }

bool brim_select(Run& run, const std::string& r) {
  if (cs::do_otime && !within(brim_time(r), run.otmin, cs::otmax)) return false;
  double lat = 0, lon = 0;
  if (cs::do_lat) {
    lat = real(r, kBrimLat);
    if (!within(lat, cs::latmin, cs::latmax)) return false;
  }
  if (cs::do_lon) {
    lon = real(r, kBrimLon);
    if (!lon_passes(lon)) return false;
  }
  if (cs::do_depth && !within(optional_real(r, kBrimDepth, kNoDepth), cs::zmin, cs::zmax))
    return false;
  if (cs::do_mag && !mag_passes(optional_real(r, kBrimMag, kNoMag), kNoMag)) return false;
  if (cs::do_nsta && !within(optional_int(r, kBrimNsta, kNoCount), cs::nstmin, cs::nstmax))
    return false;
  if (cs::do_rms && !within(optional_real(r, kBrimRms, kNoReal), cs::rmsmin, cs::rmsmax))
    return false;
  if (cs::do_gap && !within(static_cast<double>(optional_int(r, kBrimGap, kNoCount)), cs::gapmin,
                            cs::gapmax))
    return false;
  if (cs::do_close && !within(optional_real(r, kBrimClose, kNoReal), cs::clomin, cs::clomax))
    return false;
  if (cs::do_mag_obs &&
      !within(optional_int(r, kBrimNmagObs, kNoCount), cs::nmagmin, cs::nmagmax))
    return false;
  if (cs::do_felt && !felt_mark(column(r, 102)) && !felt_mark(column(r, 103))) return false;
  if (cs::do_oterr && !within(optional_real(r, kBrimOtErr, kNoReal), cs::otemin, cs::otemax))
    return false;
  if (cs::do_laterr && !within(optional_real(r, kBrimLatErr, kNoReal), cs::laemin, cs::laemax))
    return false;
  if (cs::do_lonerr && !within(optional_real(r, kBrimLonErr, kNoReal), cs::loemin, cs::loemax))
    return false;
  if (cs::do_deperr &&
      !within(optional_real(r, kBrimDepthErr, kNoReal), cs::zerrmin, cs::zerrmax))
    return false;
  if (cs::do_poly && !poly_passes(lat, lon)) return false;
  if (cs::do_delta && !delta_passes(lat, lon)) return false;
  if (run.do_etype) {
    char c1 = column(r, 102), c2 = column(r, 103);
    if (c1 == ' ' && c2 == ' ') return has(cs::etypes, 'E');
    return has(brim_accepted, upper(c1)) || has(brim_accepted, upper(c2));
  }
  return true;
}

void brim_input(Run& run, FILE* in) {
  if (run.do_etype)
    brim_accepted = accepted_types(run, kBrimGroups, sizeof kBrimGroups / sizeof kBrimGroups[0]);
  static const LineFormat format = {512, brim_select, brim_time, "%d lines, %d selected, \n"};
  read_lines(run, in, nullptr, format);
}

// The summary line of a full brim record: the location line in 123 columns
// and the magnitude line (unless it is the record's first line) in 48.
std::string summary_line(const std::vector<std::string>& lines, int loc, int mag) {
  char text[200];
  std::snprintf(text, sizeof text, "%-*.*s%-*.*s", 123, 123, lines[loc].c_str(), 48, 48,
                mag > 0 ? lines[mag].c_str() : "");
  return text;
}

// A full brim record is handed over line by line; returns true at "$end".
struct FullBrimRecord {
  std::vector<std::string> lines;
  int loc = -1, mag = -1;

  bool add(const std::string& line) {
    lines.push_back(line);
    int index = static_cast<int>(lines.size()) - 1;
    bool preferred = line.size() > 4 && line[4] == 'P';
    if (line.compare(0, 4, "$loc") == 0 && (loc < 0 || preferred)) {
      loc = index;
      return false;
    }
    if (line.compare(0, 4, "$mag") == 0 && (mag < 0 || preferred)) {
      mag = index;
      return false;
    }
    return line.compare(0, 4, "$end") == 0;
  }
  void clear() {
    lines.clear();
    loc = mag = -1;
  }
};

void full_brim_input(Run& run, FILE* in) {
  if (run.do_etype)
    brim_accepted =
        accepted_types(run, kFullBrimGroups, sizeof kFullBrimGroups / sizeof kFullBrimGroups[0]);
  int records = 0, selected = 0;
  bool have_summary = false;
  std::string summary_text, line;
  FullBrimRecord record;
  while (read_record(in, 512, &line)) {
    if (!record.add(line)) continue;
    ++records;
    // A record without a location line has nothing to be tested on: it is
    // counted and dropped.
    if (record.loc >= 0) {
      summary_text = summary_line(record.lines, record.loc, record.mag);
      have_summary = true;
      bool pass = brim_select(run, summary_text);
      if (pass != (cs::negate != 0)) {
        for (const std::string& l : record.lines) run.out += l;
        ++selected;
      }
    }
    record.clear();
  }
  if (have_summary) run.otmin = brim_time(summary_text);
  summary(run, "%d lines, %d selected\n", records, selected);
}

// ---------------------------------------------------------------------------
// kelp catalog

const F kKelpYear = {1, 4, 0}, kKelpDoy = {6, 3, 0}, kKelpHour = {10, 2, 0};
const F kKelpMinute = {13, 2, 0}, kKelpSeconds = {16, 7, 0}, kKelpLat = {26, 8, 0};
const F kKelpLon = {36, 9, 0}, kKelpDepth = {46, 6, 0}, kKelpMag = {53, 4, 0};
const F kKelpNsta = {61, 3, 0}, kKelpNmagObs = {65, 3, 0}, kKelpRms = {69, 4, 0};

void month_day(int doy, int year, int* month, int* day) {
  static const int kDoy[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
  bool leap = year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
  auto correction = [leap](int m) { return leap && m >= 2 ? 1 : 0; };
  int m = 1;
  while (m < 12 && doy > kDoy[m] + correction(m)) ++m;
  *month = m;
  *day = doy - (kDoy[m - 1] + correction(m - 1));
}

double kelp_time(const std::string& r) {
  int year = integer(r, kKelpYear);
  int month, day;
  month_day(integer(r, kKelpDoy), year, &month, &day);
  return origin_time(year, month, day, integer(r, kKelpHour), integer(r, kKelpMinute),
                     real(r, kKelpSeconds));
}

bool kelp_select(Run& run, const std::string& r) {
  if (cs::do_otime && !within(kelp_time(r), run.otmin, cs::otmax)) return false;
  double lat = 0, lon = 0;
  if (cs::do_lat) {
    lat = real(r, kKelpLat);
    if (!within(lat, cs::latmin, cs::latmax)) return false;
  }
  if (cs::do_lon) {
    lon = real(r, kKelpLon);
    if (!lon_passes(lon)) return false;
  }
  if (cs::do_depth && !within(real(r, kKelpDepth), cs::zmin, cs::zmax)) return false;
  if (cs::do_mag && !within(real(r, kKelpMag), cs::magmin, cs::magmax)) return false;
  if (cs::do_nsta && !within(integer(r, kKelpNsta), cs::nstmin, cs::nstmax)) return false;
  if (cs::do_rms && !within(real(r, kKelpRms), cs::rmsmin, cs::rmsmax)) return false;
  if (cs::do_qual && !has(cs::quals, lower(column(r, 74)))) return false;
  if (cs::do_mag_obs && !within(integer(r, kKelpNmagObs), cs::nmagmin, cs::nmagmax))
    return false;
  if (cs::do_poly && !poly_passes(lat, lon)) return false;
  if (cs::do_delta && !delta_passes(lat, lon)) return false;
  return true;
}

void kelp_input(Run& run, FILE* in) {
  static const LineFormat format = {200, kelp_select, kelp_time, "%d lines, %d selected\n"};
  read_lines(run, in, nullptr, format);
}

// ---------------------------------------------------------------------------
// Option handlers, by their whole names

const util::OptionEntry kOptions[] = {
    {cs::qneg, "-negate", "", ""},       {cs::qtime, "-time", "", ""},
    {cs::qlat, "-latitude", "", ""},     {cs::qlon, "-longitude", "", ""},
    {cs::qdepth, "-depth", "", ""},      {cs::qmtype, "-mtype", "", ""},
    {cs::qmag, "-magnitude", "", ""},    {cs::qclose, "-closest", "", ""},
    {cs::qnsta, "-nstations", "", ""},   {cs::qrms, "-rms", "", ""},
    {cs::qgap, "-gap", "", ""},          {cs::qdelta, "-delta", "", ""},
    {cs::qpoly, "-polygon", "", ""},     {cs::qverbose, "-verbose", "", ""},
    {cs::qformat, "-format", "", ""},    {cs::qqual, "-quality", "", ""},
    {cs::qetype, "-etype", "", ""},      {cs::qnmagobs, "-nmag", "", ""},
    {cs::qm0, "-m0", "", ""},            {cs::qnm0obs, "-nm0", "", ""},
    {cs::qoterr, "-errtime", "", ""},    {cs::qlaterr, "-errlat", "", ""},
    {cs::qlonerr, "-errlon", "", ""},    {cs::qherr, "-errhoriz", "", ""},
    {cs::qzerr, "-errdepth", "", ""},    {cs::qfelt, "-felt", "", ""},
    {cs::qno_mag, "-no_mag", "", ""},
};

}  // namespace

const char* format_word(Format f) {
  switch (f) {
    case Format::kTarnOld: case Format::kTarnY2k: return "tarn";
    case Format::kMechOld: case Format::kMechY2k: return "mech";
    case Format::kOrv: return "orv";
    case Format::kBrim: return "brim";
    case Format::kKelp: return "kelp";
    case Format::kFullBrim: return "f_brim";
  }
  return "";
}

const char* catgen_name(Format f) {
  switch (f) {
    case Format::kTarnOld: return "tarn_old";
    case Format::kTarnY2k: return "tarn_y2k";
    case Format::kMechOld: return "mech_old";
    case Format::kMechY2k: return "mech_y2k";
    case Format::kOrv: return "orv";
    case Format::kBrim: return "brim";
    case Format::kKelp: return "kelp";
    case Format::kFullBrim: return "f_brim";
  }
  return "";
}

int buffer_size(Format f) {
  switch (f) {
    case Format::kMechOld: case Format::kMechY2k: return 150;
    case Format::kBrim: case Format::kFullBrim: return 512;
    default: return 200;
  }
}

void set_criteria(const std::vector<std::string>& options) {
  static std::vector<std::string> words;
  static std::vector<char*> argv;
  words.assign(1, "catsieve");
  words.insert(words.end(), options.begin(), options.end());
  argv.clear();
  for (std::string& w : words) argv.push_back(&w[0]);
  argv.push_back(nullptr);

  cs::reset_run();
  util::progname = "catsieve";
  util::cmd = kOptions;
  util::ncmd = sizeof kOptions / sizeof kOptions[0];
  util::eargc = static_cast<int>(words.size());
  util::eargv = argv.data();
  util::iarg = 1;
  while (util::iarg < util::eargc && argv[util::iarg][0] == '-') {
    util::findname(argv[util::iarg])->handler();
    ++util::iarg;
  }
  if ((cs::do_mag || cs::do_nomag) && cs::mags.count == 0) cs::set_def_mags(cs::input_format);
}

Outcome reference_run(Format f, const std::vector<std::string>& files) {
  Run run;
  run.otmin = cs::otmin;
  run.do_etype = cs::do_etype;
  try {
    for (const std::string& name : files) {
      std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(name.c_str(), "rb"), std::fclose);
      if (!in) return {run.out, run.err + "cannot open " + name + "\n", 1};
      if (cs::verbose) run.err += "processing " + name + " ... ";
      switch (f) {
        case Format::kTarnOld: case Format::kTarnY2k: tarn_input(run, in.get()); break;
        case Format::kMechOld: case Format::kMechY2k: mech_input(run, in.get()); break;
        case Format::kOrv: orv_input(run, in.get()); break;
        case Format::kBrim: brim_input(run, in.get()); break;
        case Format::kKelp: kelp_input(run, in.get()); break;
        case Format::kFullBrim: full_brim_input(run, in.get()); break;
      }
    }
  } catch (const RunEnds& e) {
    return {run.out, run.err + e.message, 1};
  }
  return {run.out, run.err, 0};
}

// ---------------------------------------------------------------------------
// Values for choosing bounds

bool field_value(Format f, const std::string& r, Field field, double* value) {
  char buf[100];
  double v = 0;
  bool ok = true;
  switch (f) {
    case Format::kTarnOld:
    case Format::kTarnY2k: {
      const TarnTable& t = f == Format::kTarnOld ? kTarnOld : kTarnY2k;
      switch (field) {
        case Field::kLat: v = tarn_lat(r, t); break;
        case Field::kLon: v = tarn_lon(r, t); break;
        case Field::kDepth: v = real(r, t.depth); break;
        case Field::kMag: ok = column(r, t.preftype) != ' '; v = real(r, t.pref); break;
        case Field::kNsta: v = integer(r, t.nsta); break;
        case Field::kGap: v = real(r, t.gap); break;
        case Field::kClose: v = real(r, t.close); break;
        case Field::kRms: v = real(r, t.rms); break;
        case Field::kHerr: v = real(r, t.herr); break;
        case Field::kZerr: v = real(r, t.zerr); break;
        default: ok = false;
      }
      break;
    }
    case Format::kMechOld:
    case Format::kMechY2k: {
      const MechTable& t = f == Format::kMechOld ? kMechOld : kMechY2k;
      switch (field) {
        case Field::kLat: v = mech_lat(r, t); break;
        case Field::kLon: v = mech_lon(r, t); break;
        case Field::kDepth: v = real(r, t.depth); break;
        case Field::kMag: v = real(r, t.avg); ok = v != 0.0; break;
        case Field::kNsta: v = integer(r, t.nsta); break;
        case Field::kGap: v = real(r, t.gap); break;
        case Field::kClose: v = real(r, t.close); break;
        case Field::kRms: v = real(r, t.rms); break;
        case Field::kHerr: v = real(r, t.herr); break;
        case Field::kZerr: v = real(r, t.zerr); break;
        default: ok = false;
      }
      break;
    }
    case Format::kOrv:
      switch (field) {
        case Field::kLat: v = real(r, kOrvLat); break;
        case Field::kLon: v = real(r, kOrvLon); break;
        case Field::kDepth: v = real(r, kOrvDepth); break;
        case Field::kMag: v = real(r, kOrvMl); ok = v > 0.0; break;
        case Field::kNsta: v = integer(r, kOrvNsta); break;
        case Field::kGap: v = integer(r, kOrvGap); break;
        case Field::kClose: v = real(r, kOrvClose); break;
        case Field::kRms: v = real(r, kOrvRms); break;
        case Field::kZerr: v = real(r, kOrvDepthErr); break;
        case Field::kOtErr: v = real(r, kOrvOtErr); break;
        case Field::kLatErr: v = real(r, kOrvLatErr); break;
        case Field::kLonErr: v = real(r, kOrvLonErr); break;
        case Field::kNmagObs: v = integer(r, kOrvMlObs); break;
        case Field::kM0: v = real(r, kOrvM0); ok = v > 0.0; break;
        case Field::kNm0Obs: v = integer(r, kOrvM0Obs); break;
        default: ok = false;
      }
      break;
    case Format::kBrim:
    case Format::kFullBrim: {
      auto opt = [&](F col) {
        ok = present(r, col, buf);
        return std::atof(buf);
      };
      switch (field) {
        case Field::kLat: v = real(r, kBrimLat); break;
        case Field::kLon: v = real(r, kBrimLon); break;
        case Field::kDepth: v = opt(kBrimDepth); break;
        case Field::kMag: v = opt(kBrimMag); break;
        case Field::kNsta: ok = present(r, kBrimNsta, buf); v = std::atoi(buf); break;
        case Field::kGap: ok = present(r, kBrimGap, buf); v = std::atoi(buf); break;
        case Field::kClose: v = opt(kBrimClose); break;
        case Field::kRms: v = opt(kBrimRms); break;
        case Field::kZerr: v = opt(kBrimDepthErr); break;
        case Field::kOtErr: v = opt(kBrimOtErr); break;
        case Field::kLatErr: v = opt(kBrimLatErr); break;
        case Field::kLonErr: v = opt(kBrimLonErr); break;
        case Field::kNmagObs: ok = present(r, kBrimNmagObs, buf); v = std::atoi(buf); break;
        default: ok = false;
      }
      break;
    }
    case Format::kKelp:
      switch (field) {
        case Field::kLat: v = real(r, kKelpLat); break;
        case Field::kLon: v = real(r, kKelpLon); break;
        case Field::kDepth: v = real(r, kKelpDepth); break;
        case Field::kMag: v = real(r, kKelpMag); break;
        case Field::kNsta: v = integer(r, kKelpNsta); break;
        case Field::kRms: v = real(r, kKelpRms); break;
        case Field::kNmagObs: v = integer(r, kKelpNmagObs); break;
        default: ok = false;
      }
      break;
  }
  *value = v;
  return ok && std::isfinite(v);
}

bool time_word(Format f, const std::string& r, std::string* word) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  double sec = 0;
  switch (f) {
    case Format::kTarnOld:
    case Format::kTarnY2k: {
      const TarnTable& t = f == Format::kTarnOld ? kTarnOld : kTarnY2k;
      year = integer(r, t.year) + t.century, month = integer(r, t.month);
      day = integer(r, t.day), hour = integer(r, t.hour), minute = integer(r, t.minute);
      sec = real(r, t.seconds);
      break;
    }
    case Format::kMechOld:
    case Format::kMechY2k: {
      const MechTable& t = f == Format::kMechOld ? kMechOld : kMechY2k;
      year = integer(r, t.year) + t.century, month = integer(r, t.month);
      day = integer(r, t.day), hour = integer(r, t.hour), minute = integer(r, t.minute);
      sec = real(r, t.seconds);
      break;
    }
    case Format::kOrv:
      year = integer(r, kOrvYear), month = integer(r, kOrvMonth), day = integer(r, kOrvDay);
      hour = integer(r, kOrvHour), minute = integer(r, kOrvMinute), sec = real(r, kOrvSeconds);
      break;
    case Format::kBrim:
    case Format::kFullBrim:
      year = integer(r, kBrimYear), month = integer(r, kBrimMonth), day = integer(r, kBrimDay);
      hour = integer(r, kBrimHour), minute = integer(r, kBrimMinute);
      sec = real(r, kBrimSeconds);
      break;
    case Format::kKelp:
      year = integer(r, kKelpYear);
      month_day(integer(r, kKelpDoy), year, &month, &day);
      hour = integer(r, kKelpHour), minute = integer(r, kKelpMinute), sec = real(r, kKelpSeconds);
      break;
  }
  if (year < 1000 || year > 9999 || month < 1 || month > 12 || day < 0 || day > 99 ||
      hour < 0 || hour > 99 || minute < 0 || minute > 99 || !(sec >= 0 && sec < 100))
    return false;
  // The seconds with as many decimals as it takes to read back the same value.
  char secs[40];
  for (int prec = 0; prec <= 20; ++prec) {
    std::snprintf(secs, sizeof secs, "%0*.*f", prec ? prec + 3 : 2, prec, sec);
    if (std::atof(secs) == sec) break;
  }
  char text[80];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%s", year, month, day, hour, minute, secs);
  *word = text;
  return true;
}

std::vector<std::string> full_brim_summaries(const std::string& text) {
  std::vector<std::string> out;
  FullBrimRecord record;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    end = end == std::string::npos ? text.size() : end + 1;
    if (record.add(text.substr(at, end - at))) {
      if (record.loc >= 0) out.push_back(summary_line(record.lines, record.loc, record.mag));
      record.clear();
    }
    at = end;
  }
  return out;
}

}  // namespace diff
