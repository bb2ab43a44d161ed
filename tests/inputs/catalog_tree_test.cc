// Installed-catalog discovery: period names, and walks of real directory trees.
#include "inputs/catalog_tree.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "support/harness.h"
#include "util/calendar.h"

namespace catsieve {
namespace {

using Names = std::vector<std::string>;

TEST(CatalogFileInRange, NamesWhosePeriodOverlapsTheMonths) {
  const struct {
    int min_year, min_month, max_year, max_month;  // a year of 0: that end open
    Names in, out;
  } cases[] = {
      // 1995 July to September; only the beginning of the name after the last slash counts, each
      // number read as "%d" reads it.
      {1995, 7, 1995, 9,
       {"1995.07.Z", "1995.08", "1995.09.Z", "1995.Z", "1994-1996.Z", "README", "1995-1995",
        "1995-x", " 1995.08", "+1995.08", "x1996.01", "", "/cat/1996/1995.08", "cat/1995.08/"},
       {"1995.06", "1995.10", "1996.Z", "1990-1994.Z", "1995-1994", "1994.12", "1996.01", "1996.x",
        "1995. 10", "95.07", "99999999999999999999.01", "/cat/1995.08/1996.01"}},
      {1995, 7, 0, 0, {"1995.07", "2030.01", "1995", "1990-1995", "notes", "3000000000.01"},
       {"1995.06", "1994", "1990-1994"}},
      {0, 0, 1995, 9, {"1995.09", "1900.01", "1995", "1995-2000", "-5.01"},
       {"1995.10", "1996", "1996-2000"}},
      {0, 0, 0, 0, {"1995.06", "0.0", "3000-4000", "-1", "x"}, {}}};
  for (const auto& c : cases) {
    CatalogWindow w{c.min_year, c.min_month, c.max_year, c.max_month};
    for (const std::string& f : c.in) EXPECT_TRUE(catalog_file_in_range(f.c_str(), w)) << f;
    for (const std::string& f : c.out) EXPECT_FALSE(catalog_file_in_range(f.c_str(), w)) << f;
  }
}

double when(int year, int month, int day, int hour = 0, int minute = 0, double second = 0) {
  return util::timvar(year, month, day, hour, minute, second, 1);
}

// find_catalog on the folder root from open calendar bounds: the names below root.
Names find(const std::string& root, double min = 0.0, double max = 0.0) {
  setenv("CATSIEVE_TEST_CATDIR", root.c_str(), 1);
  Names names, files;
  EXPECT_TRUE(find_catalog("CATSIEVE_TEST_CATDIR", catalog_window(min, max), {}, &files).ok());
  for (const std::string& f : files) {
    EXPECT_EQ(f.compare(0, root.size() + 1, root + "/"), 0) << f;
    names.push_back(f.substr(root.size() + 1));
  }
  unsetenv("CATSIEVE_TEST_CATDIR");
  return names;
}

// Regular files of the interval, in byte order; hidden names, a FIFO and a dangling link are
// passed over.
TEST(FindCatalog, RegularFilesOfTheInterval) {
  TempDir tree;
  std::string root = tree.path() + "/cat";
  for (const std::string& f : w("1995.07.Z 1995.08 1995.09.Z 1995.06 1995.10 1995.Z 1994-1996.Z "
                                "README 1996.Z 1990-1994.Z a/1999.01 b/1990.01 sub/1995.05 "
                                "\xc3\xa9 .1995.07 .old/1995.07 sub/.hidden/1995.08"))
    tree.write("cat/" + f, "x\n");
  ASSERT_EQ(mkfifo((root + "/1995.08.fifo").c_str(), 0644), 0);
  ASSERT_EQ(symlink("missing", (root + "/1995.08.dangling").c_str()), 0);
  const Names middle = {"1995.07.Z", "1995.08", "1995.09.Z"};
  EXPECT_EQ(find(root, when(1995, 7, 15), when(1995, 9, 2)),
            Names{"1994-1996.Z"} + middle + w("1995.Z README \xc3\xa9"));
  // Day and time of day do not count: the last second of June selects June.
  EXPECT_EQ(find(root, when(1995, 6, 30, 23, 59, 59.9), when(1995, 10, 1)),
            w("1994-1996.Z 1995.06") + middle + w("1995.10 1995.Z README \xc3\xa9"));
  EXPECT_EQ(find(root), w("1990-1994.Z 1994-1996.Z 1995.06") + middle +
                            w("1995.10 1995.Z 1996.Z README a/1999.01 b/1990.01 sub/1995.05 "
                              "\xc3\xa9"));
}

// A link is followed unless it leads back to a folder on the walk path.
TEST(FindCatalog, SymbolicLinksFollowedOnceAlongThePath) {
  TempDir tree;
  std::string root = tree.path() + "/cat";
  for (const char* f : {"cat/a/1995.01", "cat/a/b/1995.02", "elsewhere/1995.03"}) tree.write(f, "");
  // Link target and name: a sibling walked again, a folder outside the tree, a file judged by the
  // link's own name, and four ways back up the path.
  const char* const links[][2] = {{"a", "alias"}, {"../elsewhere", "ext"}, {"a/1995.01", "1996.01"},
                                  {".", "self"}, {"..", "a/up"}, {"../..", "a/b/top"},
                                  {"../b", "a/b/again"}};
  for (const auto& l : links) ASSERT_EQ(symlink(l[0], (root + "/" + l[1]).c_str()), 0) << l[1];
  EXPECT_EQ(find(root), w("1996.01 a/1995.01 a/b/1995.02 alias/1995.01 alias/b/1995.02 "
                          "ext/1995.03"));
}

// The name table grows past 2048 names; a path longer than 1022 characters is skipped.
TEST(FindCatalog, ManyNamesAndLongPaths) {
  TempDir tree;
  std::string root = tree.path() + "/cat", rel;
  for (int i = 0; i < 2100; ++i)
    tree.write("cat/1995." + std::to_string(i % 12 + 1) + "." + std::to_string(i), "");
  Names all = find(root);
  EXPECT_TRUE(all.size() == 2100u && std::is_sorted(all.begin(), all.end()));
  EXPECT_EQ(find(root, when(1995, 3, 1), when(1995, 3, 31)).size(), 175u);
  TempDir deep;
  root = deep.path() + "/cat";
  while (root.size() + 1 + rel.size() + 200 < 1022) rel += std::string(150, 'd') + "/";
  size_t room = 1022 - (root.size() + 1 + rel.size());  // 2 to 200
  for (const std::string& f : {rel + std::string(room, 'a'), rel + std::string(room + 1, 'b'),
                               rel + std::string(room + 1, 'c') + "/1"})
    deep.write("cat/" + f, "");
  EXPECT_EQ(find(root), Names{rel + std::string(room, 'a')});
}

}  // namespace
}  // namespace catsieve
