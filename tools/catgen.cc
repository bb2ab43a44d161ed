// Writes large realistic catalogs in every layout, deterministic from a
// seed, for benchmarks:
//
//   catgen FORMAT COUNT SEED [YEARS]
//
// FORMAT is tarn_old, tarn_y2k, mech_old, mech_y2k, orv, brim, kelp or
// f_brim; COUNT is the number of lines (records for f_brim).  Events lie in
// and around one network's region, spread over YEARS years (20 unless
// given) from 1990 on, in time order; a few records have blank fields or
// end early.
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A small generator of our own, so that the output is the same everywhere.
struct Rng {
  uint64_t s;
  uint64_t next() {
    s ^= s << 13;
    s ^= s >> 7;
    s ^= s << 17;
    return s;
  }
  double uniform(double lo, double hi) { return lo + (hi - lo) * (next() >> 11) * (1.0 / 9007199254740992.0); }
  int between(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<uint64_t>(hi - lo + 1)); }
  bool chance(double p) { return uniform(0, 1) < p; }
};

struct Event {
  int year, month, day, hour, minute, doy;
  double sec, lat, lon, depth, mag;
  int nsta, gap, nobs;
  double close, rms, herr, zerr, oterr;
  char etype;
};

const int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// Events advance through time by random steps of the given mean.
Event next_event(Rng& r, double* clock, double step) {
  *clock += r.uniform(0, 2 * step);
  Event e{};
  long days = static_cast<long>(*clock / 86400);
  double rest = *clock - days * 86400.0;
  e.year = 1990;
  for (;;) {
    int n = leap(e.year) ? 366 : 365;
    if (days < n) break;
    days -= n;
    ++e.year;
  }
  e.doy = static_cast<int>(days) + 1;
  e.month = 1;
  for (;;) {
    int n = kMonthDays[e.month - 1] + (e.month == 2 && leap(e.year));
    if (days < n) break;
    days -= n;
    ++e.month;
  }
  e.day = static_cast<int>(days) + 1;
  e.hour = static_cast<int>(rest / 3600);
  e.minute = static_cast<int>((rest - e.hour * 3600) / 60);
  e.sec = std::floor((rest - e.hour * 3600 - e.minute * 60) * 100) / 100;
  if (e.sec >= 59.99) e.sec = 59.99;
  e.lat = 36.0 + r.uniform(0, 4.0);
  e.lon = -123.5 + r.uniform(0, 5.0);
  e.depth = r.chance(0.9) ? r.uniform(0.5, 18) : r.uniform(18, 99);
  // Magnitudes follow a steep frequency law: most events are small.
  e.mag = 0.5 + -std::log(r.uniform(1e-6, 1.0)) / 2.3;
  if (e.mag > 7.5) e.mag = 7.5;
  e.nsta = r.between(4, 120);
  e.gap = r.between(15, 330);
  e.nobs = r.between(1, 60);
  e.close = r.uniform(0.5, 99);
  e.rms = r.uniform(0.01, 0.6);
  e.herr = r.uniform(0.05, 9.9);
  e.zerr = r.uniform(0.1, 9.9);
  e.oterr = r.uniform(0.01, 2);
  static const char kTypes[] = "EEEEEEEEEEEEEEEEEEEEEEEEEEEEEELLTQQRNBF*-";
  e.etype = kTypes[r.between(0, sizeof kTypes - 2)];
  return e;
}

// A record being laid out: blank, with texts placed at their columns.
struct Rec {
  std::string s;
  explicit Rec(size_t width) : s(width, ' ') {}
  void put(int col, const char* fmt, ...) __attribute__((format(printf, 3, 4))) {
    char buf[64];
    va_list ap;
    va_start(ap, fmt);
    int n = std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    size_t at = static_cast<size_t>(col - 1);
    if (s.size() < at + static_cast<size_t>(n)) s.resize(at + static_cast<size_t>(n), ' ');
    s.replace(at, static_cast<size_t>(n), buf, static_cast<size_t>(n));
  }
  void blank(int col, int width) { s.replace(static_cast<size_t>(col - 1), static_cast<size_t>(width), static_cast<size_t>(width), ' '); }
  // Emits the record, now and then cut short or with a field blanked.
  void emit(Rng& r, int blank_col, int blank_width, size_t min_len) {
    if (r.chance(0.02)) blank(blank_col, blank_width);
    size_t end = s.find_last_not_of(' ') + 1;
    if (r.chance(0.01) && end > min_len) end = min_len + r.next() % (end - min_len);
    std::fwrite(s.data(), 1, end, stdout);
    std::fputc('\n', stdout);
  }
};

