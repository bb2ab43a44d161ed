// A slow and plain second implementation of the catalog readers, for the
// differential tests only: records are read with fgets into a buffer of the
// reader's size, every field is copied into a terminated buffer and
// converted with atoi or atof, and the tests run one after another in each
// format's order.  It shares nothing with the program's record cycle; it
// takes the criteria from the program's own option handlers and uses the
// program's calendar and polygon functions, which are not what it checks.
#ifndef TESTS_DIFFERENTIAL_REFERENCE_H
#define TESTS_DIFFERENTIAL_REFERENCE_H

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

// What a run wrote and how it ended.
struct Outcome {
  std::string out;
  std::string err;
  int status;
};

// Fills the program's criteria from option words (no file names), through
// the program's own option handlers, and installs the default magnitude
// list as the run driver does.
void set_criteria(const std::vector<std::string>& options);

// Filters the files in order, under the criteria left by set_criteria,
// as a run of the program with those options and files should.
Outcome reference_run(Format f, const std::vector<std::string>& files);

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
