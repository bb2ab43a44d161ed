// Event fields as text for the output forms: numbers, ISO 8601 times and
// the quoting of CSV, JSON and XML.
#ifndef CATSIEVE_EVENT_TEXT_H
#define CATSIEVE_EVENT_TEXT_H

#include <string>

#include "catsieve/event.h"

namespace catsieve {

// Kilometres per degree of arc on the sphere of the distance test.
constexpr double kKmPerDegree = 6371.0 * 0.017453292519943295;

// A finite value as the shortest text of at most 15 significant digits
// (so that a field read as 12.34 is written 12.34); false for an infinity
// or a not-a-number, which no output form can carry.
bool number_text(double v, std::string& to);
// A time value as "1995-02-14T03:21:07.42Z" with the given decimals of the
// seconds (at most 6); false for a time outside the years 1 to 9999.
bool iso_time_text(double time, int digits, std::string& to);
// The time text of an event, or nothing.
bool event_time_text(const Event& e, std::string& to);

// Appends text as one CSV cell, quoted when it holds a comma, a quote or a
// line end.
void csv_cell(const char* text, std::string& to);
// Appends text as a JSON string, quotes included.
void json_string(const char* text, std::string& to);

}  // namespace catsieve

#endif
