// The -delta ring and the -polygon containment test.
#include <string>
#include <vector>

#include "catsieve/criteria.h"
#include "catsieve/geo.h"
#include "catsieve/record_cycle.h"
#include "gtest/gtest.h"
#include "util/cmd_opt.h"

namespace {

using catsieve::inpoly;

// Runs an option handler on the words that follow its option word, as the
// driver would.
void handle(void (*handler)(), std::vector<std::string> words) {
  static std::vector<std::string> keep;
  static std::vector<char*> argv;
  keep = std::move(words);
  keep.insert(keep.begin(), {"prog", "-option"});
  argv.clear();
  for (auto& w : keep) argv.push_back(&w[0]);
  util::eargc = static_cast<int>(argv.size());
  util::eargv = argv.data();
  util::iarg = 1;
  handler();
}

void reset() {
  catsieve::do_lat = catsieve::do_lon = catsieve::wraplon = 0;
  catsieve::latmin = catsieve::latmax = catsieve::lonmin = catsieve::lonmax = 0;
}

TEST(Inpoly, Square) {
  const double lat[] = {0, 0, 10, 10, 0};
  const double lon[] = {0, 10, 10, 0, 0};
  const double rlat[] = {0, 10, 10, 0, 0};
  const double rlon[] = {0, 0, 10, 10, 0};
  struct {
    double lat, lon;
    int result, reversed;
  } cases[] = {
      {5, 5, 4, -4},    // inside
      {5, 15, 0, 0},    // no edge reaches the point's meridian
      {15, 0, 0, 0},    // north of the polygon, on an edge's meridian
      {-5, 5, 0, 0},    // south of it
      {5, 0, 2, -2},    // on the western edge
      {10, 5, 2, -2},   // on the northern edge
      {0, 5, 2, -2},    // on the southern edge
      {0, 0, 1, 0},     // on the first vertex: found on the last edge when
                        // reversed, where the flag is no longer looked at
      {10, 10, 1, 1},   // on a vertex
  };
  for (const auto& c : cases) {
    EXPECT_EQ(inpoly(c.lat, c.lon, lat, lon, 5), c.result) << c.lat << "," << c.lon;
    EXPECT_EQ(inpoly(c.lat, c.lon, rlat, rlon, 5), c.reversed) << c.lat << "," << c.lon;
  }
}

TEST(Inpoly, WindingCountsOfASelfCrossingPolygon) {
  // A bow tie: both lobes wound once, in opposite senses.
  const double lat[] = {0, 10, 0, 10, 0};
  const double lon[] = {0, 10, 10, 0, 0};
  EXPECT_EQ(inpoly(5, 2, lat, lon, 5), 4);
  EXPECT_EQ(inpoly(5, 8, lat, lon, 5), -4);
  EXPECT_EQ(inpoly(1, 5, lat, lon, 5), 0);
}

TEST(Polygon, ClosesAndBoxes) {
  reset();
  handle(catsieve::qpoly, {"10", "20", "12", "20", "12", "25", "-format"});
  EXPECT_EQ(catsieve::nvert, 4);
  EXPECT_EQ(catsieve::plat[3], 10);
  EXPECT_EQ(catsieve::plon[3], 20);
  EXPECT_EQ(catsieve::latmin, 10);
  EXPECT_EQ(catsieve::latmax, 12);
  EXPECT_EQ(catsieve::lonmin, 20);
  EXPECT_EQ(catsieve::lonmax, 25);
  EXPECT_EQ(util::iarg, 7);  // at the last word of the third vertex
}

TEST(Polygon, IntersectsAnEarlierRangeAndStopsAtFifty) {
  reset();
  catsieve::do_lat = 1;
  catsieve::latmin = 11;
  catsieve::latmax = 50;
  std::vector<std::string> words;
  for (int i = 0; i < 60; ++i) {
    words.push_back(std::to_string(i % 7));
    words.push_back(std::to_string(100 + i));
  }
  handle(catsieve::qpoly, words);
  EXPECT_EQ(catsieve::nvert, 51);
  EXPECT_EQ(util::iarg, 101);  // the words after the fiftieth vertex are left
  EXPECT_EQ(catsieve::latmin, 11);
  EXPECT_EQ(catsieve::latmax, 6);
  EXPECT_EQ(catsieve::lonmax, 149);
}

TEST(Delta, BoxAcrossTheDateLine) {
  reset();
  handle(catsieve::qdelta, {"0", "179.5", "0", "200"});
  EXPECT_NEAR(catsieve::lonmax, 181.2986, 1e-4);
  EXPECT_NEAR(catsieve::lonmin, 177.7014, 1e-4);
  EXPECT_EQ(catsieve::wraplon, 1);
  // 78 km away on the other side of the date line.
  EXPECT_TRUE(catsieve::lon_ok(-179.8));
  EXPECT_TRUE(catsieve::delta_ok(0, -179.8));
  EXPECT_FALSE(catsieve::lon_ok(-170));
}

TEST(Delta, BoxOverAPole) {
  reset();
  handle(catsieve::qdelta, {"89", "10", "0", "500"});
  EXPECT_EQ(catsieve::lonmin, -180);
  EXPECT_EQ(catsieve::lonmax, 180);
  EXPECT_NEAR(catsieve::latmax, 90, 1e-9);
  EXPECT_EQ(catsieve::wraplon, 0);
}

TEST(Delta, RingAndIntersection) {
  reset();
  catsieve::do_lat = 1;
  catsieve::latmin = 30;
  catsieve::latmax = 38.05;
  handle(catsieve::qdelta, {"38", "-122", "10", "20"});
  EXPECT_NEAR(catsieve::latmin, 37.82, 0.01);
  EXPECT_EQ(catsieve::latmax, 38.05);
  // 5, 15 and 25 km north of the centre.
  EXPECT_FALSE(catsieve::delta_ok(38.045, -122));
  EXPECT_TRUE(catsieve::delta_ok(38.135, -122));
  EXPECT_FALSE(catsieve::delta_ok(38.225, -122));
  // The ring's outer edge at 20 km is part of the ring.
  EXPECT_GE(catsieve::calc_delta(38, -122), catsieve::cdmin);
}

}  // namespace
