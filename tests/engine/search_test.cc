// Many searches at once in one process, each giving the bytes, messages and status of the same
// search run alone.
#include "engine/search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/args.h"
#include "outputs/messages.h"
#include "outputs/sink.h"

namespace catsieve {
namespace {

const std::string kExamples = CATSIEVE_SOURCE_DIR "/examples/";

std::vector<std::string> lines_of(const std::string& file) {
  std::ifstream in(kExamples + file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line + "\n");
  return lines;
}

struct Result {
  std::string out, messages;
  int exit = 0;
};

// A command line as the command runs it, its output flushed into memory and its messages, the
// closing one included, as standard error would show them.  A word "@name" is the example file of
// that name; the given inputs, when there are any, take the place of those the words name.
Result run(const std::string& words, const std::vector<Input>& inputs = {}) {
  std::vector<std::string> args = {"catsieve"};
  std::istringstream split(words);
  for (std::string w; split >> w;) args.push_back(w[0] == '@' ? kExamples + w.substr(1) : w);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  Parsed p = parse_args(static_cast<int>(args.size()), argv.data());
  if (!inputs.empty()) p.config.request.inputs = inputs;
  MemorySink out;
  StringMessages messages("catsieve");
  util::Status status = p.run ? search(p.config.query, p.config.request, out, messages) : p.status;
  if (!status.text.empty()) messages.say(status.named, status.text);
  out.flush();
  return Result{out.bytes(), messages.text(), status.exit};
}

// Every layout, criteria on and off, every output form, a run that fails after some output, a
// missing input, and a catalog of 60,000 lines in memory ("<big>"), large enough that a search's
// reading ahead and its formatting helper both work.
// In "<late>" the magnitude type that ends the run is met after thousands of events, while the
// helper may be formatting them.
const struct ConcurrentCase {
  const char* words;
  int exit;
  const char* message;  // how the messages end
} kConcurrentCases[] = {
    {"-etype a @tarn_old.cat", 0, ""},
    {"-time 20000101000000 20031231235959 --csv @tarn_y2k.cat", 0, ""},
    {"-format mech -latitude 36 38 -longitude -122 -119 --geojson @tarn_mech_old.cat", 0, ""},
    {"-format mech -depth 2 12 --quakeml @tarn_mech_y2k.cat", 0, ""},
    {"-format orv -verbose -magnitude 2 9 --csv @orv.cat", 0, "38 lines, 36 selected\n"},
    {"-format orv -mtype mw,md -magnitude 0 9 --quakeml @orv.cat", 1,
     "Specified magnitude not available for orv catalog\n"},
    {"-format brim -etype a -negate -delta 34 -118 0 200 --geojson @brim.cat", 0, ""},
    {"-format kelp -polygon -42 172 -38 172 -38 176 -42 176 --count @kelp.cat", 0, ""},
    {"-format f_brim -magnitude 1 4 --csv @full_brim.cat", 0, ""},
    {"@tarn_old.cat nosuch.cat", 1, "Unable to open file nosuch.cat\n"},
    {"-format orv <big>", 0, ""},
    {"-format orv --csv <big>", 0, ""},
    {"-format orv -verbose -negate -latitude 0 90 <big>", 0, "60002 lines, 18948 selected\n"},
    {"-format orv -mtype mw,md --csv <late>", 1,
     "Specified magnitude not available for orv catalog\n"},
    // Sorted outputs hold their records in the run: all of them, or the best under a limit.
    {"-format orv --orderby time <big>", 0, ""},
    {"-format orv --orderby magnitude --limit 50 --offset 20 --csv <big>", 0, ""},
    {"-format f_brim -etype a --orderby magnitude-asc --offset 3 --quakeml @full_brim.cat", 0, ""},
    {"-format orv -mtype mw,md --orderby magnitude --csv <late>", 1,
     "Specified magnitude not available for orv catalog\n"},
};

TEST(concurrent, ManySearchesGiveTheBytesOfSeparateRuns) {
  std::string big;
  std::vector<std::string> orv = lines_of("orv.cat");
  for (int n = 0; n < 60000; n += static_cast<int>(orv.size()))
    for (const std::string& line : orv) big += line;
  std::string late;
  for (int n = 0; n < 8000; ++n) late += n == 5000 ? orv[1] : orv[0];  // only line 2 lacks mw
  auto search_case = [&](const ConcurrentCase& c) {
    std::string words = c.words;
    for (const std::string* bytes : {&big, &late}) {
      size_t at = words.find(bytes == &big ? "<big>" : "<late>");
      if (at != std::string::npos)
        return run(words.erase(at), {Input::memory(bytes->data(), bytes->size(), "catalog")});
    }
    return run(words);
  };
  const size_t n = sizeof kConcurrentCases / sizeof kConcurrentCases[0];
  std::vector<Result> alone;
  for (const ConcurrentCase& c : kConcurrentCases) {
    alone.push_back(search_case(c));
    const Result& r = alone.back();
    EXPECT_FALSE(r.out.empty()) << c.words;
    EXPECT_EQ(r.exit, c.exit) << c.words;
    std::string end = c.message;
    EXPECT_EQ(r.messages.substr(r.messages.size() - std::min(r.messages.size(), end.size())), end);
    EXPECT_EQ(r.messages.empty(), end.empty()) << c.words;
  }
  for (size_t i = 0; i < n; ++i) {
    std::string words = kConcurrentCases[i].words;
    if (words == "-format orv <big>") {
      EXPECT_EQ(alone[i].out, big);  // every record as it stood
    }
    if (words.find("<late>") != std::string::npos) {  // the header and the events before line 5001
      EXPECT_EQ(std::count(alone[i].out.begin(), alone[i].out.end(), '\n'), 5001);
    }
  }

  for (int round = 0; round < 3; ++round) {
    std::vector<Result> together(2 * n);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < together.size(); ++i)
      threads.emplace_back([&, i] { together[i] = search_case(kConcurrentCases[i % n]); });
    for (std::thread& t : threads) t.join();
    for (size_t i = 0; i < together.size(); ++i) {
      SCOPED_TRACE("round " + std::to_string(round) + ": " + kConcurrentCases[i % n].words);
      EXPECT_TRUE(together[i].out == alone[i % n].out) << "output differs";
      EXPECT_EQ(together[i].messages, alone[i % n].messages);
      EXPECT_EQ(together[i].exit, alone[i % n].exit);
    }
  }
}

}  // namespace
}  // namespace catsieve
