// The option table against the command line it reads: names by prefix, and each range row's
// handler against its effect on the query.
#include <cstring>
#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/options.h"
#include "gtest/gtest.h"

namespace {

using namespace catsieve;

Parsed parse(std::vector<std::string> words) {
  words.insert(words.begin(), "catsieve");
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(&w[0]);
  return parse_args(static_cast<int>(argv.size()), argv.data());
}

// Every prefix of every classic name: a whole name or a prefix that one name has reads as that
// option; a prefix that several share is refused with all of them, in the table's order.
TEST(OptionTable, NamesByUniquePrefix) {
  for (const OptionRow& row : classic_rows()) {
    std::string name = row.name;
    name.erase(name.find_last_not_of(' ') + 1);
    for (size_t n = 2; n <= name.size(); ++n) {
      std::string prefix = name.substr(0, n), sharing;
      int matches = 0;
      for (const OptionRow& other : classic_rows())
        if (std::strncmp(other.name, prefix.c_str(), n) == 0)
          ++matches, sharing += std::string(" ") + other.name;
      Parsed p = parse({prefix});
      bool whole = prefix == name;
      if (matches == 1 || whole) {
        EXPECT_EQ(p.status.text.find("is ambiguous"), std::string::npos) << prefix;
        EXPECT_EQ(p.status.text.find("not known"), std::string::npos) << prefix;
      } else {
        EXPECT_EQ(p.status.text, "catsieve: option \"" + prefix + "\" is ambiguous: cf. " +
                                     sharing + "\n");
      }
    }
  }
}

// A range option sets its criterion's bounds and switches it on, and no other; reversed bounds are
// refused by the criterion's name.  Count bounds are cut to whole numbers.
TEST(OptionTable, RangeRowsSetTheirCriterion) {
  int rows = 0;
  for (const OptionRow& row : classic_rows()) {
    if (row.crit == Crit::kCount || row.kind != ArgKind::kNumbers) continue;
    ++rows;
    std::string name = row.name;
    name.erase(name.find_last_not_of(' ') + 1);
    Parsed p = parse({name, "1.5", "2.5"});
    ASSERT_TRUE(p.run) << name << p.status.text;
    double min = name.compare(0, 2, "-n") == 0 ? 1 : 1.5;  // -nstations, -nmag, -nm0 count
    for (int c = 0; c < kCrits; ++c) {
      const Bounds<double>& b = p.config.query.field[c];
      bool mine = c == static_cast<int>(row.crit);
      EXPECT_EQ(b.on, mine) << name << " " << c;
      EXPECT_TRUE(!mine || (b.min == min && b.max == (min == 1 ? 2 : 2.5))) << name;
    }
    p = parse({name, "3", "2"});
    EXPECT_EQ(p.status.text,
              std::string("catsieve: minimum ") + row.range_name + " value greater than maximum\n");
  }
  EXPECT_EQ(rows, 14);
}

}  // namespace
