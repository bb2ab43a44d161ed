// The -delta ring and the -polygon containment test.
#include <cmath>

#include "query/geo.h"
#include "query/query.h"
#include "readers/record_cycle.h"
#include "support/harness.h"

namespace {

using namespace catsieve;

Query query;
// The ring of a -delta option, on a fresh query unless told to keep it.
Query& handle(std::vector<double> words, bool fresh = true) {
  if (fresh) query = Query();
  set_ring(query, words[0], words[1], words[2], words[3]);
  return query;
}
std::vector<double> box(const Query& q) { return {q.lat.min, q.lat.max, q.lon.min, q.lon.max}; }

TEST(Inpoly, SquareBothWays) {
  const double lat[] = {0, 0, 10, 10, 0}, lon[] = {0, 10, 10, 0, 0};
  // Point, result with the square and reversed: inside, outside, on edges, on a vertex, on the
  // first vertex (found on the last edge when reversed, where the flag is no longer looked at).
  const double cases[][4] = {{5, 5, 4, -4}, {5, 15, 0, 0}, {15, 0, 0, 0}, {-5, 5, 0, 0},
                             {5, 0, 2, -2}, {10, 5, 2, -2}, {0, 5, 2, -2}, {10, 10, 1, 1},
                             {0, 0, 1, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(inpoly(c[0], c[1], lat, lon, 5), c[2]) << c[0] << "," << c[1];
    EXPECT_EQ(inpoly(c[0], c[1], lon, lat, 5), c[3]) << c[0] << "," << c[1];
  }
}

TEST(Delta, BoxesAndRing) {
  // Across the date line: 78 km away on the other side is in.
  Query& q = handle({0, 179.5, 0, 200});
  EXPECT_TRUE(std::abs(q.lon.max - 181.2986) < 1e-4 && std::abs(q.lon.min - 177.7014) < 1e-4);
  EXPECT_TRUE(q.wraplon && lon_ok(q, -179.8) && delta_ok(q.delta, 0, -179.8) && !lon_ok(q, -170));
  // Over a pole every longitude.
  handle({89, 10, 0, 500});
  EXPECT_EQ(box(q), std::vector<double>({q.lat.min, q.lat.max, -180, 180}));
  EXPECT_TRUE(std::abs(q.lat.max - 90) < 1e-9 && !q.wraplon);
  // A ring inside a latitude range: 5, 15 and 25 km north of the centre.
  query = Query();
  q.lat = Bounds<double>{true, 30, 38.05};
  handle({38, -122, 10, 20}, false);
  EXPECT_TRUE(std::abs(q.lat.min - 37.82) < 0.01 && q.lat.max == 38.05);
  EXPECT_TRUE(!delta_ok(q.delta, 38.045, -122) && delta_ok(q.delta, 38.135, -122) &&
              !delta_ok(q.delta, 38.225, -122));
}

// The cheap cosine that decides most points stays far within the margin
// that sends a point to the exact formula.
TEST(Delta, FastCosineStaysWithinTheMargin) {
  const Ring& r = handle({38, -121, 20, 200}).delta;
  unsigned seed = 7;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) / 4294967296.0; };
  for (int i = 0; i < 20000; ++i) {
    double lat = next() * 200 - 100, lon = next() * 400 - 200;
    ASSERT_NEAR(calc_delta_fast(r, lat, lon), calc_delta(r, lat, lon), 1e-14) << lat << "," << lon;
  }
}

}  // namespace
