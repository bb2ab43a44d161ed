// The catalogs of the event service's --catalog entries, and the reason
// each malformed one is refused.
#include "service/catalog_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "service/gzip_body.h"

namespace catsieve {
namespace {

const std::string kExamples = CATSIEVE_SOURCE_DIR "/examples/";

TEST(CatalogSet, EntriesAreReadOrRefusedWithTheirReason) {
  const struct {
    std::string entry;
    const char* why;  // a part of the reason, or null for an entry taken
  } cases[] = {
      {"north=tarn:" + kExamples + "tarn_y2k.cat", nullptr},
      {"tree=TARN:" + kExamples + "catalog", nullptr},  // a format word in either case
      {"north=orv:" + kExamples + "orv.cat", "already named north"},
      {"south=vesper:" + kExamples + "nowhere.cat", "neither a file nor a directory"},
      {"south=quake:" + kExamples + "orv.cat", "\"quake\" is not a format word"},
      {"south:orv=x", "give NAME=FORMAT:PATH"},
      {"south=orv", "give NAME=FORMAT:PATH"},
      {"=orv:" + kExamples + "orv.cat", "may not be empty"},
      {"south=orv:", "may not be empty"},
  };
  std::vector<ServedCatalog> set;
  for (const auto& c : cases) {
    std::string why;
    EXPECT_EQ(add_catalog(c.entry, &set, &why), c.why == nullptr) << c.entry;
    if (c.why) {
      EXPECT_NE(why.find(c.why), std::string::npos) << c.entry << ": " << why;
    }
  }
  ASSERT_EQ(set.size(), 2u);
  EXPECT_FALSE(set[0].tree);
  EXPECT_TRUE(set[1].tree);
  EXPECT_STREQ(set[1].format->keyword, "tarn");
  EXPECT_EQ(find_catalog_named(set, "tree"), &set[1]);
  EXPECT_EQ(find_catalog_named(set, "Tree"), nullptr);
}

TEST(GzipBody, AcceptEncodingValues) {
  const struct {
    const char* header;
    bool gzip;
  } cases[] = {{nullptr, false},        {"identity", false}, {"gzip", true},
               {"deflate, gzip", true}, {"gzip;q=0", false}, {"gzip;q=0.0, br", false},
               {"gzip;q=0.5", true},    {"br", false}};
  for (const auto& c : cases)
    EXPECT_EQ(accepts_gzip(c.header), c.gzip) << (c.header ? c.header : "(none)");
}

}  // namespace
}  // namespace catsieve
