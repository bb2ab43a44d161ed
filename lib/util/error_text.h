// Texts of system error numbers and of the calendar's numbered errors.
#ifndef UTIL_ERROR_TEXT_H
#define UTIL_ERROR_TEXT_H

#include <string>

namespace util {

// The calendar's error numbers start just above this one (ckdate).
constexpr int kErrorBase = 1000;

// Text of a system or calendar error number; empty for 0, "Error <n>" for
// a number that neither describes.
std::string error_text(int number);

}  // namespace util

#endif
