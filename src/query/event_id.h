// Event identifiers.  No catalog layout has an identifier column, so an
// event's ID is made from what every record has: the layout's word, its
// origin time as the selection reads it, the seconds' decimals that the
// record gives, and a number for the second and later record of the same
// time in one input file: tarn19950214032107.42, tarn19950214032107.42-2.
#ifndef QUERY_EVENT_ID_H
#define QUERY_EVENT_ID_H

#include <string>

namespace catsieve {

// Most decimals of the seconds that a time or an ID carries.
constexpr int kMaxStemDigits = 6;

// An origin time exactly as a record gives it: whole seconds since
// 1700-01-01 and the decimals of the seconds, frac in units of the last.
struct Stem {
  long long seconds = 0;
  long long frac = 0;  // 0 <= frac < 10^digits
  int digits = 0;
};

// A key that orders stems by time, then by their number of decimals; equal
// keys are equal stems.
long long stem_key(const Stem& s);

// An ID: the layout's word, the stem, and the record's number among those
// of its stem in its file (1 for the first, which is written without it).
struct EventId {
  const char* word = nullptr;  // null: the event has no ID
  Stem stem;
  int number = 1;
};

// The ID as text; false for a time outside the years 0 to 9999.
bool event_id_text(const EventId& id, std::string* text);
// An ID read back from its text; false when the text is none.
bool parse_event_id(const std::string& text, std::string* word, Stem* stem, int* number);

// The calendar fields of whole seconds since 1700-01-01.
struct CivilTime {
  int year, month, day, hour, minute, second;
};
CivilTime civil_time(long long seconds);

}  // namespace catsieve

#endif
