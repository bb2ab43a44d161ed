// Selected events as CSV rows, quoted as RFC 4180 asks, lines ended by a
// newline.
#include "catsieve/csv_sink.h"

#include <string>

#include "catsieve/event_columns.h"
#include "catsieve/event_text.h"
#include "catsieve/output.h"

namespace catsieve {

void csv_begin() {
  std::string line;
  for (int i = 0; i < nevent_columns; ++i) {
    if (i) line += ',';
    line += event_columns[i].name;
  }
  line += '\n';
  out_text(line.data(), line.size());
}

void csv_event(const Event& e) {
  static std::string line, cell;
  line.clear();
  for (int i = 0; i < nevent_columns; ++i) {
    if (i) line += ',';
    cell.clear();
    if (event_columns[i].value(e, cell)) csv_cell(cell.c_str(), line);
  }
  line += '\n';
  out_text(line.data(), line.size());
}

}  // namespace catsieve
