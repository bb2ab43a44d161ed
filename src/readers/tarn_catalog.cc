// The tarn network's hypocentre catalog, old layout: one event per line,
// two-digit year.  The event-type letters here serve the Y2K layout too.
#include "readers/tarn_catalog.h"

namespace catsieve {

namespace {

// clang-format off
constexpr TarnLayout kOld = {
    {1, 2, 0}, 1900, {3, 2, 0}, {5, 2, 0}, {7, 2, 0}, {9, 2, 0}, {11, 4, 2},
    {{15, 2, 0}, 17, {18, 4, 2},
     {22, 3, 0}, 25, {26, 4, 2}},
    {30, 5, 2}, {35, 2, 1}, {37, 3, 0}, {40, 3, 0}, {43, 3, 0}, {46, 4, 2}, {68, 2, 1},
    77,
    {81, 4, 2}, {85, 4, 2},
    115, {116, 3, 2}, 122, {123, 3, 2}, 139, {140, 3, 2},
};
// clang-format on

}  // namespace

const EtypeGroup kTarnTypes[] = {
    {'B', "QRNB"}, {'E', "EMTLF"}, {'F', "F"}, {'N', "N"}, {'Q', "Q"}, {'R', "R"}, {'\0', nullptr},
};

bool tarn_etype_ok(const LetterSet& accepted, char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c == ' ' || c == '-' || c == '*' || c == 'M') c = 'E';
  return accepted.contains(c) || (c == 'F' && accepted.contains('E'));
}

const char* tarn_pref_type(char c) {
  switch (c) {
    case 'W': return magtype_name(kMagMw);
    case 'B': return magtype_name(kMagMl);
    case 'L': return magtype_name(kMagMlm);
    case 'D': return magtype_name(kMagMd);
    case 'X': return magtype_name(kMagMx);
    default: return magtype_name(kMagPref);
  }
}

// The letters of the E group are earthquakes; B (blast) and R are taken
// as explosions of unstated kind.
const char* tarn_type_word(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  switch (c) {
    case ' ': case '-': case '*': case 'M': case 'E': case 'T': case 'L': case 'F':
      return "earthquake";
    case 'Q':
      return "quarry blast";
    case 'N':
      return "nuclear explosion";
    case 'B': case 'R':
      return "explosion";
    default:
      return "other event";
  }
}

void search_tarn_catalog(Stream& s, const Line* first, RunState& st) {
  tarn_search<kOld>(s, first, st);
}

}  // namespace catsieve
