#include "util/calendar.h"

namespace util {

double dmin(const double* values, int n) {
  double m = values[0];
  for (int i = 1; i < n; ++i)
    if (values[i] < m) m = values[i];
  return m;
}

double dmax(const double* values, int n) {
  double m = values[0];
  for (int i = 1; i < n; ++i)
    if (values[i] > m) m = values[i];
  return m;
}

}  // namespace util
