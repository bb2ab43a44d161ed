// The record cycle shared by every reader.
#include "catsieve/record_cycle.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "catsieve/driver.h"
#include "catsieve/geo.h"
#include "catsieve/output.h"

namespace catsieve {

void emit(bool pass, const Line& record, Tally& tally) {
  if (pass == !negate) {
    out_span(record.p, record.n);
    ++tally.selected;
  }
}

void end_of_stream(const Tally& tally, bool have_last, double last_time,
                   const char* summary) {
  if (have_last) otmin = last_time;
  if (verbose) std::fprintf(stderr, summary, tally.lines, tally.selected);
}

void search_lines(Stream& s, const Line* first, const LineReader& reader) {
  Tally tally;
  Line record;
  field_tests = any_field_test();
  bool have = first != nullptr;
  if (have) record = *first;
  else have = readline(s, reader.size, &record);
  while (have) {
    ++tally.lines;
    emit(reader.select(record), record, tally);
    have = readline(s, reader.size, &record);
  }
  // The stream keeps the last record it handed out, the detector's first
  // line included.
  bool have_last = tally.lines > 0;
  end_of_stream(tally, have_last, have_last ? reader.otime(s.last) : 0.0, reader.summary);
}

bool lon_ok(double lon) {
  if (!(lon < lonmin || lon > lonmax)) return true;
  if (!wraplon) return false;
  return lon + 360 <= lonmax || lon - 360 >= lonmin;
}

bool mag_ok(double mag, double missing) {
  if (!(mag < magmin || mag > magmax)) return true;
  return do_nomag && mag == missing;
}

bool poly_ok(double lat, double lon) { return inpoly(lat, lon, plat, plon, nvert) != 0; }

bool delta_ok(double lat, double lon) {
  double c = calc_delta(lat, lon);
  if (c > cdmin) return false;
  if (c < cdmax) return false;
  return true;
}

bool read_place_ok(const Line& l, Col lat, Col lon, Place* p) {
  if (do_lat) {
    p->lat = freal(l, lat);
    if (!in_range(p->lat, latmin, latmax)) return false;
  }
  if (do_lon) {
    p->lon = freal(l, lon);
    if (!lon_ok(p->lon)) return false;
  }
  return true;
}

bool read_place_ok(const Line& l, const HemisphereCols& c, Place* p) {
  if (do_lat) {
    p->lat = std::fabs(freal(l, c.latdeg)) + freal(l, c.latmin) / 60.0;
    if (fchar(l, c.lathem) == 'S') p->lat = -p->lat;
    if (!in_range(p->lat, latmin, latmax)) return false;
  }
  if (do_lon) {
    p->lon = std::fabs(freal(l, c.londeg)) + freal(l, c.lonmin) / 60.0;
    if (fchar(l, c.lonhem) != 'E') p->lon = -p->lon;
    if (!lon_ok(p->lon)) return false;
  }
  return true;
}

LetterSet build_etypes(const EtypeGroup* groups, int ngroups) {
  LetterSet set;
  std::memset(set.has, 0, sizeof set.has);
  for (char letter : etypes) {
    if (letter == 'A') {
      do_etype = 0;
      continue;
    }
    for (int i = 0; i < ngroups; ++i)
      if (groups[i].letter == letter)
        for (const char* a = groups[i].adds; *a; ++a) set.has[static_cast<unsigned char>(*a)] = true;
  }
  return set;
}

}  // namespace catsieve
