// What a run asks of its output form besides the events: the authority of
// the resource identifiers, the CSV columns in their order and the text of
// an empty cell.
#ifndef OUTPUTS_FORM_SETTINGS_H
#define OUTPUTS_FORM_SETTINGS_H

#include <string>
#include <vector>

namespace catsieve {

constexpr char kDefaultAuthority[] = "local";

struct FormSettings {
  std::string authority = kDefaultAuthority;
  // Indexes of the event columns a CSV row holds, in order; empty for all.
  std::vector<int> columns;
  std::string missing;  // written in an empty cell of CSV and text rows
};

// Whether name may be an authority: a letter, digit or "_", then two or
// more of those or of "-.*()~'", as resource identifiers have them.
bool valid_authority(const std::string& name);
// Whether text may stand in an empty cell: no separator of CSV or of the
// text form (comma, "|"), no quote and no line end, which would break a
// row.
bool valid_missing(const std::string& text);
// The columns of a comma-separated list of column names; false with the
// first unknown name in *bad.
bool choose_columns(const std::string& list, std::vector<int>* columns, std::string* bad);

}  // namespace catsieve

#endif
