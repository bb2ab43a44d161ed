#include "differential/catalog_data.h"

#include <sys/wait.h>

#include <cctype>
#include <cstdio>
#include <stdexcept>
#include <utility>
#include <vector>

namespace diff {

namespace {

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    end = end == std::string::npos ? text.size() : end + 1;
    lines.push_back(text.substr(at, end - at));
    at = end;
  }
  return lines;
}

std::string body_of(const std::string& line) {
  return !line.empty() && line.back() == '\n' ? line.substr(0, line.size() - 1) : line;
}

// A position in the text, moved on to the next digit when there is one, so
// that most of the damage lands in numbers.
size_t digit_at(Rng& r, const std::string& s) {
  size_t at = r.below(s.size());
  for (size_t k = 0; k < s.size(); ++k) {
    size_t i = (at + k) % s.size();
    if (std::isdigit(static_cast<unsigned char>(s[i]))) return i;
  }
  return at;
}

// Every digit after the chosen one in its run becomes 0, so that round
// values, and values exactly on a round bound, are common.
void zero_tail(Rng& r, std::string& s) {
  if (s.empty()) return;
  size_t i = digit_at(r, s);
  for (++i; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) s[i] = '0';
}

void overwrite(std::string& s, size_t at, const std::string& text) {
  if (at > s.size()) at = s.size();
  if (s.size() < at + text.size()) s.resize(at + text.size(), ' ');
  s.replace(at, text.size(), text);
}

// Where a format keeps its epicentre: degrees with hemisphere letters, or
// signed decimal degrees (then the hemisphere columns are 0).
struct PlaceCols {
  int lat, latw, lathem, lon, lonw, lonhem;
};

PlaceCols place_cols(Format f) {
  switch (f) {
    case Format::kTarnOld: return {15, 2, 17, 22, 3, 25};
    case Format::kTarnY2k: return {17, 2, 19, 24, 3, 27};
    case Format::kMechOld: return {18, 3, 21, 27, 4, 31};
    case Format::kMechY2k: return {20, 3, 23, 29, 4, 33};
    case Format::kOrv: return {22, 8, 0, 31, 9, 0};
    case Format::kKelp: return {26, 8, 0, 36, 9, 0};
    default: return {25, 9, 0, 34, 10, 0};  // brim, and full brim location lines
  }
}

// Numeric fields (first column, width) and letter columns of a format: the
// targets of the damage that knows the layout.  For full brim they are those
// of a location line.
struct Targets {
  std::vector<std::pair<int, int>> numbers;
  std::vector<int> letters;
};

const Targets& targets(Format f) {
  static const Targets kTarnOld = {
      {{11, 4}, {18, 4}, {30, 5}, {35, 2}, {37, 3}, {40, 3}, {43, 3}, {46, 4}, {68, 2},
       {81, 4}, {85, 4}, {116, 3}, {140, 3}},
      {77, 115, 122, 139}};
  static const Targets kTarnY2k = {
      {{13, 4}, {20, 4}, {32, 5}, {37, 3}, {40, 3}, {43, 3}, {46, 3}, {49, 4}, {71, 3},
       {86, 4}, {90, 4}, {124, 3}, {148, 3}},
      {81, 123, 130, 147}};
  static const Targets kMechOld = {
      {{12, 6}, {37, 7}, {46, 5}, {51, 3}, {54, 4}, {58, 5}, {63, 5}, {68, 5}, {73, 5}}, {}};
  static const Targets kMechY2k = {
      {{14, 6}, {39, 7}, {48, 5}, {53, 3}, {56, 4}, {60, 5}, {65, 5}, {70, 5}, {75, 5}}, {}};
  static const Targets kOrv = {
      {{41, 8}, {50, 4}, {59, 4}, {68, 4}, {77, 4}, {86, 9}, {100, 3}, {104, 3}, {108, 6},
       {115, 7}, {123, 7}, {131, 7}, {139, 7}, {147, 7}},
      {155, 157}};
  static const Targets kBrim = {
      {{44, 8}, {57, 4}, {61, 3}, {64, 10}, {74, 7}, {81, 7}, {95, 7}, {130, 5}, {140, 4},
       {239, 10}, {249, 10}},
      {102, 103}};
  static const Targets kKelp = {{{46, 6}, {53, 4}, {61, 3}, {65, 3}, {69, 4}}, {74}};
  switch (f) {
    case Format::kTarnOld: return kTarnOld;
    case Format::kTarnY2k: return kTarnY2k;
    case Format::kMechOld: return kMechOld;
    case Format::kMechY2k: return kMechY2k;
    case Format::kOrv: return kOrv;
    case Format::kKelp: return kKelp;
    default: return kBrim;
  }
}

