// The location lookup and its line reader, on real files in a temporary
// folder; the LOCATIONS places are replaced by paths inside that folder.
#include "getpar/getlocation.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "gtest/gtest.h"
#include "support/temp_dir.h"

namespace {

constexpr const char* kKey = "CATSIEVE_TEST_LOCATION_KEY";

// ---- getline / ungetline ------------------------------------------------

struct LineCase {
  const char* name;
  std::string content;
  std::vector<std::pair<int, std::string>> lines;  // then -1
};

class GetlineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(GetlineTest, ReadsLinesThenEndOfFile) {
  const LineCase& c = GetParam();
  TempDir dir;
  std::FILE* fp = std::fopen(dir.write("f", c.content).c_str(), "r");
  ASSERT_NE(fp, nullptr);
  std::string line;
  for (const auto& want : c.lines) {
    EXPECT_EQ(getpar::getline(fp, line), want.first);
    EXPECT_EQ(line, want.second);
  }
  EXPECT_EQ(getpar::getline(fp, line), -1);
  EXPECT_EQ(getpar::getline(fp, line), -1);
  std::fclose(fp);
}

const std::string kLong(1000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Lines, GetlineTest,
    ::testing::Values(
        LineCase{"Empty", "", {}},
        LineCase{"EmptyLinesCountZero", "\n\nab\n", {{0, ""}, {0, ""}, {2, "ab"}}},
        LineCase{"LastLineWithoutNewline", "one\ntwo", {{3, "one"}, {3, "two"}}},
        LineCase{"ContinuationBecomesBlank", "key\\\nvalue\nnext\n",
                 {{9, "key value"}, {4, "next"}}},
        LineCase{"ContinuationOverSeveralLines", "a\\\nb\\\nc\n", {{5, "a b c"}}},
        LineCase{"ContinuationAtEnd", "a\\\n", {{2, "a "}}},
        LineCase{"BackslashBeforeOtherKept", "a\\tb\n", {{4, "a\\tb"}}},
        // The escaped backslash does not escape the newline after it.
        LineCase{"DoubleBackslashEndsLine", "a\\\\\nb\n", {{3, "a\\\\"}, {1, "b"}}},
        LineCase{"BackslashAtEndOfFileDropped", "ab\\", {{2, "ab"}}},
        LineCase{"LoneBackslashAtEndOfFile", "\\", {}},
        LineCase{"NulAndHighBytesAreCharacters", std::string("a\0b\xff\n", 5),
                 {{4, std::string("a\0b\xff", 4)}}},
        LineCase{"LongLineWhole", kLong + "\nz\n", {{1000, kLong}, {1, "z"}}}),
    [](const ::testing::TestParamInfo<LineCase>& i) { return std::string(i.param.name); });

TEST(Ungetline, NextCallReturnsSameLineWithoutReading) {
  TempDir dir;
  std::FILE* fp = std::fopen(dir.write("f", "first\nsecond\n").c_str(), "r");
  ASSERT_NE(fp, nullptr);
  std::string line;
  ASSERT_EQ(getpar::getline(fp, line), 5);
  getpar::ungetline();
  line = "untouched";
  EXPECT_EQ(getpar::getline(fp, line), 5);
  EXPECT_EQ(line, "untouched");  // the buffer is left as it is
  // Only the one call is affected.
  EXPECT_EQ(getpar::getline(fp, line), 6);
  EXPECT_EQ(line, "second");
  EXPECT_EQ(getpar::getline(fp, line), -1);
  std::fclose(fp);
}

// ---- gl_checkopen --------------------------------------------------------

TEST(GlCheckopen, KeepsAnOpenStreamElseOpensPath) {
  TempDir dir;
  std::string a = dir.write("a", "A");
  std::string b = dir.write("b", "B");
  std::FILE* fp = getpar::gl_checkopen(nullptr, (dir.path() + "/missing").c_str());
  EXPECT_EQ(fp, nullptr);
  fp = getpar::gl_checkopen(fp, a.c_str());
  ASSERT_NE(fp, nullptr);
  EXPECT_EQ(getpar::gl_checkopen(fp, b.c_str()), fp);
  EXPECT_EQ(std::fgetc(fp), 'A');
  std::fclose(fp);
}

// ---- getlocation ---------------------------------------------------------

class GetlocationTest : public ::testing::Test {
 protected:
  void SetUp() override { unsetenv(kKey); }
  void TearDown() override { unsetenv(kKey); }

  // The three LOCATIONS places inside the temporary folder.
  std::string place(int i) const { return dir_.path() + "/loc" + std::to_string(i); }
  int lookup(std::string& value, int fatal = 0) {
    places_ = {place(0), place(1), place(2)};
    const char* paths[3] = {places_[0].c_str(), places_[1].c_str(), places_[2].c_str()};
    return getpar::getlocation_in(kKey, value, fatal, paths, 3);
  }

