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
  switch (r.below(16)) {
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
    case 14:  // a letter of the other case
      if (!s.empty()) {
        size_t at = r.below(s.size());
        if (std::isalpha(static_cast<unsigned char>(s[at]))) s[at] = static_cast<char>(s[at] ^ 0x20);
      }
      break;
    case 15:  // cut at the end of a number or just before it, so that the
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
      continue;
    }
    if (f == Format::kFullBrim && !damage_record(r, &line)) continue;
    if (r.chance(share)) damage_line(r, f, lines, i, &line, &out);
    out += line;
  }
  // Half the catalogs end without a newline.
  if (r.chance(0.5) && !out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

}  // namespace diff
