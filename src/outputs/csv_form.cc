// Selected events as CSV rows, quoted as RFC 4180 asks, lines ended by a
// newline.
#include "outputs/csv_form.h"

#include "outputs/event_columns.h"

namespace catsieve {

void csv_begin(Sink& out) {
  Text header;
  for (int i = 0; i < nevent_columns; ++i) {
    if (i) put(header, ',');
    put(header, event_columns[i].name);
  }
  put(header, '\n');
  out.text(header.buf, header.n);
}

const Text& csv_event(const Event& e, long long, FormScratch& s) {
  Text& row = s.text;
  Text& cell = s.part;
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
