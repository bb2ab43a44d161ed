// The kelp catalog reader: fields and dates from the day of the year (its record size:
// inputs_test.cc).
#include "support/harness.h"

namespace {

// A kelp record of day 123 of 2001 (3 May), every gap filled; no value ends in 0.
std::string kelp(const Fields& changes = {}) {
  static const Fields kFull = {
      {1, "2001"}, {6, "123"}, {10, "04"}, {13, "05"}, {16, "06.2501"}, {26, "-41.2501"},
      {36, "174.75001"}, {46, "12.501"}, {53, "3.41"}, {61, "125"}, {65, "123"}, {69, "0.15"},
      {74, "B"}};
  return record(74, kFull, changes, '9');
}
CliCase run(const std::string& args, const std::string& in, const std::string& out) {
  return quiet(w("-format kelp " + args), in, out);
}

// Bounds at the value select the line (both are inclusive); bounds just above it reject it.  A
// blank magnitude is 0, and -no_mag makes no exception for it.
TEST(KelpCatalog, Fields) {
  for (const char* r : {"-time 20010503040506.2501 20010503040506.26", "-latitude -41.2501 -41.25",
                        "-longitude 174.75001 174.7501", "-depth 12.501 12.5011",
                        "-magnitude 3.41 3.4101", "-nstations 125 126", "-rms 0.15 0.1501",
                        "-nmag 123 124"}) {
    Args a = w(r);
    check_case(run(a[0] + " " + a[1] + " " + a[1], kelp(), kelp()));
    check_case(run(a[0] + " " + a[2] + " " + a[2], kelp(), ""));
  }
  check_case(run("-quality ab", kelp() + kelp({{74, "c"}}), kelp()));  // folded to lower case
  check_case(run("-magnitude 0 0", kelp({{53, "    "}}), kelp({{53, "    "}})));
  check_case(run("-magnitude 2 9 -no_mag", kelp({{53, "    "}}), ""));
}

// Leap years are those divisible by 4 but not by 100, or by 400; a day past the end of the year
// runs on into the next, a day of 0 or below back; the last and first days of months.
TEST(KelpCatalog, DayOfYear) {
  const std::pair<std::string, std::string> days[] = {
      {"1900 060", "19000301"}, {"2004 060", "20040229"}, {"2000 366", "20001231"},
      {"2001 366", "20020101"}, {"2001 400", "20020204"}, {"2001 000", "20001231"},
      {"2001 -05", "20001226"}, {"2001 031", "20010131"}, {"2001 032", "20010201"},
      {"2001 059", "20010228"}, {"2000 182", "20000630"}, {"2001 334", "20011130"}};
  for (const auto& [day, date] : days)
    check_case(run("-time " + date + "000000 " + date + "235959", kelp({{1, day}}),
                   kelp({{1, day}})));
}

}  // namespace
