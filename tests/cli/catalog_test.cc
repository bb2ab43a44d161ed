// -catalog: the installed catalog tree named by the format's variable, its
// files chosen by period and read in path order before the named files.
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "support/cli_harness.h"
#include "support/temp_dir.h"
#include "support/zwriter.h"

namespace {

const char* const kVariables[] = {"LODECATDIR",     "LODEMECHDIR", "ORVCATDIR", "BRIMCATDIR",
                                  "FULLBRIMCATDIR", "KELPCATDIR"};

bool locations_file_exists() {
  for (const char* p : {"/LOCATIONS", "/etc/LOCATIONS", "/usr/local/etc/LOCATIONS"})
    if (access(p, F_OK) == 0) return true;
  return false;
}

// A tarn catalog event of the old layout at yymmddhhmm, event type E (column
// 77 blank), with a tag in columns 50-67, which the reader never looks at.
std::string ev(const std::string& when, const std::string& tag) {
  return record(80, {{1, when + "0000"}, {50, tag}});
}

// A run whose catalog variables are all unset but those given.
RunSetup catalog_env(const std::vector<std::pair<std::string, std::string>>& vars) {
  RunSetup s;
  for (const auto& kv : vars) s.env[kv.first] = kv.second;
  for (const char* v : kVariables)
    if (!s.env.count(v)) s.unset.push_back(v);
  return s;
}

class CatalogTree : public ::testing::Test {
 protected:
  void SetUp() override { root_ = dir_.mkdir("cat"); }

  void put(const std::string& name, const std::string& content) {
    if (name.size() > 2 && name.compare(name.size() - 2, 2, ".Z") == 0)
      dir_.write("cat/" + name, compress_z(content));
    else
      dir_.write("cat/" + name, content);
  }
  std::string at(const std::string& name) const { return root_ + "/" + name; }
  RunResult run(std::vector<std::string> args, const std::string& input = "") {
    RunSetup s = catalog_env({{"LODECATDIR", root_}});
    s.input = input;
    return run_catsieve(args, s);
  }

