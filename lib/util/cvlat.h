// Geographic and geocentric latitude on the reference ellipsoid (radians).
#ifndef UTIL_CVLAT_H
#define UTIL_CVLAT_H

namespace util {

// 1 - e^2: the ratio of the tangents of geocentric and geographic latitude.
constexpr double kOneMinusE2 = 0.993305242609;

double ggtogc(double lat);
double gctogg(double lat);

}  // namespace util

#endif
