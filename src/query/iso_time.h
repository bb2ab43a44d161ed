// Date-times written as ISO 8601 (1995-02-14T03:21:07.42Z), in UTC or
// with a zone offset.
#ifndef QUERY_ISO_TIME_H
#define QUERY_ISO_TIME_H

namespace catsieve {

// The time value of text of the form yyyy-mm-dd, optionally followed by "T"
// or a blank and hh:mm, then optionally :ss, then optionally a point and
// the fraction of the second, the whole optionally ending in "Z" or in an
// offset from UTC (+hh:mm, +hhmm, -hh:mm, -hhmm), by which the time is
// converted to UTC.  A date alone may carry no offset.  False,
// with *value unchanged, when text is not of that form or names a day,
// hour, minute or second that does not exist (second 60, a leap second,
// does).
bool iso_time(const char* text, double* value);

}  // namespace catsieve

#endif