  TempDir dir_;
  std::string root_;
};

TEST_F(CatalogTree, FilesOfTheIntervalInPathOrderWithTimeCarriedOver) {
  // Files outside the interval hold events inside it, so reading one shows.
  put("1990-1994.Z", ev("9508011200", "1990-1994.Z"));
  put("1996.Z", ev("9508011200", "1996.Z"));
  put("months/1995.06", ev("9508011200", "1995.06"));
  put("months/1995.10", ev("9508011200", "1995.10"));
  put("months/.old/1995.08", ev("9508011200", ".old"));
  put("months/.1995.08", ev("9508011200", ".1995.08"));
  // Read, in this order.
  put("1994-1996.Z", ev("9507161200", "A"));
  put("1995.Z", ev("9507181200", "B"));
  put("README", ev("9507191200", "C"));
  put("months/1995.07.Z", ev("9507101200", "before") + ev("9507201200", "D"));
  // 19 July comes after the 20 July that ended the file before: dropped.
  put("months/1995.08", ev("9507191300", "carried") + ev("9508101200", "E"));
  put("months/1995.09.Z", ev("9509011200", "F") + ev("9509030000", "after"));

  RunResult r = run({"-verbose", "-time", "19950715000000", "19950902000000", "-catalog"});
  EXPECT_EQ(r.out, ev("9507161200", "A") + ev("9507181200", "B") + ev("9507191200", "C") +
                       ev("9507201200", "D") + ev("9508101200", "E") + ev("9509011200", "F"));
  EXPECT_EQ(r.err, "processing " + at("1994-1996.Z") + " ... 1 lines, 1 selected\n" +
                       "processing " + at("1995.Z") + " ... 1 lines, 1 selected\n" +
                       "processing " + at("README") + " ... 1 lines, 1 selected\n" +
                       "processing " + at("months/1995.07.Z") + " ... 2 lines, 1 selected\n" +
                       "processing " + at("months/1995.08") + " ... 2 lines, 1 selected\n" +
                       "processing " + at("months/1995.09.Z") + " ... 2 lines, 1 selected\n");
  EXPECT_EQ(r.status, 0);
}

TEST_F(CatalogTree, WithoutTimeEveryVisibleFileAndLoopsEndOnce) {
  put("b/1990.01", ev("9001011200", "b"));
  put("a/1999.01", ev("9901011200", "a"));
  put("a/.hidden", ev("9901011200", "hidden"));
  ASSERT_EQ(symlink("..", at("a/up").c_str()), 0);   // back to the root
  ASSERT_EQ(symlink("b", at("c").c_str()), 0);       // b a second time
  RunResult r = run({"-catalog"});
  EXPECT_EQ(r.out, ev("9901011200", "a") + ev("9001011200", "b") + ev("9001011200", "b"));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

TEST_F(CatalogTree, CatalogFirstThenNamedFilesNeverStandardInput) {
  put("1995.01", ev("9501101200", "catalog"));
  std::string named = dir_.write("named", ev("9501051200", "early") + ev("9501201200", "named"));
  RunResult r = run({"-time", "19950101000000", "19960101000000", "-catalog", named},
                    ev("9501151200", "stdin"));
  EXPECT_EQ(r.out, ev("9501101200", "catalog") + ev("9501201200", "named"));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

TEST_F(CatalogTree, EmptyAndDamagedCompressedFilesReadAsEmpty) {
  // An empty first input leaves the layout open for the next one; a .Z file
  // that is no .Z file gives an empty input and the decompressor's complaint.
  put("1995.01.Z", "");
  dir_.write("cat/1995.02.Z", "not compressed\n");
  put("1995.03", ev("9503011200", "plain"));
  RunResult r = run({"-catalog"});
  EXPECT_EQ(r.out, ev("9503011200", "plain"));
  EXPECT_NE(r.err, "");
  EXPECT_EQ(r.status, 0);
}

// ---- the variable of each format ----------------------------------------

TEST(CatalogVariable, TarnFormatsReadTheirOwnTrees) {
  TempDir dir;
  std::string tarn = ev("9501101200", "tarn");
  std::string mech =
      "950110 1200 28.82 36 33.62 118W52.64  12.85 A 3.79 49 157      0.33   45   28   270\n";
  dir.write("tarn/1995.01", tarn);
  dir.write("mech/1995.01", mech);
  RunSetup s = catalog_env({{"LODECATDIR", dir.path() + "/tarn"},
                            {"LODEMECHDIR", dir.path() + "/mech"}});
  RunResult r = run_catsieve({"-catalog"}, s);
  EXPECT_EQ(r.out, tarn);
  EXPECT_EQ(r.status, 0);
  r = run_catsieve({"-format", "vesper", "-catalog"}, s);
  EXPECT_EQ(r.out, tarn);
  r = run_catsieve({"-format", "mech", "-catalog"}, s);
  EXPECT_EQ(r.out, mech);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

struct FormatCase {
  const char* format;
  const char* variable;
};

class CatalogVariableTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(CatalogVariableTest, OwnEmptyTreeReadsNothing) {
  // Every other variable names a tree whose one file would make the
  // decompressor complain if it were read.
  TempDir dir;
  std::string empty = dir.mkdir("empty");
  std::string other = dir.mkdir("other");
  dir.write("other/1995.01.Z", "not compressed\n");
  std::vector<std::pair<std::string, std::string>> vars;
  for (const char* v : kVariables) vars.emplace_back(v, v == std::string(GetParam().variable) ? empty : other);
  RunResult r = run_catsieve({"-format", GetParam().format, "-catalog"}, catalog_env(vars));
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

TEST_P(CatalogVariableTest, EmptyValueStillWins) {
  RunResult r = run_catsieve({"-format", GetParam().format, "-catalog"},
                             catalog_env({{GetParam().variable, ""}}));
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

TEST_P(CatalogVariableTest, OwnVariableUnsetWithoutLocationsFile) {
  if (locations_file_exists()) GTEST_SKIP() << "a LOCATIONS file exists";
  TempDir dir;
  std::vector<std::pair<std::string, std::string>> vars;
  for (const char* v : kVariables)
    if (v != std::string(GetParam().variable)) vars.emplace_back(v, dir.path());
  RunResult r = run_catsieve({"-format", GetParam().format, "-catalog"}, catalog_env(vars));
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "cannot open LOCATION file -fatal\n");
  EXPECT_EQ(r.status, 255);
}

INSTANTIATE_TEST_SUITE_P(Formats, CatalogVariableTest,
                         ::testing::Values(FormatCase{"tarn", "LODECATDIR"},
                                           FormatCase{"mech", "LODEMECHDIR"},
                                           FormatCase{"orv", "ORVCATDIR"},
                                           FormatCase{"brim", "BRIMCATDIR"},
                                           FormatCase{"f_brim", "FULLBRIMCATDIR"},
                                           FormatCase{"kelp", "KELPCATDIR"}),
                         [](const ::testing::TestParamInfo<FormatCase>& i) {
                           return std::string(i.param.variable);
                         });

TEST(CatalogVariable, UnsetWithFileNamesStillEndsTheRun) {
  if (locations_file_exists()) GTEST_SKIP() << "a LOCATIONS file exists";
  TempDir dir;
  std::string named = dir.write("named", ev("9501101200", "named"));
  RunResult r = run_catsieve({"-catalog", named}, catalog_env({}));
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "cannot open LOCATION file -fatal\n");
  EXPECT_EQ(r.status, 255);
}

// ---- the example tree of the repository ------------------------------------

std::string example_tree() {
  std::string here = __FILE__;  // .../tests/cli/catalog_test.cc
  return here.substr(0, here.rfind("/tests/")) + "/examples/catalog";
}

TEST(ExampleCatalog, Year1995) {
  std::string root = example_tree();
  struct stat st;
  if (stat(root.c_str(), &st) != 0) GTEST_SKIP() << "example tree not found";
  RunResult r = run_catsieve({"-verbose", "-catalog", "-time", "19950101000000", "19960101000000"},
                             catalog_env({{"LODECATDIR", root}}));
  EXPECT_EQ(r.out,
            "9502061035 54636 4904122 3750 2218   30212 35  17 12  9            23            154 "
            "353  26  21                  B206\n"
            "9508170735148238 5891121 1716   54   14151 30  31 30  6            43             76 "
            " 40  47  43                  W431                    W431\n"
            "9509181621381837 5638121  209 1162   33122 67  23 49  4            41       F     18 "
            " 36   9  46                  W403\n");
  EXPECT_EQ(r.err, "processing " + root + "/1995/1995.02 ... 1 lines, 1 selected\n" +
                       "processing " + root + "/1995/1995.08.Z ... 1 lines, 1 selected\n" +
                       "processing " + root + "/1995/1995.09 ... 1 lines, 1 selected\n" +
                       "processing " + root + "/1995/1995.11 ... 1 lines, 0 selected\n" +
                       "processing " + root + "/1996 ... 7 lines, 0 selected\n" +
                       "processing " + root + "/current ... 3 lines, 0 selected\n");
  EXPECT_EQ(r.status, 0);
}

}  // namespace
