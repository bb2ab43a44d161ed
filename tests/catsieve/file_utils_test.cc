// Installed-catalog discovery on real directory trees in temporary folders.
#include "catsieve/file_utils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "getpar/getlocation.h"
#include "gtest/gtest.h"
#include "support/temp_dir.h"
#include "support/zwriter.h"
#include "util/calendar.h"

namespace catsieve {
namespace {

constexpr const char* kKey = "CATSIEVE_TEST_CATDIR";

void set_months(int min_year, int min_month, int max_year, int max_month) {
  catmin_year = min_year;
  catmin_month = min_month;
  catmax_year = max_year;
  catmax_month = max_month;
}

// ---- catalog_file_in_range ----------------------------------------------

struct RangeCase {
  const char* file;
  int in;
};

struct RangeTable {
  const char* name;
  int min_year, min_month, max_year, max_month;
  std::vector<RangeCase> files;
};

class InRangeTest : public ::testing::TestWithParam<RangeTable> {
 protected:
  void TearDown() override { set_months(0, 0, 0, 0); }
};

TEST_P(InRangeTest, NamesOverlappingTheInterval) {
  const RangeTable& t = GetParam();
  set_months(t.min_year, t.min_month, t.max_year, t.max_month);
  for (const RangeCase& c : t.files) EXPECT_EQ(catalog_file_in_range(c.file), c.in) << c.file;
}

INSTANTIATE_TEST_SUITE_P(
    Names, InRangeTest,
    ::testing::Values(
        // 1995 July 15 to 1995 September 2.
        RangeTable{"JulyToSeptember1995", 1995, 7, 1995, 9,
                   {{"1995.07.Z", 1}, {"1995.08", 1}, {"1995.09.Z", 1}, {"1995.06", 0},
                    {"1995.10", 0}, {"1995.Z", 1}, {"1994-1996.Z", 1}, {"README", 1},
                    {"1996.Z", 0}, {"1990-1994.Z", 0}, {"1995.7", 1}, {"1995.07.01", 1},
                    {"1995-1995", 1}, {"1995-1994", 0}, {"1994-1995", 1}, {"1996-1999", 0},
                    {"1994.12", 0}, {"1996.01", 0},
                    // Only the beginning of the name counts.
                    {"1995_07", 1}, {"1995.x", 1}, {"1996.x", 0}, {"1995-x", 1},
                    {" 1995.08", 1}, {"+1995.08", 1}, {"1995.+8", 1}, {"1995. 10", 0},
                    {"95.07", 0}, {"x1996.01", 1}, {".1996", 1}, {"", 1},
                    {"99999999999999999999.01", 0},
                    // Only the name after the last slash is examined.
                    {"/cat/1996/1995.08", 1}, {"/cat/1995.08/1996.01", 0},
                    {"/cat/1990-1994/README", 1}, {"cat/1995.08/", 1}}},
        RangeTable{"OnlyLowerBound", 1995, 7, 0, 0,
                   {{"1995.06", 0}, {"1995.07", 1}, {"2030.01", 1}, {"1994", 0}, {"1995", 1},
                    {"1990-1995", 1}, {"1990-1994", 0}, {"2000-2001", 1}, {"notes", 1},
                    {"99999999999999999999.01", 1}}},
        RangeTable{"OnlyUpperBound", 0, 0, 1995, 9,
                   {{"1995.10", 0}, {"1995.09", 1}, {"1900.01", 1}, {"1996", 0}, {"1995", 1},
                    {"1995-2000", 1}, {"1996-2000", 0}, {"-5.01", 1}}},
        RangeTable{"Open", 0, 0, 0, 0,
                   {{"1995.06", 1}, {"0.0", 1}, {"3000-4000", 1}, {"-1", 1}, {"x", 1}}},
        RangeTable{"AcrossYearEnd", 1995, 11, 1996, 2,
                   {{"1995.10", 0}, {"1995.11", 1}, {"1995.12", 1}, {"1996.01", 1},
                    {"1996.02", 1}, {"1996.03", 0}, {"1995", 1}, {"1996", 1}, {"1997", 0}}}),
    [](const ::testing::TestParamInfo<RangeTable>& i) { return std::string(i.param.name); });

TEST(CmpCatalogFilename, ByteOrderOfWholePath) {
  EXPECT_TRUE(cmp_catalog_filename("dir/1995.09", "dir/1995.10"));
  EXPECT_TRUE(cmp_catalog_filename("dir/a/1999.01", "dir/b/1990.01"));
  EXPECT_TRUE(cmp_catalog_filename("dir/1995", "dir/1995.01"));
  EXPECT_TRUE(cmp_catalog_filename("dir/Z", "dir/a"));
  EXPECT_TRUE(cmp_catalog_filename("dir/a", "dir/\xc3\xa9"));  // bytes compare unsigned
  EXPECT_FALSE(cmp_catalog_filename("dir/1995.10", "dir/1995.10"));
  EXPECT_FALSE(cmp_catalog_filename("dir/b/1990.01", "dir/a/1999.01"));
}

// ---- find_catalog on real trees ------------------------------------------

double when(int year, int month, int day) { return util::timvar(year, month, day, 0, 0, 0, 1); }

class FindCatalogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    set_months(0, 0, 0, 0);
    root_ = tree_.mkdir("cat");
    setenv(kKey, root_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv(kKey);
    set_months(0, 0, 0, 0);
  }

