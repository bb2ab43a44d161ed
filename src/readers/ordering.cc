// The order and limits of a run's output.
#include "readers/ordering.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "outputs/event.h"
#include "outputs/event_text.h"
#include "readers/record_cycle.h"

namespace catsieve {

namespace {

bool by_magnitude(OrderBy by) { return by == OrderBy::kMagnitude || by == OrderBy::kMagnitudeAsc; }

// The magnitude that the output forms write, read back from its text, so
// that magnitudes written alike sort alike; false when there is none.
bool written_magnitude(const Real& mag, double* value) {
  Text text;
  constexpr size_t kMost = 64;
  if (!real_text(mag, text) || text.n >= kMost) return false;
  char digits[kMost];
  std::memcpy(digits, text.buf, text.n);
  digits[text.n] = '\0';
  *value = std::strtod(digits, nullptr);
  return std::isfinite(*value);
}

// The record's key: its exact origin time, or the magnitude its reader
// describes; none for a record that is no event.  A listed magnitude type
// that the catalog lacks is the fault of the run.
SortKey sort_key(RunState& st, const Line& view, Describe describe, const RecordMark& mark,
                 const char** fault) {
  SortKey key;
  if (!mark.event) return key;
  if (!by_magnitude(st.order->settings.by)) {
    const Stem& s = mark.id.stem;
    key.has = true;
    key.whole = s.seconds;
    key.part = s.frac;
    for (int d = s.digits; d < kMaxStemDigits; ++d) key.part *= 10;
    return key;
  }
  Event e;
  describe(st.q, st.days, view, &e);
  *fault = e.mag_fault;
  key.has = !e.mag_fault && written_magnitude(e.mag, &key.value);
  return key;
}

// A record of the window out, as the run's form puts it out; false when
// formatting met a fault.
bool pass_on(RunState& st, const Line& raw, const Line& view, Describe describe,
             const RecordMark& mark) {
  if (st.form.kind != FormKind::kRecords) return put_event(st, view, describe, mark);
  st.out.span(raw.p, raw.n);
  return true;
}

}  // namespace

RunOrder::RunOrder(const OrderSettings& s, FormKind kind)
    : settings(s),
      sorting(sorts(s) && kind != FormKind::kCount),
      held(s.by != OrderBy::kMagnitudeAsc, s.limit ? s.offset - 1 + s.limit : 0) {}

void order_record(RunState& st, const Line& raw, const Line& view, Describe describe,
                  const RecordMark& mark) {
  RunOrder& o = *st.order;
  const OrderSettings& s = o.settings;
  if (st.done) return;
  // The forms that describe events write nothing of another record.
  if (st.form.kind == FormKind::kEvents && !mark.event) return;
  if (!o.sorting) {
    long long place = ++o.streamed;
    if (place < s.offset) return;
    pass_on(st, raw, view, describe, mark);
    if (s.limit && place - s.offset + 1 >= s.limit) st.done = true;
    return;
  }
  const char* fault = nullptr;
  SortKey key = sort_key(st, view, describe, mark, &fault);
  if (fault) {
    st.fault = fault;
    st.done = true;
    return;
  }
  if (!o.held.wanted(key)) return;
  if (!s.limit && o.held.size() >= static_cast<size_t>(s.max_events)) {
    o.exceeded = true;
    o.held.clear();
    st.done = true;
    return;
  }
  const Line& keep = st.form.kind == FormKind::kRecords ? raw : view;
  HeldRecord r;
  r.key = key;
  r.bytes.assign(keep.p, keep.n);
  r.describe = describe;
  r.mark = mark;
  o.held.add(std::move(r));
}

void put_held(RunState& st) {
  RunOrder& o = *st.order;
  if (!o.sorting || o.exceeded) return;
  const OrderSettings& s = o.settings;
  std::vector<HeldRecord> sorted = o.held.take_sorted();
  size_t from = static_cast<size_t>(s.offset - 1);
  size_t to = sorted.size();
  if (s.limit) to = std::min(to, from + static_cast<size_t>(s.limit));
  for (size_t i = from; i < to && !st.out.failed(); ++i) {
    const HeldRecord& r = sorted[i];
    Line bytes{r.bytes.data(), r.bytes.size()};
    if (!pass_on(st, bytes, bytes, r.describe, r.mark)) break;
  }
  // The records went out uncopied from the held copies.
  st.out.settle();
}

util::Status too_many_to_sort(const OrderSettings& s) {
  return util::named_failure(
      1, "more than %lld events to sort: give --limit, or a larger --max-events\n", s.max_events);
}

}  // namespace catsieve
