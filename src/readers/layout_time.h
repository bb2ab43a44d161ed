// Origin times of a layout table with year (plus a century), month and day
// fields in adjacent columns and hour, minute and seconds fields, as the
// tarn catalog and mechanism layouts have, compiled for each table; and the
// solution fields that both tables carry.
#ifndef READERS_LAYOUT_TIME_H
#define READERS_LAYOUT_TIME_H

#include "outputs/event.h"
#include "readers/event_fields.h"
#include "records/day_cache.h"
#include "records/field.h"
#include "util/calendar.h"

namespace catsieve {

template <const auto& t>
double layout_day(DayCache& days, const Line& l) {
  return cached_day(days, l, t.year.col, t.day.col + t.day.width - t.year.col, [&l] {
    return util::day_start(fint(l, t.year) + t.century, fint(l, t.month), fint(l, t.day), 1);
  });
}

template <const auto& t>
double layout_otime(DayCache& days, const Line& l) {
  return util::time_of_day(layout_day<t>(days, l), fint(l, t.hour), fint(l, t.minute),
                           freal(l, t.seconds));
}

// The time test of a record of the table.
template <const auto& t>
bool layout_otime_in(DayCache& days, const Bounds<double>& b, const Line& l) {
  return otime_in(b, layout_day<t>(days, l), l, t.hour, t.minute, t.seconds);
}

// What makes a record of the table an event.
template <const auto& t>
inline constexpr EventFields kLayoutEventColumns = {
    layout_day<t>,  t.year,         t.century,      t.month,   t.day,
    Col{0, 0, 0},   t.hour,         t.minute,       t.seconds, t.place.latdeg,
    t.place.latmin, t.place.londeg, t.place.lonmin,
};
template <const auto& t>
inline constexpr EventFields kLayoutEventFields = [] {
  EventFields f = kLayoutEventColumns<t>;
  f.event_stem = fixed_event_stem<kLayoutEventColumns<t>>;
  return f;
}();

// The fields of the solution that the tarn catalog and mechanism tables
// both carry, for the output forms.
template <const auto& t>
void describe_solution(const Line& l, Event* e) {
  e->depth = real_field(l, t.depth);
  e->nsta = count_field(l, t.nsta);
  e->gap = real_field(l, t.gap);
  e->close = real_field(l, t.close);
  e->rms = real_field(l, t.rms);
  e->herr = real_field(l, t.herr);
  e->zerr = real_field(l, t.zerr);
}

}  // namespace catsieve

#endif
