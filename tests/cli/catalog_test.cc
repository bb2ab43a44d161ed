// -catalog: the installed catalog tree named by the format's variable, its
// files chosen by period and read in path order before the named files.
#include <unistd.h>

#include "gtest/gtest.h"
#include "support/cli_harness.h"
#include "support/temp_dir.h"
#include "support/zwriter.h"

namespace {

// A tarn catalog event of the old layout at yymmddhhmm, event type E (column
// 77 blank), with a tag in columns 50-67, which the reader never looks at.
std::string ev(const std::string& when, const std::string& tag) {
  return record(80, {{1, when + "0000"}, {50, tag}});
}

const Args kFormats = w("tarn mech orv brim f_brim kelp");
const Args kVars = w("LODECATDIR LODEMECHDIR ORVCATDIR BRIMCATDIR FULLBRIMCATDIR KELPCATDIR");

// A run whose catalog variables are all unset but those given.
RunSetup catalog_env(const std::map<std::string, std::string>& vars) {
  RunSetup s;
  s.env = vars;
  for (const std::string& v : kVars)
    if (!s.env.count(v)) s.unset.push_back(v);
  return s;
}

TEST(Catalog, CatalogFilesThenNamedFilesWithTimeCarriedOver) {
  // Each input starts from the origin time of the last line of the one
  // before; standard input is not read.
  TempDir dir;
  dir.write("cat/1995.07.Z", compress_z(ev("9507101200", "before") + ev("9507201200", "A")));
  dir.write("cat/1995.08", ev("9507191300", "carried") + ev("9508101200", "B"));
  dir.write("cat/1996", ev("9508151200", "outside"));
  std::string named = dir.write("named", ev("9508051200", "early") + ev("9508201200", "C"));
  RunSetup s = catalog_env({{"LODECATDIR", dir.path() + "/cat"}});
  s.input = ev("9508251200", "stdin");
  RunResult r = run_catsieve({"-time", "19950715000000", "19950902000000", "-catalog", named}, s);
  EXPECT_EQ(r.out + r.err + std::to_string(r.status),
            ev("9507201200", "A") + ev("9508101200", "B") + ev("9508201200", "C") + "0");
}

TEST(Catalog, EachFormatLooksUpItsOwnVariable) {
  // Every other variable names a tree whose one file would make the
  // decompressor complain if it were read.
  TempDir dir;
  std::string other = dir.mkdir("other");
  dir.write("other/1995.01.Z", "not compressed\n");
  std::string named = dir.write("named", ev("9501101200", "named"));
  bool locations = access("/LOCATIONS", F_OK) == 0 || access("/etc/LOCATIONS", F_OK) == 0 ||
                   access("/usr/local/etc/LOCATIONS", F_OK) == 0;
  for (size_t f = 0; f < kFormats.size(); ++f) {
    SCOPED_TRACE(kFormats[f]);
    std::map<std::string, std::string> vars;
    for (const std::string& v : kVars)
      if (v != kVars[f]) vars[v] = other;
    RunSetup unset = catalog_env(vars);
    vars[kVars[f]] = "";  // set, even to nothing, it wins: an empty tree
    RunResult r = run_catsieve({"-format", kFormats[f], "-catalog"}, catalog_env(vars));
    EXPECT_EQ(r.out + r.err + std::to_string(r.status), "0");
    if (locations) continue;
    // Unset, with no LOCATIONS file: the run ends before the named file.
    r = run_catsieve({"-format", kFormats[f], "-catalog", named}, unset);
    EXPECT_EQ(r.out + r.err + std::to_string(r.status), "cannot open LOCATION file -fatal\n255");
  }
}

}  // namespace