// A whole field blank, now and then with a tab in it.
void blank_field(Rng& r, Format f, std::string& s) {
  const auto& numbers = targets(f).numbers;
  auto field = numbers[r.below(numbers.size())];
  size_t at = static_cast<size_t>(field.first - 1), width = static_cast<size_t>(field.second);
  if (s.size() < at + width) return;
  s.replace(at, width, width, ' ');
  if (r.chance(0.3)) s[at + r.below(width)] = '\t';
}

// Another letter, or the same in the other case, in a letter column: event
// types, felt marks, quality letters, magnitude types.
void change_letter(Rng& r, Format f, std::string& s) {
  static const char kLetters[] = "FfFfDdCcVvQqBbNnHhLlTtRrEeWwAaMm*- \t";
  const auto& letters = targets(f).letters;
  if (letters.empty()) return;
  size_t at = static_cast<size_t>(letters[r.below(letters.size())] - 1);
  if (at >= s.size()) return;
  s[at] = r.chance(0.3) && std::isalpha(static_cast<unsigned char>(s[at]))
              ? static_cast<char>(s[at] ^ 0x20)
              : kLetters[r.below(sizeof kLetters - 1)];
}

// Magnitudes the generator does not write: in a tarn catalog a second
// auxiliary magnitude; in an orv catalog none usable of the first two types,
// their observation counts left in place.
void other_magnitudes(Rng& r, Format f, std::string& s) {
  if ((f == Format::kTarnOld || f == Format::kTarnY2k) && s.size() > 135) {
    char text[8];
    std::snprintf(text, sizeof text, "%c%3d", "WBLw"[r.below(4)], static_cast<int>(r.below(400)));
    s.replace(f == Format::kTarnOld ? 121 : 129, 4, text);
  } else if (f == Format::kOrv && s.size() > 62) {
    static const char* const kNone[] = {"    ", " 0.0", "-0.4", "-1.0"};
    s.replace(49, 4, kNone[r.below(4)]);
    s.replace(58, 4, kNone[r.below(4)]);
  } else {
    zero_tail(r, s);
  }
}

// The other hemisphere, or an odd letter where the hemisphere goes.
void move_hemisphere(Rng& r, Format f, std::string& s) {
  PlaceCols c = place_cols(f);
  if (s.size() < static_cast<size_t>(c.lon + c.lonw)) return;
  if (c.lathem) {
    static const char kLat[] = "SsNn +-E", kLon[] = "EeWw +-S";
    s[c.lathem - 1] = kLat[r.below(sizeof kLat - 1)];
    s[c.lonhem - 1] = kLon[r.below(sizeof kLon - 1)];
    return;
  }
  for (int col : {c.lat, c.lon}) {
    if (r.chance(0.5)) continue;
    int width = col == c.lat ? c.latw : c.lonw;
    std::string field = s.substr(static_cast<size_t>(col - 1), static_cast<size_t>(width));
    size_t minus = field.find('-');
    size_t digit = field.find_first_of("0123456789");
    if (minus != std::string::npos) field[minus] = ' ';
    else if (digit != std::string::npos && digit > 0) field[digit - 1] = '-';
    s.replace(static_cast<size_t>(col - 1), static_cast<size_t>(width), field);
  }
}

