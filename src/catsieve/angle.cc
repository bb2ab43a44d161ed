// Angle words d[:m[:s]] of the latitude and longitude options.
#include <cstdlib>
#include <cstring>

#include "catsieve/args.h"
#include "catsieve/strict_args.h"

namespace catsieve {

const char* angle_sign(const char* word, double* sign) {
  const char* p = word;
  *sign = 1;
  if (*p == '+') ++p;
  if (*p == '-') {
    ++p;
    *sign = -1;
  }
  return p;
}

double angle(const char* word) {
  strict_check_angle(word);
  double sign;
  const char* p = angle_sign(word, &sign);
  double degrees = std::atof(p);
  double minutes = 0, seconds = 0;
  if (const char* colon = std::strchr(p, ':')) {
    minutes = std::atof(colon + 1);
    if (const char* colon2 = std::strchr(colon + 1, ':')) seconds = std::atof(colon2 + 1);
  }
  return sign * (degrees + (minutes + seconds / 60) / 60);
}

int isangle(const char* word) {
  if (!word) return 0;
  return word[std::strspn(word, "+-0123456789.:")] == '\0';
}

}  // namespace catsieve
