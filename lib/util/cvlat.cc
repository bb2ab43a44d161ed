// Geographic and geocentric latitude.
#include "util/cvlat.h"

#include <cmath>

namespace util {

double ggtogc(double lat) { return std::atan2(kOneMinusE2 * std::sin(lat), std::cos(lat)); }

double gctogg(double lat) { return std::atan2(std::sin(lat) / kOneMinusE2, std::cos(lat)); }

}  // namespace util
