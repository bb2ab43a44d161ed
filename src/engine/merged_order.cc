// The merge of held selections.
#include "engine/merged_order.h"

#include <algorithm>

#include "outputs/event_batch.h"

namespace catsieve {

namespace {

// A held record by its selection and its place there.
struct Ref {
  size_t part;
  size_t index;
};

// The records of every selection in the merged order.  Each selection is
// in its order already, so that ties keep the searches' order.
std::vector<Ref> merged(const std::vector<HeldSelection>& parts, const OrderSettings& order) {
  const bool descending = order.by != OrderBy::kMagnitudeAsc;
  std::vector<Ref> refs;
  for (size_t p = 0; p < parts.size(); ++p)
    for (size_t i = 0; i < parts[p].records.size(); ++i) refs.push_back(Ref{p, i});
  auto key = [&](const Ref& r) -> const SortKey& { return parts[r.part].records[r.index].key; };
  std::stable_sort(refs.begin(), refs.end(), [&](const Ref& a, const Ref& b) {
    return key_before(key(a), key(b), descending);
  });
  return refs;
}

}  // namespace

long long held_count(const std::vector<HeldSelection>& parts) {
  long long n = 0;
  for (const HeldSelection& p : parts) n += static_cast<long long>(p.records.size());
  return n;
}

void trim_held(std::vector<HeldSelection>& parts, const OrderSettings& order) {
  if (!order.limit) return;
  const size_t keep = static_cast<size_t>(order.offset - 1 + order.limit);
  std::vector<Ref> refs = merged(parts, order);
  if (refs.size() <= keep) return;
  // Each selection is best first: what it keeps is a leading run.
  std::vector<size_t> kept(parts.size(), 0);
  for (size_t i = 0; i < keep; ++i) ++kept[refs[i].part];
  for (size_t p = 0; p < parts.size(); ++p) parts[p].records.resize(kept[p]);
}

util::Status write_merged(const std::vector<HeldSelection>& parts, const Request& r, Sink& out) {
  const Form& form = r.form ? *r.form : records_form();
  std::vector<Ref> refs = merged(parts, r.order);
  size_t from = static_cast<size_t>(r.order.offset - 1);
  size_t to = refs.size();
  if (r.order.limit) to = std::min(to, from + static_cast<size_t>(r.order.limit));
  EventBatch batch(out, form, r.settings, r.helper_threads);
  if (form.begin) form.begin(out, r.settings);
  long long written = 0;
  const char* fault = nullptr;
  for (size_t i = from; i < to && !fault && !out.failed(); ++i) {
    const HeldSelection& part = parts[refs[i].part];
    const HeldRecord& h = part.records[refs[i].index];
    Line bytes{h.bytes.data(), h.bytes.size()};
    if (form.kind == FormKind::kEvents) {
      if (h.mark.event) fault = batch.add(bytes, part.query, h.describe, ++written, h.mark.id);
    } else if (form.kind == FormKind::kCount) {
      ++written;
    } else {
      out.span(bytes.p, bytes.n);
    }
  }
  if (const char* last = batch.flush())
    if (!fault) fault = last;
  out.settle();
  if (out.failed()) return out.failure();
  if (form.end) form.end(out, written, r.settings);
  if (fault) return util::failure(1, "Specified magnitude not available for %s\n", fault);
  return util::Status{};
}

}  // namespace catsieve
