// The -delta ring and the -polygon containment test.
#include <string>
#include <vector>

#include "catsieve/query.h"
#include "catsieve/geo.h"
#include "catsieve/record_cycle.h"
#include "gtest/gtest.h"
#include "util/cmd_opt.h"

namespace {

using namespace catsieve;

// Runs an option handler on the words that follow its option word, as the
// driver would, with no latitude or longitude range set before it.
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

Query& q() { return building_query(); }
void reset() { reset_query(); }
std::vector<double> box() { return {q().lat.min, q().lat.max, q().lon.min, q().lon.max}; }

TEST(Inpoly, SquareBothWays) {
  const double lat[] = {0, 0, 10, 10, 0}, lon[] = {0, 10, 10, 0, 0};
  const double rlat[] = {0, 10, 10, 0, 0}, rlon[] = {0, 0, 10, 10, 0};
  const struct {
    double lat, lon;
    int result, reversed;
  } cases[] = {
      {5, 5, 4, -4},   {5, 15, 0, 0},  {15, 0, 0, 0},  {-5, 5, 0, 0},  // inside; outside
      {5, 0, 2, -2},   {10, 5, 2, -2}, {0, 5, 2, -2},                  // on the edges
      {10, 10, 1, 1},  // on a vertex
      {0, 0, 1, 0},    // on the first vertex: found on the last edge when
                       // reversed, where the flag is no longer looked at
  };
  for (const auto& c : cases) {
    EXPECT_EQ(inpoly(c.lat, c.lon, lat, lon, 5), c.result) << c.lat << "," << c.lon;
    EXPECT_EQ(inpoly(c.lat, c.lon, rlat, rlon, 5), c.reversed) << c.lat << "," << c.lon;
  }
}

TEST(Polygon, ClosesBoxesAndStopsAtFifty) {
  reset();
  handle(qpoly, {"10", "20", "12", "20", "12", "25", "-format"});
  const Polygon& p = q().poly;
  EXPECT_EQ(p.nvert, 4);
  EXPECT_EQ(std::vector<double>({p.plat[3], p.plon[3]}), std::vector<double>({10, 20}));  // closed
  EXPECT_EQ(box(), std::vector<double>({10, 12, 20, 25}));
  EXPECT_EQ(util::iarg, 7);  // at the last word of the third vertex
  // A second polygon's box is intersected with the first one's.
  std::vector<std::string> words;
  for (int i = 0; i < 60; ++i) words.insert(words.end(), {std::to_string(i % 7 + 5), std::to_string(i)});
  handle(qpoly, words);
  EXPECT_EQ(p.nvert, 51);
  EXPECT_EQ(util::iarg, 101);  // the words after the fiftieth vertex are left
  EXPECT_EQ(box(), std::vector<double>({10, 11, 20, 25}));
}

TEST(Delta, BoxesAcrossTheDateLineAndOverAPole) {
  reset();
  handle(qdelta, {"0", "179.5", "0", "200"});
  EXPECT_NEAR(q().lon.max, 181.2986, 1e-4);
  EXPECT_NEAR(q().lon.min, 177.7014, 1e-4);
  EXPECT_TRUE(q().wraplon);
  // 78 km away on the other side of the date line.
  EXPECT_TRUE(lon_ok(q(), -179.8));
  EXPECT_TRUE(delta_ok(q().delta, 0, -179.8));
  EXPECT_FALSE(lon_ok(q(), -170));
  reset();
  handle(qdelta, {"89", "10", "0", "500"});
  EXPECT_EQ(q().lon.min, -180);
  EXPECT_EQ(q().lon.max, 180);
  EXPECT_NEAR(q().lat.max, 90, 1e-9);
  EXPECT_FALSE(q().wraplon);
}

TEST(Delta, RingAndIntersection) {
  reset();
  q().lat = Bounds<double>{true, 30, 38.05};
  handle(qdelta, {"38", "-122", "10", "20"});
  EXPECT_NEAR(q().lat.min, 37.82, 0.01);
  EXPECT_EQ(q().lat.max, 38.05);
  // 5, 15 and 25 km north of the centre.
  EXPECT_FALSE(delta_ok(q().delta, 38.045, -122));
  EXPECT_TRUE(delta_ok(q().delta, 38.135, -122));
  EXPECT_FALSE(delta_ok(q().delta, 38.225, -122));
}

}  // namespace