  void file(const std::string& name) { tree_.write("cat/" + name, "x\n"); }
  void link(const std::string& target, const std::string& name) {
    ASSERT_EQ(symlink(target.c_str(), (root_ + "/" + name).c_str()), 0) << name;
  }
  // The table's names below the root, without the root and its slash.
  std::vector<std::string> find(double min = 0.0, double max = 0.0) {
    std::vector<std::string>* files = find_catalog(kKey, min, max);
    std::vector<std::string> names;
    if (!files) return names;
    for (const std::string& f : *files) {
      EXPECT_EQ(f.compare(0, root_.size() + 1, root_ + "/"), 0) << f;
      names.push_back(f.substr(root_.size() + 1));
    }
    return names;
  }

  TempDir tree_;
  std::string root_;
};

using Names = std::vector<std::string>;

TEST_F(FindCatalogTest, SelectsOverlappingPeriodsSorted) {
  for (const char* f : {"1995.07.Z", "1995.08", "1995.09.Z", "1995.06", "1995.10", "1995.Z",
                        "1994-1996.Z", "README", "1996.Z", "1990-1994.Z"})
    file(f);
  EXPECT_EQ(find(when(1995, 7, 15), when(1995, 9, 2)),
            (Names{"1994-1996.Z", "1995.07.Z", "1995.08", "1995.09.Z", "1995.Z", "README"}));
  EXPECT_DOUBLE_EQ(catmin, when(1995, 7, 15));
  EXPECT_DOUBLE_EQ(catmax, when(1995, 9, 2));
}

TEST_F(FindCatalogTest, MonthBoundsAreTheMonthsOfTheTimes) {
  // The last second of June and the first of October still select their
  // months: day and time of day do not count.
  for (const char* f : {"1995.05", "1995.06", "1995.07", "1995.10", "1995.11"}) file(f);
  double min = util::timvar(1995, 6, 30, 23, 59, 59.9, 1);
  double max = util::timvar(1995, 10, 1, 0, 0, 0, 1);
  EXPECT_EQ(find(min, max), (Names{"1995.06", "1995.07", "1995.10"}));
}

TEST_F(FindCatalogTest, OpenIntervalTakesEveryVisibleRegularFile) {
  for (const char* f : {"1995.06", "1880.01", "2050", "notes", "sub/deeper/1990-1991.Z"})
    file(f);
  file(".1995.07");
  file(".old/1995.07");
  file("sub/.hidden/1995.08");
  EXPECT_EQ(find(), (Names{"1880.01", "1995.06", "2050", "notes", "sub/deeper/1990-1991.Z"}));
}

TEST_F(FindCatalogTest, OnlyLowerBound) {
  for (const char* f : {"1995.06", "1995.07", "2030.12", "1990-1994", "1994-1995"}) file(f);
  EXPECT_EQ(find(when(1995, 7, 1), 0.0), (Names{"1994-1995", "1995.07", "2030.12"}));
}

TEST_F(FindCatalogTest, NestedFoldersInPathOrder) {
  for (const char* f : {"b/1990.01", "a/1999.01", "1995/1995.10", "1995/1995.09", "1995.01",
                        "a/x/y/z/1991.03"})
    file(f);
  EXPECT_EQ(find(), (Names{"1995.01", "1995/1995.09", "1995/1995.10", "a/1999.01",
                           "a/x/y/z/1991.03", "b/1990.01"}));
}

TEST_F(FindCatalogTest, FolderNamesDoNotSelect) {
  // A folder is searched whatever its name; only file names are judged.
  for (const char* f : {"1990-1993/1995.08", "1996/1995.08", "1995.08/1996.01"}) file(f);
  EXPECT_EQ(find(when(1995, 8, 1), when(1995, 8, 31)),
            (Names{"1990-1993/1995.08", "1996/1995.08"}));
}

TEST_F(FindCatalogTest, SymbolicLinksFollowedOnceAlongThePath) {
  file("a/1995.01");
  file("a/b/1995.02");
  tree_.write("elsewhere/1995.03", "x\n");
  link("a", "alias");                   // another way to a sibling: walked again
  link(tree_.path() + "/elsewhere", "ext");  // a folder outside the tree
  link("a/1995.01", "1996.01");         // a link to a file, judged by its own name
  link(".", "self");                    // back to the root itself
  link("..", "a/up");                   // back to the root from below
  link("../..", "a/b/top");             // two levels up
  link("../b", "a/b/again");            // the folder the link is in
  link("missing", "1995.04");           // dangling: no status, skipped
  EXPECT_EQ(find(), (Names{"1996.01", "a/1995.01", "a/b/1995.02", "alias/1995.01",
                           "alias/b/1995.02", "ext/1995.03"}));
}

TEST_F(FindCatalogTest, OtherKindsOfEntrySkipped) {
  file("1995.01");
  ASSERT_EQ(mkfifo((root_ + "/1995.02").c_str(), 0644), 0);
  EXPECT_EQ(find(), (Names{"1995.01"}));
}

TEST_F(FindCatalogTest, UnreadableFolderContributesNothing) {
  file("1995.01");
  file("locked/1995.02");
  ASSERT_EQ(chmod(tree_.path().c_str(), 0755), 0);
  ASSERT_EQ(chmod((root_ + "/locked").c_str(), 0), 0);
  // Folder permissions do not stop root: a child process looks at the tree
  // as an ordinary user (nobody) instead.
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && setuid(65534) != 0) std::_Exit(2);
        std::_Exit(find() == Names{"1995.01"} ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(FindCatalogTest, EmptyAndMissingFolders) {
  EXPECT_EQ(find(), Names{});
  setenv(kKey, (tree_.path() + "/missing").c_str(), 1);
  EXPECT_EQ(find_catalog(kKey, 0.0, 0.0)->size(), 0u);
  setenv(kKey, tree_.write("plain", "x\n").c_str(), 1);  // a file, not a folder
  EXPECT_EQ(find_catalog(kKey, 0.0, 0.0)->size(), 0u);
  EXPECT_EQ(find_catalog_files((tree_.path() + "/missing").c_str()), -1);
  EXPECT_EQ(find_catalog_files(root_.c_str()), 0);
}

TEST_F(FindCatalogTest, EachCallRebuildsTheTable) {
  file("1995.01");
  file("1995.02");
  EXPECT_EQ(find(), (Names{"1995.01", "1995.02"}));
  EXPECT_EQ(find(), (Names{"1995.01", "1995.02"}));
  EXPECT_EQ(find(when(1995, 2, 1), when(1995, 2, 1)), (Names{"1995.02"}));
}

TEST_F(FindCatalogTest, ManyMatchingFiles) {
  // Well past the 2048 entries of a fixed table.
  constexpr int kFiles = 2400;
  for (int i = 0; i < kFiles; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%s/1995.%02d.%04d", i % 2 ? "odd" : "even", i % 12 + 1,
                  i);
    file(name);
  }
  Names all = find();
  ASSERT_EQ(all.size(), static_cast<size_t>(kFiles));
  EXPECT_EQ(all.front(), "even/1995.01.0000");
  EXPECT_EQ(all.back(), "odd/1995.12.2399");
  for (size_t i = 1; i < all.size(); ++i) ASSERT_LT(all[i - 1], all[i]);
  EXPECT_EQ(find(when(1995, 3, 1), when(1995, 3, 31)).size(), static_cast<size_t>(kFiles / 12));
}

TEST_F(FindCatalogTest, PathsLongerThan1022CharactersSkipped) {
  // Folders below the root until a file name of 100 to 200 characters brings
  // the full path to exactly 1022 characters.
  std::string rel;
  while (root_.size() + 1 + rel.size() + 200 < 1022) rel += std::string(150, 'd') + "/";
  size_t room = 1022 - (root_.size() + 1 + rel.size());
  ASSERT_GE(room, 2u);
  ASSERT_LE(room, 255u);
  std::string fits = rel + std::string(room, 'a');
  std::string too_long = rel + std::string(room + 1, 'b');
  std::string folder_too_long = rel + std::string(room + 1, 'c') + "/1";  // folder path 1023
  file(fits);
  file(too_long);
  file(folder_too_long);
  ASSERT_EQ((root_ + "/" + fits).size(), 1022u);
  EXPECT_EQ(find(), Names{fits});
}

TEST_F(FindCatalogTest, CompressedFilesAreListedByName) {
  tree_.write("cat/1995.07.Z", compress_z("x\n"));
  file("1995.07.z");
  file("1995.07");
  EXPECT_EQ(find(when(1995, 7, 1), when(1995, 7, 31)),
            (Names{"1995.07", "1995.07.Z", "1995.07.z"}));
}

TEST(FindCatalog, UnknownKeyWithoutLocationsFileEndsRun) {
  for (const char* path : getpar::locations_paths)
    if (access(path, F_OK) == 0) GTEST_SKIP() << path << " exists";
  unsetenv(kKey);
  EXPECT_EXIT(find_catalog(kKey, 0.0, 0.0), ::testing::ExitedWithCode(255),
              "^cannot open LOCATION file -fatal\n$");
}

}  // namespace
}  // namespace catsieve
