// Where the generated catalogs keep the values that criteria bounds are
// taken from, read the plain way: one copied field per conversion, with
// atoi or atof.
#include "differential/columns.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace diff {

namespace {

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

// Length up to the last character that is not a space.
size_t blen(const char* text) {
  size_t n = std::strlen(text);
  while (n > 0 && text[n - 1] == ' ') --n;
  return n;
}

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

double tarn_lat(const std::string& r, const TarnTable& t) {
  double lat = std::fabs(real(r, t.latdeg)) + real(r, t.latmin) / 60.0;
  return column(r, t.lathem) == 'S' ? -lat : lat;
}

double tarn_lon(const std::string& r, const TarnTable& t) {
  double lon = std::fabs(real(r, t.londeg)) + real(r, t.lonmin) / 60.0;
  return column(r, t.lonhem) == 'E' ? lon : -lon;
}

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

double mech_lat(const std::string& r, const MechTable& t) {
  double lat = std::fabs(real(r, t.latdeg)) + real(r, t.latmin) / 60.0;
  return column(r, t.lathem) == 'S' ? -lat : lat;
}

double mech_lon(const std::string& r, const MechTable& t) {
  double lon = std::fabs(real(r, t.londeg)) + real(r, t.lonmin) / 60.0;
  return column(r, t.lonhem) == 'E' ? lon : -lon;
}

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

// brim summary catalog, and the summary lines of the full brim catalog

const F kBrimYear = {6, 4, 0}, kBrimMonth = {10, 2, 0}, kBrimDay = {12, 2, 0};
const F kBrimHour = {14, 2, 0}, kBrimMinute = {16, 2, 0}, kBrimSeconds = {18, 7, 0};
const F kBrimLat = {25, 9, 0}, kBrimLon = {34, 10, 0}, kBrimDepth = {44, 8, 0};
const F kBrimNsta = {57, 4, 0}, kBrimGap = {61, 3, 0}, kBrimClose = {64, 10, 0};
const F kBrimRms = {74, 7, 0}, kBrimOtErr = {81, 7, 0}, kBrimDepthErr = {95, 7, 0};
const F kBrimMag = {130, 5, 0}, kBrimNmagObs = {140, 4, 0};
const F kBrimLatErr = {239, 10, 0}, kBrimLonErr = {249, 10, 0};

// An optional field: missing when the line ends before its last column or
// when it is blank.
bool present(const std::string& r, F f, char* buf) {
  if (r.size() < static_cast<size_t>(f.col + f.width - 1)) return false;
  return blen(copy_field(r, f.col, f.width, buf)) != 0;
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
