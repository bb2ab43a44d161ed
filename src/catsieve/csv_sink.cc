// Selected events as CSV rows, quoted as RFC 4180 asks, lines ended by a
// newline.
#include "catsieve/csv_sink.h"

#include "catsieve/event_columns.h"
#include "catsieve/event_text.h"
#include "catsieve/output.h"

namespace catsieve {

namespace {
Text row, cell;
}  // namespace

void csv_begin() {
  row.n = 0;
  for (int i = 0; i < nevent_columns; ++i) {
    if (i) put(row, ',');
    put(row, event_columns[i].name);
  }
  put(row, '\n');
  out_text(row.buf, row.n);
}

void csv_event(const Event& e) {
  row.n = 0;
  for (int i = 0; i < nevent_columns; ++i) {
    const EventColumn& c = event_columns[i];
    if (i) put(row, ',');
    if (c.kind != ColumnKind::kText) {
      c.value(e, row);
      continue;
    }
    cell.n = 0;
    if (c.value(e, cell)) csv_cell(cell.buf, cell.n, row);
  }
  put(row, '\n');
  out_text(row.buf, row.n);
}

}  // namespace catsieve
