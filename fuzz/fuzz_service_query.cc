// Arbitrary bytes as the query string of the event service: split at "&"
// and at the first "=" of each part, as a URL's query is, then read into a
// query or the message of a 400 answer, never anything else.
#include <cstdlib>
#include <string>
#include <vector>

#include "service/service_params.h"

namespace {

constexpr long long kMaxEvents = 100000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<catsieve::Param> params;
  size_t from = 0;
  while (from <= text.size()) {
    size_t amp = text.find('&', from);
    std::string part = text.substr(from, amp == std::string::npos ? amp : amp - from);
    size_t eq = part.find('=');
    params.emplace_back(part.substr(0, eq), eq == std::string::npos ? "" : part.substr(eq + 1));
    if (amp == std::string::npos) break;
    from = amp + 1;
  }
  catsieve::ServiceQuery q;
  std::string why;
  bool ok = catsieve::read_service_query(params, kMaxEvents, &q, &why);
  // A refused request always says why; a taken one has a form to answer in.
  if (ok ? q.form == nullptr : why.empty()) std::abort();
  return 0;
}