// An epicentre next to the 180th meridian, on either side of it.
void near_date_line(Rng& r, Format f, std::string& s) {
  PlaceCols c = place_cols(f);
  if (s.size() < static_cast<size_t>(c.lon + c.lonw)) return;
  char text[40];
  if (c.lonhem) {
    std::snprintf(text, sizeof text, "%*d", c.lonw, r.chance(0.9) ? 179 : 180);
    s.replace(static_cast<size_t>(c.lon - 1), static_cast<size_t>(c.lonw), text);
    s[c.lonhem - 1] = r.chance(0.5) ? 'E' : ' ';
  } else {
    double lon = 179 + static_cast<double>(r.below(10000)) / 10000;
    std::snprintf(text, sizeof text, "%*.4f", c.lonw, r.chance(0.5) ? lon : -lon);
    s.replace(static_cast<size_t>(c.lon - 1), static_cast<size_t>(c.lonw), text);
  }
}

// One damaged line; the line's newline is kept unless the damage is an
// overlong line, which brings its own.
void damage_line(Rng& r, Format f, const std::vector<std::string>& lines, size_t i,
                 std::string* line, std::string* out) {
  static const char kStray[] = "+-.eExa\tSEWNsnewFfQqDCVHB*MmP 0123456789";
  static const char* const kNumbers[] = {"nan", "inf", "1e9", "-0", "0x1A", "-1", "9999999999",
                                         "-.5", "+7", "1e-3"};
  const size_t size = static_cast<size_t>(buffer_size(f));
  bool newline = !line->empty() && line->back() == '\n';
  std::string s = body_of(*line);
  bool place_line = f != Format::kFullBrim || s.compare(0, 4, "$loc") == 0;
  switch (r.below(24)) {
    case 0:  // a blank stretch, now and then with a tab in it
      if (!s.empty()) {
        size_t at = r.below(s.size()), w = 1 + r.below(10);
        for (size_t k = at; k < s.size() && k < at + w; ++k) s[k] = ' ';
        if (r.chance(0.3)) s[at] = '\t';
      }
      break;
    case 1:  // cut short
      s.resize(r.below(s.size() + 1));
      break;
    case 2:
    case 3: {  // longer than the line buffer, around its edges or far past
      const size_t lengths[] = {size - 2,     size - 1,     size,          size + 1,
                                2 * size - 3, 2 * size - 2, 2 * size - 1, size + r.below(2 * size)};
      size_t target = lengths[r.below(8)];
      std::string longer = s;
      for (size_t j = i + 1; longer.size() < target; ++j)
        longer += j < lines.size() ? body_of(lines[j]) : s + "x";
      longer.resize(target);
      s = longer;
      newline = true;
      break;
    }
    case 4:  // a stray sign, letter or digit in a number
      if (!s.empty()) s[digit_at(r, s)] = kStray[r.below(sizeof kStray - 1)];
      break;
    case 5:  // a NUL byte
      if (!s.empty()) s[r.chance(0.5) ? digit_at(r, s) : r.below(s.size())] = '\0';
      break;
    case 6:  // all in lower case: hemisphere, event-type and quality letters
      for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      break;
    case 7:
    case 8:
    case 9:
      zero_tail(r, s);
      break;
    case 10:  // a DOS line end
      s += '\r';
      break;
    case 11:  // an earlier record again, out of time order
      s = body_of(lines[r.below(i)]);
      break;
    case 12:  // an empty line before it
      *out += '\n';
      break;
    case 13:  // a number that is not plain digits
      if (!s.empty()) overwrite(s, digit_at(r, s), kNumbers[r.below(10)]);
      break;
    case 14:
    case 15:
      if (place_line) move_hemisphere(r, f, s);
      break;
    case 16:
      if (place_line) near_date_line(r, f, s);
      break;
    case 17:
    case 18:  // cut at the end of a number or just before it, so that the
              // line ends on the last column of a field
      if (!s.empty()) {
        size_t end = digit_at(r, s);
        auto in_number = [&](char c) {
          return std::isdigit(static_cast<unsigned char>(c)) || c == '.';
        };
        while (end < s.size() && in_number(s[end])) ++end;
        if (end > 0) end -= r.below(2);
        s.resize(end);
      }
      break;
    case 19:
    case 20:
      if (place_line) change_letter(r, f, s);
      break;
    case 21:
      other_magnitudes(r, f, s);
      break;
    case 22:
    case 23:
      if (place_line) blank_field(r, f, s);
      break;
  }
  *line = newline ? s + '\n' : s;
}

