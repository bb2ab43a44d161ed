// Selected events as CSV rows, quoted as RFC 4180 asks, lines ended by a
// newline.
#include "catsieve/csv_sink.h"

#include "catsieve/event_columns.h"
#include "catsieve/event_text.h"
#include "catsieve/output.h"

namespace catsieve {

namespace {
// Each thread that formats events builds its rows in its own text.
thread_local Text row, cell;
}  // namespace

void csv_begin() {
  Text header;
  for (int i = 0; i < nevent_columns; ++i) {
    if (i) put(header, ',');
    put(header, event_columns[i].name);
  }
  put(header, '\n');
  out_text(header.buf, header.n);
}

const Text& csv_event(const Event& e) {
  row.n = 0;
  // Unrolled, each column's writer is called directly.
#pragma GCC unroll 32
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
  return row;
}

}  // namespace catsieve
