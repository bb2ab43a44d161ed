// The catalog layouts of the differential tests, and the values of their
// records from which criteria bounds are taken.
#ifndef TESTS_DIFFERENTIAL_COLUMNS_H
#define TESTS_DIFFERENTIAL_COLUMNS_H

#include <string>
#include <vector>

namespace diff {

// The catalog layouts, as the generator names them.
enum class Format { kTarnOld, kTarnY2k, kMechOld, kMechY2k, kOrv, kBrim, kKelp, kFullBrim };

// The word of -format for a layout, and the generator's name of it.
const char* format_word(Format f);
const char* catgen_name(Format f);
// Line-buffer size of the layout's reader.
int buffer_size(Format f);

// Fields whose values serve as bounds of a criterion, so that some records
// lie exactly on a bound.
enum class Field {
  kLat, kLon, kDepth, kMag, kNsta, kGap, kClose, kRms, kHerr, kZerr,
  kOtErr, kLatErr, kLonErr, kNmagObs, kM0, kNm0Obs,
};

// The value of a field in a record (for the full brim format, in the
// summary line of a record); false when the record does not carry a usable
// value.
bool field_value(Format f, const std::string& record, Field field, double* value);
// The record's origin time as a -time word (yyyymmddhhmmss.fraction); false
// when its time fields are out of the calendar's range.
bool time_word(Format f, const std::string& record, std::string* word);
// The summary lines of a full brim catalog text, one per record that has a
// location line.
std::vector<std::string> full_brim_summaries(const std::string& text);

}  // namespace diff

#endif