// Damage to the structure of a full brim record: a magnitude line or a
// location line first, a preferred mark, a missing end line.  Returns false
// when the line is to be dropped.
bool damage_record(Rng& r, std::string* line) {
  if (line->compare(0, 4, "$beg") == 0) {
    if (r.chance(0.08)) *line = "$mag   2.50       12\n";
    else if (r.chance(0.05)) return false;
  } else if (line->compare(0, 4, "$loc") == 0 || line->compare(0, 4, "$mag") == 0) {
    if (line->size() > 4 && r.chance(0.08)) (*line)[4] = 'P';
  } else if (line->compare(0, 4, "$end") == 0) {
    if (r.chance(0.02)) return false;
  }
  return true;
}

// Every odd character at every letter and hemisphere column: copies of
// records with one such column changed, each to go after the record it was
// made from (full brim: in place of the record's first location line, the
// one its summary is built from).
void letter_variants(Rng& r, Format f, std::vector<std::string>& lines,
                     std::vector<std::vector<std::string>>& after) {
  static const char kVariety[] = "FfDdCcVvQqBbNnHhLlTtRrEeWwAaMmSsPp*-+ \t";
  std::vector<int> cols = targets(f).letters;
  PlaceCols p = place_cols(f);
  if (p.lathem) {
    cols.push_back(p.lathem);
    cols.push_back(p.lonhem);
  }
  for (int col : cols) {
    for (size_t k = 0; k < sizeof kVariety; ++k) {  // the terminator too: a NUL byte
      size_t i = 1 + r.below(lines.size() - 1);
      if (f == Format::kFullBrim) {
        while (i < lines.size() && lines[i].compare(0, 4, "$beg") != 0) ++i;
        while (i < lines.size() && lines[i].compare(0, 4, "$loc") != 0) ++i;
        if (i == lines.size()) continue;
      }
      std::string line = lines[i];
      if (line.size() <= static_cast<size_t>(col)) continue;
      line[static_cast<size_t>(col - 1)] = kVariety[k];
      if (f == Format::kFullBrim) lines[i] = line;
      else after[i].push_back(line);
    }
  }
}

}  // namespace

std::string generate(Format f, int count, unsigned seed) {
  std::string command = std::string("'") + CATGEN_BIN + "' " + catgen_name(f) + " " +
                        std::to_string(count) + " " + std::to_string(seed);
  FILE* p = ::popen(command.c_str(), "r");
  if (p == nullptr) throw std::runtime_error("cannot run " + command);
  std::string text;
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
  int status = ::pclose(p);
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || text.empty())
    throw std::runtime_error("generator failed: " + command);
  return text;
}

std::string damage(Format f, const std::string& text, unsigned seed, double share) {
  Rng r(seed);
  std::vector<std::string> lines = split_lines(text);
  std::vector<std::vector<std::string>> after(lines.size());
  letter_variants(r, f, lines, after);
  bool tarn = f == Format::kTarnOld || f == Format::kTarnY2k || f == Format::kMechOld ||
              f == Format::kMechY2k;
  bool mech = f == Format::kMechOld || f == Format::kMechY2k;
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line = lines[i];
    if (i == 0 && tarn) {
      // The layout test reads the first line with a 200-byte buffer: longer
      // than the mechanism readers' buffer, and for the catalog readers
      // longer than that, so that the rest of it is their next record.
      std::string s = body_of(line);
      s.resize(mech ? 90 : 160, ' ');
      while (s.size() < (mech ? 184u : 250u)) s += "0123456789";
      s.resize(mech ? 184 : 250);
      out += s + '\n';
      for (const std::string& variant : after[i]) out += variant;
      continue;
    }
    if (f == Format::kFullBrim && !damage_record(r, &line)) continue;
    if (r.chance(share)) damage_line(r, f, lines, i, &line, &out);
    out += line;
    for (const std::string& variant : after[i]) out += variant;
  }
  // Half the catalogs end without a newline.
  if (r.chance(0.5) && !out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

}  // namespace diff