int hundredths(double v) { return static_cast<int>(std::lround(v * 100)); }

void tarn(Rng& r, const Event& e, bool y2k) {
  int sh = y2k ? 2 : 0;
  Rec t(y2k ? 150 : 142);
  if (y2k) t.put(1, "%04d%02d%02d%02d%02d", e.year, e.month, e.day, e.hour, e.minute);
  else t.put(1, "%02d%02d%02d%02d%02d", e.year % 100, e.month, e.day, e.hour, e.minute);
  t.put(11 + sh, "%4d", hundredths(e.sec));
  double alat = std::fabs(e.lat), alon = std::fabs(e.lon);
  t.put(15 + sh, "%2d%c%4d", static_cast<int>(alat), e.lat < 0 ? 'S' : ' ', hundredths((alat - static_cast<int>(alat)) * 60));
  t.put(22 + sh, "%3d%c%4d", static_cast<int>(alon), e.lon > 0 ? 'E' : ' ', hundredths((alon - static_cast<int>(alon)) * 60));
  t.put(30 + sh, "%5d", hundredths(e.depth));
  if (y2k) t.put(37, "%3d", hundredths(e.mag + 0.1));
  else t.put(35, "%2d", static_cast<int>(std::lround((e.mag + 0.1) * 10)) % 100);
  t.put(y2k ? 40 : 37, "%3d%3d%3d%4d", e.nsta % 1000, e.gap, static_cast<int>(e.close), hundredths(e.rms));
  if (y2k) t.put(71, "%3d", hundredths(e.mag));
  else t.put(68, "%2d", static_cast<int>(std::lround(e.mag * 10)) % 100);
  t.put(y2k ? 81 : 77, "%c", e.etype == 'E' ? ' ' : e.etype);
  t.put(y2k ? 86 : 81, "%4d%4d", hundredths(e.herr), hundredths(e.zerr));
  if (e.mag > 3) t.put(y2k ? 123 : 115, "W%3d", hundredths(e.mag + 0.05));
  t.put(y2k ? 147 : 139, "D%3d", hundredths(e.mag));
  t.emit(r, y2k ? 71 : 68, y2k ? 3 : 2, 40);
}

void mech(Rng& r, const Event& e, bool y2k) {
  int sh = y2k ? 2 : 0;
  Rec t(y2k ? 79 : 77);
  if (y2k) t.put(1, "%04d%02d%02d %02d%02d", e.year, e.month, e.day, e.hour, e.minute);
  else t.put(1, "%02d%02d%02d %02d%02d", e.year % 100, e.month, e.day, e.hour, e.minute);
  t.put(12 + sh, "%6.2f", e.sec);
  double alat = std::fabs(e.lat), alon = std::fabs(e.lon);
  t.put(18 + sh, "%3d%c%5.2f", static_cast<int>(alat), e.lat < 0 ? 'S' : 'N', (alat - static_cast<int>(alat)) * 60);
  t.put(27 + sh, "%4d%c%5.2f", static_cast<int>(alon), e.lon > 0 ? 'E' : 'W', (alon - static_cast<int>(alon)) * 60);
  t.put(37 + sh, "%7.2f", e.depth);
  t.put(46 + sh, "%5.2f%3d%4d%5.1f%5.2f%5d%5d", e.mag, e.nsta % 1000, e.gap, e.close, e.rms, hundredths(e.herr), hundredths(e.zerr));
  t.emit(r, 46 + sh, 5, 30);
}

void orv(Rng& r, const Event& e) {
  Rec t(157);
  t.put(1, "%04d%02d%02d %02d%02d%7.3f %8.4f %9.4f %8.3f", e.year, e.month, e.day, e.hour, e.minute, e.sec, e.lat, e.lon, e.depth);
  t.put(50, "%4.1f %3d", e.mag - 0.2, e.nobs);
  t.put(59, "%4.1f %3d", e.mag, e.nobs + 3);
  if (r.chance(0.5)) t.put(68, "%4.1f %3d", e.mag + 0.1, e.nobs / 2);
  if (e.mag > 3.5) t.put(77, "%4.1f %3d", e.mag + 0.2, 5);
  if (e.mag > 3.5) t.put(86, "%9.2e %3d", std::pow(10.0, 1.5 * e.mag + 16.1), 4);
  t.put(100, "%3d %3d %6.1f %7.3f %7.3f %7.3f %7.3f %7.3f %c %c", e.nsta % 1000, e.gap, e.close, e.oterr, e.herr, e.herr * 1.2, e.zerr, e.rms,
        "ABCD"[r.between(0, 3)], e.etype == 'F' ? 'F' : ' ');
  t.emit(r, 59, 4, 60);
}

