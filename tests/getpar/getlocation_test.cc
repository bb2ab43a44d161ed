// The location lookup, with LOCATIONS files in a temporary folder in place of the system's.
#include "getpar/getlocation.h"

#include "support/harness.h"

namespace {

constexpr const char* kKey = "CATSIEVE_TEST_LOCATION_KEY";
const std::string kK = kKey;

TEST(Getlocation, EnvironmentThenTheFirstLocationsFileThatOpens) {
  const std::string kNo = "(missing)", long_value = "/data/" + std::string(300, 'v');
  // The variable's value (or unset), the three LOCATIONS places in order, the result.
  const struct { const char* env; Args places; int result; std::string value; } cases[] = {
      {nullptr, {"  \t" + kK + "\t\t/data/tarn\r/other"}, 1, "/data/tarn"},
      {nullptr, {kK + "\n" + kK + " # no value\n#" + kK + " /old\n" + kK + " /data/tarn# main\n" +
                 kK + " /other\n"}, 1, "/data/tarn"},
      {nullptr, {"catsieve_test_location_key /lower\n" + kK + "X /longer\nX" + kK + " /prefixed\n" +
                 kK + " /exact\n"}, 1, "/exact"},
      {nullptr, {kK + " \\\n   /data/continued\n"}, 1, "/data/continued"},
      {nullptr, {std::string(400, ' ') + kK + " " + long_value + "\n"}, 1, long_value},
      {nullptr, {"OTHERKEY /x\n# " + kK + " /commented\n"}, 0, ""}, {nullptr, {}, -1, ""},
      {nullptr, {kNo, "OTHERKEY /x\n", kK + " /third\n"}, 0, ""},
      {nullptr, {kNo, kNo, kK + " /third\n"}, 1, "/third"}, {"/env/dir", {}, 1, "/env/dir"},
      {"", {kK + " /file\n"}, 1, ""}, {long_value.c_str(), {kK + " /file\n"}, 1, long_value}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.places));
    TempDir dir;
    std::string p[3];
    for (size_t i = 0; i < 3; ++i)
      p[i] = i < c.places.size() && c.places[i] != kNo ? dir.write(std::to_string(i), c.places[i])
                                                       : dir.path() + "/none";
    const char* paths[3] = {p[0].c_str(), p[1].c_str(), p[2].c_str()};
    c.env ? setenv(kKey, c.env, 1) : unsetenv(kKey);
    std::string value = "before";
    int got = getpar::getlocation_in(kKey, value, paths, 3);
    EXPECT_EQ(std::to_string(got) + value,
              std::to_string(c.result) + (c.result == 1 ? c.value : "before"));
  }
  unsetenv(kKey);
}

}  // namespace
