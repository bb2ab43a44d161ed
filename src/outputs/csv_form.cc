// Selected events as CSV rows, quoted as RFC 4180 asks, lines ended by a
// newline.  The columns are all of the event columns in their order, or
// those the run chose, in its order.
#include "outputs/csv_form.h"

#include "outputs/event_columns.h"

namespace catsieve {

namespace {

// One cell: the column's value, quoted when it needs it, or the run's text
// of an empty cell.
inline void cell(const EventColumn& c, const Event& e, const FormSettings& f, FormScratch& s) {
  Text& row = s.text;
  Text& text = s.part;
  text.n = 0;
  bool has = c.kind == ColumnKind::kText ? c.value(e, text) : c.value(e, row);
  if (c.kind == ColumnKind::kText && has) csv_cell(text.buf, text.n, row);
  if (!has) put(row, f.missing.data(), f.missing.size());
}

}  // namespace

void csv_begin(Sink& out, const FormSettings& f) {
  Text header;
  size_t n = f.columns.empty() ? static_cast<size_t>(nevent_columns) : f.columns.size();
  for (size_t i = 0; i < n; ++i) {
    if (i) put(header, ',');
    put(header, event_columns[f.columns.empty() ? i : static_cast<size_t>(f.columns[i])].name);
  }
  put(header, '\n');
  out.text(header.buf, header.n);
}

const Text& csv_event(const Event& e, long long, const FormSettings& f, FormScratch& s) {
  Text& row = s.text;
  row.n = 0;
  if (!f.columns.empty()) {
    for (size_t i = 0; i < f.columns.size(); ++i) {
      if (i) put(row, ',');
      cell(event_columns[f.columns[i]], e, f, s);
    }
    put(row, '\n');
    return row;
  }
  // Unrolled, each column's writer is called directly.
#pragma GCC unroll 32
  for (int i = 0; i < nevent_columns; ++i) {
    if (i) put(row, ',');
    cell(event_columns[i], e, f, s);
  }
  put(row, '\n');
  return row;
}

}  // namespace catsieve