void brim_location(Rec& t, const Event& e) {
  t.put(6, "%04d%02d%02d%02d%02d%7.3f%9.4f%10.4f%8.3f", e.year, e.month, e.day, e.hour, e.minute, e.sec, e.lat, e.lon, e.depth);
  t.put(57, "%4d%3d%10.3f%7.3f%7.3f", e.nsta, e.gap, e.close, e.rms, e.oterr);
  t.put(95, "%7.3f", e.zerr);
  static const char kBrimTypes[] = "LLLLLLLLLLLLTTRFDCVQBNH";
  char a = e.etype == 'E' ? ' ' : kBrimTypes[static_cast<unsigned>(e.nsta) % (sizeof kBrimTypes - 1)];
  t.put(102, "%c%c", a, e.etype == 'F' ? 'F' : ' ');
}

void brim(Rng& r, const Event& e) {
  Rec t(258);
  t.put(1, "SUMRY");
  brim_location(t, e);
  t.put(130, "%5.2f", e.mag);
  t.put(140, "%4d", e.nobs);
  t.put(239, "%10.3f%10.3f", e.herr, e.herr * 1.1);
  t.emit(r, 130, 5, 100);
}

void kelp(Rng& r, const Event& e) {
  Rec t(74);
  t.put(1, "%04d %03d %02d %02d %7.3f   %8.4f  %9.4f %6.2f %4.1f", e.year, e.doy, e.hour, e.minute, e.sec, e.lat, e.lon, e.depth, e.mag);
  t.put(61, "%3d %3d %4.2f %c", e.nsta % 1000, e.nobs, e.rms, "abcd"[r.between(0, 3)]);
  t.emit(r, 46, 6, 56);
}

void full_brim(Rng& r, const Event& e) {
  std::printf("$beg event %d\n", static_cast<int>(r.next() % 1000000));
  int nloc = r.between(1, 3), pref = r.between(0, nloc - 1);
  for (int i = 0; i < nloc; ++i) {
    Rec t(103);
    t.put(1, "$loc%c", i == pref && i > 0 ? 'P' : ' ');
    Event moved = e;
    moved.lat += 0.01 * (i - pref);
    brim_location(t, moved);
    t.emit(r, 44, 8, 103);
  }
  int nmag = r.between(0, 2);
  for (int i = 0; i < nmag; ++i) {
    Rec t(20);
    t.put(1, "$mag%c %5.2f     %4d", i == 1 ? 'P' : ' ', e.mag + 0.1 * i, e.nobs);
    t.emit(r, 7, 5, 11);
  }
  int nother = r.between(0, 4);
  for (int i = 0; i < nother; ++i) std::printf("$pha STA%02d P %6.2f\n", i, r.uniform(0, 60));
  std::printf("$end\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: catgen FORMAT COUNT SEED [YEARS]\n");
    return 2;
  }
  std::string format = argv[1];
  long count = std::atol(argv[2]);
  Rng r{0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(std::atoll(argv[3]))};
  if (r.s == 0) r.s = 1;
  double clock = 0;
  double years = argc == 5 ? std::atof(argv[4]) : 20;
  double step = years * 365.2425 * 86400 / (count > 0 ? count : 1);
  static char out[1 << 16];
  std::setvbuf(stdout, out, _IOFBF, sizeof out);
  for (long i = 0; i < count; ++i) {
    Event e = next_event(r, &clock, step);
    if (format == "tarn_old") tarn(r, e, false);
    else if (format == "tarn_y2k") tarn(r, e, true);
    else if (format == "mech_old") mech(r, e, false);
    else if (format == "mech_y2k") mech(r, e, true);
    else if (format == "orv") orv(r, e);
    else if (format == "brim") brim(r, e);
    else if (format == "kelp") kelp(r, e);
    else if (format == "f_brim") full_brim(r, e);
    else {
      std::fprintf(stderr, "catgen: unknown format %s\n", format.c_str());
      return 2;
    }
  }
  return 0;
}
