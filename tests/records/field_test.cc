// Records cut from blocks as fgets cuts them, and counted; fields read as the C library reads.
#include "records/field.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <thread>

#include "inputs/stream.h"
#include "records/day_cache.h"
#include "support/harness.h"
#include "util/calendar.h"

namespace {

using catsieve::Col;
using catsieve::fint;
using catsieve::freal;

catsieve::Line line(const std::string& s) { return {s.data(), s.size()}; }
unsigned next(unsigned& seed) { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xffff; }

// Texts of the characters that matter to a number reader, between digits never to be read with
// them; reals compared bit for bit.  The second alphabet keeps to the inline fast path.
TEST(Field, RandomTextsConvertAsTheCLibraryDoes) {
  const std::string alphabets[] = {" +-.0123456789eExXinfaN\n\t", "  +-.0123456789012345"};
  unsigned seed = 12345;
  for (int i = 0; i < 400000; ++i) {
    const std::string& alphabet = alphabets[i % 2];
    int width = 1 + static_cast<int>(next(seed) % 20), at = 1 + static_cast<int>(next(seed) % 4);
    std::string t;
    for (int k = 0; k < width; ++k)
      t += next(seed) % 40 == 0 ? '\0' : alphabet[next(seed) % alphabet.size()];
    std::string s = std::string(static_cast<size_t>(at - 1), '7') + t + "987";
    ASSERT_EQ(fint(line(s), Col{at, width, 0}), std::atoi(t.c_str())) << t;  // up to a NUL
    for (int dec = 0; dec < 3; ++dec) {
      double want = std::atof(t.c_str()) / (dec == 0 ? 1 : dec == 1 ? 10 : 100);
      double got = freal(line(s), Col{at, width, dec});
      ASSERT_TRUE(std::isnan(want) ? std::isnan(got) : !std::memcmp(&got, &want, sizeof got))
          << t << " dec " << dec << ": " << got << " " << want;
    }
  }
  // Columns past the end read as blanks.
  const std::string digits = "12345";
  catsieve::Line l = line(digits);
  EXPECT_EQ(fint(l, Col{4, 4, 0}) * 1000 + fint(l, Col{6, 3, 0}), 45000);
  EXPECT_EQ(std::string() + catsieve::fchar(l, 5) + catsieve::fchar(l, 6), "5 ");
  char buf[8];
  EXPECT_STREQ(catsieve::field_text(l, 4, 4, buf), "45  ");
}

// The day kept from the record before and the early time test decide as
// working out every record in full does: records a few days either side of
// the interval, often on the day of the one before, with hours past 24,
// hours and minutes with blanks and signs, seconds that are no plain
// number, seconds of many whole digits or with implied decimals, and
// records cut inside the date.
TEST(DayCache, DecidesAsTheFullTime) {
  const catsieve::Bounds<double> b{true, util::day_start(1995, 3, 1, 1) + 3600.5,
                                   util::day_start(1995, 3, 3, 1) + 7.25};
  const char* const seconds[] = {"59.99", " 0.00", "  nan", "  7  ", "-5.5 ", "1e5  ", "7.25 ",
                                 "99999", "5999 ", "1 2.5", "+3.5.", "..725", "-9999"};
  const char* const clock[] = {"07", " 7", "7 ", "-1", "+3", "  ", "99", "00", "23"};
  const Col hour{9, 2, 0}, minute{11, 2, 0};
  for (int dec : {0, 2}) {
    const Col secs{13, 5, dec};
    catsieve::DayCache cache;
    unsigned seed = 99, day = 1;
    for (int i = 0; i < 200000; ++i) {
      if (next(seed) % 4 == 0) day = next(seed) % 9;  // February 26 to March 6
      char hh[3], mm[3];
      std::snprintf(hh, sizeof hh, "%02u", next(seed) % 100);
      std::snprintf(mm, sizeof mm, "%02u", next(seed) % 61);
      char text[40];
      std::snprintf(text, sizeof text, "1995%02u%02u%s%s%s", 2 + (day + 26) / 29,
                    day < 3 ? day + 26 : day - 2, next(seed) % 3 ? hh : clock[next(seed) % 9],
                    next(seed) % 3 ? mm : clock[next(seed) % 9], seconds[next(seed) % 13]);
      std::string rec = text;
      if (next(seed) % 20 == 0) rec.resize(next(seed) % 10);
      catsieve::Line l = line(rec);
      auto full = [&l] {
        return util::day_start(fint(l, Col{1, 4, 0}), fint(l, Col{5, 2, 0}), fint(l, Col{7, 2, 0}),
                               1);
      };
      double start = catsieve::cached_day(cache, l, 1, 8, full);
      ASSERT_EQ(start, full()) << rec;
      double t = util::time_of_day(full(), fint(l, hour), fint(l, minute), freal(l, secs));
      ASSERT_EQ(catsieve::otime_in(b, start, l, hour, minute, secs), b.holds(t)) << rec;
      // A record found far lies more than a minute outside.
      if (catsieve::otime_far(b, start, l, hour, minute, secs)) {
        ASSERT_TRUE(t < b.min - 60 || t > b.max + 60) << rec;
      }
    }
  }
}

catsieve::Stream* open(const std::string& path) {
  catsieve::Stream* s = nullptr;
  EXPECT_EQ(catsieve::open_file(path.c_str(), &s), catsieve::OpenResult::kOpen);
  return s;
}
void close(catsieve::Stream* s) {
  std::string fault;
  catsieve::close_stream(s, true, &fault);
}

TEST(Readline, CutsAsFgets) {
  std::mt19937 rng(42);
  TempDir dir;
  for (int size : {150, 200, 512}) {
    // Lines of every length around the buffer size, NUL bytes included, across several blocks,
    // the last without a newline.
    std::string text;
    while (text.size() < 700000) {
      size_t len = rng() % 3 ? rng() % 120 : static_cast<size_t>(size) - 3 + rng() % 6;
      if (rng() % 50 == 0) len = rng() % 2000;
      for (size_t i = 0; i < len; ++i) text += static_cast<char>(rng() % 50 ? 'a' + rng() % 26 : 0);
      text += '\n';
      // Runs of 16-byte lines put newlines at the same places of the windows counted.
      if (rng() % 3000 == 0)
        for (int k = 0; k < 1200; ++k) text += std::string(15, 'y') + "\n";
    }
    // A stretch without a newline across blocks, cut into pieces.
    text += std::string(300000 + static_cast<size_t>(size), 'z') + "\n";
    std::string path = dir.write("cat" + std::to_string(size), text + "tail");
    std::vector<std::string> want, got;
    std::FILE* f = std::fopen(path.c_str(), "r");
    std::vector<char> buf(static_cast<size_t>(size));
    for (long before = 0, after; std::fgets(buf.data(), size, f); before = after)
      after = std::ftell(f), want.emplace_back(buf.data(), static_cast<size_t>(after - before));
    std::fclose(f);
    catsieve::Stream* s = open(path);
    catsieve::Line l;
    while (catsieve::readline(*s, static_cast<size_t>(size), &l)) got.emplace_back(l.p, l.n);
    got.emplace_back(s->last.p, s->last.n);  // the last record survives the block refills
    close(s);
    ASSERT_TRUE(got == want + std::vector<std::string>{"tail"}) << size;
    // Counted without handing them out, whichever instructions look for the newlines, also from
    // a pipe, which hands out short reads.
    std::string pipe = dir.path() + "/pipe" + std::to_string(size);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (auto scan : {catsieve::NewlineScan::kWidest, catsieve::NewlineScan::kNarrow})
      for (const std::string& from : {path, pipe}) {
        std::thread writer([&] {
          if (from == pipe) std::ofstream(pipe, std::ios::binary) << text + "tail";
        });
        s = open(from);
        EXPECT_EQ(catsieve::count_rest(*s, static_cast<size_t>(size), scan), want.size())
            << size << from;
        close(s);
        writer.join();
      }
  }
}

}  // namespace