  TempDir dir_;
  std::vector<std::string> places_;
};

struct FileCase {
  const char* name;
  std::string content;
  int result;
  std::string value;
};

class LocationsFileTest : public GetlocationTest,
                          public ::testing::WithParamInterface<FileCase> {};

TEST_P(LocationsFileTest, FindsFirstMatchingEntry) {
  const FileCase& c = GetParam();
  dir_.write("loc0", c.content);
  std::string value = "before";
  EXPECT_EQ(lookup(value), c.result);
  EXPECT_EQ(value, c.result == 1 ? c.value : "before");
}

const std::string kK = kKey;
const std::string kLongValue = "/data/" + std::string(300, 'v');

INSTANTIATE_TEST_SUITE_P(
    Entries, LocationsFileTest,
    ::testing::Values(
        FileCase{"Plain", kK + " /data/tarn\n", 1, "/data/tarn"},
        FileCase{"TabsAndLeadingBlanks", "  \t" + kK + "\t\t/data/tarn  \n", 1, "/data/tarn"},
        FileCase{"NoNewlineAtEnd", kK + " /data/tarn", 1, "/data/tarn"},
        FileCase{"CarriageReturnIsWhiteSpace", kK + " /data/tarn\r\n", 1, "/data/tarn"},
        FileCase{"FirstMatchWinsCommentCut",
                 "# catalogs\n" + kK + " /data/tarn# the main one\n" + kK + " /other\n", 1,
                 "/data/tarn"},
        FileCase{"ThirdWordIgnored", kK + " /data/tarn /other\n", 1, "/data/tarn"},
        FileCase{"KeyCaseMatters", "catsieve_test_location_key /lower\n" + kK + " /upper\n", 1,
                 "/upper"},
        FileCase{"KeyIsWholeWord", kK + "X /longer\nX" + kK + " /prefixed\n" + kK + " /exact\n",
                 1, "/exact"},
        FileCase{"KeyAloneSkipped", kK + "\n" + kK + " # no value\n" + kK + " /later\n", 1,
                 "/later"},
        FileCase{"CommentedOutEntry", "#" + kK + " /old\n" + kK + " /new\n", 1, "/new"},
        FileCase{"ValueOnContinuationLine", kK + " \\\n   /data/continued\n", 1,
                 "/data/continued"},
        FileCase{"KeyJoinedWithoutBlank", kK + "\\\n/data/joined\n", 1, "/data/joined"},
        FileCase{"LongValueWhole", kK + " " + kLongValue + "\n", 1, kLongValue},
        FileCase{"LongLineBeforeKey", std::string(400, ' ') + kK + " /far\n", 1, "/far"},
        FileCase{"NotPresent", "OTHERKEY /x\n# " + kK + " /commented\n", 0, ""},
        FileCase{"EmptyFile", "", 0, ""}),
    [](const ::testing::TestParamInfo<FileCase>& i) { return std::string(i.param.name); });

TEST_F(GetlocationTest, EnvironmentWinsWithoutAnyFile) {
  setenv(kKey, "/env/dir", 1);
  std::string value;
  EXPECT_EQ(lookup(value, 1), 1);
  EXPECT_EQ(value, "/env/dir");
}

TEST_F(GetlocationTest, EnvironmentWinsOverFileEvenWhenEmpty) {
  dir_.write("loc0", kK + " /file/dir\n");
  setenv(kKey, "", 1);
  std::string value = "before";
  EXPECT_EQ(lookup(value), 1);
  EXPECT_EQ(value, "");
}

TEST_F(GetlocationTest, LongEnvironmentValueWhole) {
  std::string v = "/env/" + std::string(500, 'e');
  setenv(kKey, v.c_str(), 1);
  std::string value;
  EXPECT_EQ(lookup(value), 1);
  EXPECT_EQ(value, v);
}

TEST_F(GetlocationTest, OnlyFirstFileThatOpensIsRead) {
  // The first place is missing, the second lacks the key, the third has it.
  dir_.write("loc1", "OTHERKEY /x\n");
  dir_.write("loc2", kK + " /third\n");
  std::string value;
  EXPECT_EQ(lookup(value), 0);
}

TEST_F(GetlocationTest, LaterPlaceUsedWhenEarlierOnesMissing) {
  dir_.write("loc2", kK + " /third\n");
  std::string value;
  EXPECT_EQ(lookup(value), 1);
  EXPECT_EQ(value, "/third");
}

TEST_F(GetlocationTest, NoFileNotFatal) {
  std::string value;
  EXPECT_EQ(lookup(value), -1);
}

TEST_F(GetlocationTest, NoFileFatal) {
  std::string value;
  EXPECT_EXIT(lookup(value, 1), ::testing::ExitedWithCode(255),
              "^cannot open LOCATION file -fatal\n$");
}

TEST_F(GetlocationTest, KeyMissingFatal) {
  dir_.write("loc0", "OTHERKEY /x\n");
  std::string value;
  EXPECT_EXIT(lookup(value, 1), ::testing::ExitedWithCode(255),
              "^cannot find CATSIEVE_TEST_LOCATION_KEY in environment or LOCATION\n$");
}

TEST_F(GetlocationTest, KeyFoundFatalReturns) {
  dir_.write("loc0", kK + " /found\n");
  std::string value;
  EXPECT_EQ(lookup(value, 1), 1);
  EXPECT_EQ(value, "/found");
}

TEST(Getlocation, UsesTheEnvironmentBeforeTheSystemPlaces) {
  // The real lookup never reaches the system places when the variable is set.
  setenv(kKey, "/from/env", 1);
  std::string value;
  EXPECT_EQ(getpar::getlocation(kKey, value, 1), 1);
  EXPECT_EQ(value, "/from/env");
  unsetenv(kKey);
}

TEST(Getlocation, SystemPlacesInOrder) {
  EXPECT_STREQ(getpar::locations_paths[0], "/LOCATIONS");
  EXPECT_STREQ(getpar::locations_paths[1], "/etc/LOCATIONS");
  EXPECT_STREQ(getpar::locations_paths[2], "/usr/local/etc/LOCATIONS");
}

}  // namespace
