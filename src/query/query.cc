// What the query's users share.
#include "query/query.h"

#include <climits>
#include <cmath>

namespace catsieve {

int trunc_int(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

}  // namespace catsieve
