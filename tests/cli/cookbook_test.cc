// The README's cookbook, run: every ```sh block of its Cookbook section is run
// with bash and what it prints is compared with the outputs kept here, so that
// a change of either the README or the program that breaks an entry fails.
//
// Each block runs in a scratch folder holding a copy of the repository's
// examples/ folder, so relative paths like examples/tarn_old.cat mean what
// they mean at the top of the repository, and files a command writes (the
// split into shallow.cat and deep.cat) do not land in the work tree.
// ./build/catsieve in a command stands for the program under test.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "support/cli_harness.h"
#include "support/temp_dir.h"

namespace {

const char* const kVariables[] = {"LODECATDIR",     "LODEMECHDIR", "ORVCATDIR", "BRIMCATDIR",
                                  "FULLBRIMCATDIR", "KELPCATDIR"};
const char* const kLocationsFiles[] = {"/LOCATIONS", "/etc/LOCATIONS",
                                       "/usr/local/etc/LOCATIONS"};
const char kProgram[] = "./build/catsieve";

std::string repo_root() {
  std::string here = __FILE__;  // .../tests/cli/cookbook_test.cc
  return here.substr(0, here.rfind("/tests/"));
}

std::string quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// ---- the README's Cookbook section -----------------------------------------

struct Block {
  std::string info;  // the word after the opening fence: sh, text or nothing
  std::string text;  // the lines between the fences, each with its newline
};

// The fenced blocks from the "## Cookbook" heading to the next "## " heading.
std::vector<Block> cookbook_blocks() {
  std::vector<Block> blocks;
  bool in_section = false, in_block = false;
  for (const std::string& line : lines_of(read_file(repo_root() + "/README.md"))) {
    if (!in_block && line.compare(0, 3, "## ") == 0) {
      in_section = line == "## Cookbook";
      continue;
    }
    if (!in_section) continue;
    if (line.compare(0, 3, "```") == 0) {
      if (!in_block) blocks.push_back({line.substr(3), ""});
      in_block = !in_block;
    } else if (in_block) {
      blocks.back().text += line + "\n";
    }
  }
  return blocks;
}

// The LOCATIONS file that the cookbook shows: the block that names LODECATDIR
// as its first word on a line.
bool is_locations_file(const Block& b) {
  if (b.info == "sh") return false;
  for (const std::string& line : lines_of(b.text)) {
    std::istringstream words(line);
    std::string first;
    if (words >> first && first == "LODECATDIR") return true;
  }
  return false;
}

// Looks LODECATDIR up in a LOCATIONS text by the file's rules: "#" starts a
// comment, an entry is a key and a value, the first entry with the key wins.
std::string locations_value(const std::string& text) {
  for (std::string line : lines_of(text)) {
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string key, value;
    if (words >> key >> value && key == "LODECATDIR") return value;
  }
  return "";
}

// ---- expected outputs ------------------------------------------------------

struct Expected {
  const char* name;
  std::string command;            // the text of the README's sh block
  std::string file;               // the example file holding the selected lines
  std::vector<std::string> keys;  // the selected lines, by their beginnings, in order
  std::string tail;               // what follows them (the output of wc), blanks loose
  std::string err;
  bool locations;                 // the LOCATIONS form: LODECATDIR from the shown file
};

void PrintTo(const Expected& e, std::ostream* os) { *os << e.name; }

// The tree's lines for 1994 to 1997 are the lines of tarn_old.cat.
const std::vector<Expected> kExpected = {
    {"NearAPoint",
     "./build/catsieve -time 20000101000000 20990101000000 -delta 37.8 -122.2 0 50 "
     "-magnitude 3 10 examples/tarn_y2k.cat\n",
     "tarn_y2k.cat", {"200103010039", "200203240415", "200210230316"}, "", "", false},
    {"Felt", "./build/catsieve -format orv -felt examples/orv.cat\n", "orv.cat",
     {"20010720", "20020126", "20030415", "20040406", "20050519", "20050624", "20050807"}, "", "",
     false},
    {"Polygon", "./build/catsieve -polygon 36 -123 39 -123 37 -120 examples/tarn_old.cat\n",
     "tarn_old.cat",
     {"9410051303", "9411030805", "9502061035", "9603132003", "9701091121", "9703081304",
      "9705130658", "9712121105", "9801040036", "9805120847", "9807020702"},
     "", "", false},
    {"EventType", "./build/catsieve -etype qr examples/tarn_y2k.cat\n", "tarn_y2k.cat",
     {"199804032018", "199808111116", "199907150610", "200005210605", "200111131949",
      "200411210930", "200412251941"},
     "", "", false},
    {"SplitInTwo",
     "./build/catsieve -etype a -depth 0 10 examples/tarn_old.cat > shallow.cat\n"
     "./build/catsieve -negate -etype a -depth 0 10 examples/tarn_old.cat > deep.cat\n"
     "wc -l shallow.cat deep.cat\n",
     "", {}, "24 shallow.cat\n16 deep.cat\n40 total\n", "", false},
    {"MagnitudePreference",
     "./build/catsieve -mtype mw,md -magnitude 4.5 9 examples/tarn_old.cat\n", "tarn_old.cat",
     {"9410051303", "9703081304", "9707211427"}, "", "", false},
    {"TreeByVariable",
     "LODECATDIR=examples/catalog ./build/catsieve -catalog -time 19940101000000 "
     "19950101000000 -magnitude 3 9\n",
     "tarn_old.cat", {"9403081858", "9409151701", "9410051303", "9411030805"}, "", "", false},
    {"TreeByLocationsFile",
     "./build/catsieve -catalog -time 19960101000000 19970101000000 -magnitude 2 9\n",
     "tarn_old.cat", {"9602022118", "9603240725", "9612281604"}, "", "", true},
    {"Compressed", "./build/catsieve -magnitude 4 9 examples/catalog/1995/1995.*\n",
     "tarn_old.cat", {"9508170735", "9509181621"}, "", "", false},
    {"SortAndCount",
     "./build/catsieve -format kelp -quality ab -magnitude 5 9 examples/kelp.cat | sort -s "
     "-k9,9r\n"
     "./build/catsieve -format kelp -quality ab -magnitude 5 9 examples/kelp.cat | wc -l\n",
     "kelp.cat",
     {"1999 048", "1999 094", "1999 119", "1999 247", "2000 031", "1999 293", "1999 316",
      "1999 335"},
     "8\n", "", false},
    {"VerboseTree", "LODECATDIR=examples/catalog ./build/catsieve -verbose -catalog -etype b\n",
     "tarn_old.cat", {"9401270706", "9412112316", "9511251202"}, "",
     "processing examples/catalog/1990-1993 ... 3 lines, 0 selected\n"
     "processing examples/catalog/1994/1994.01 ... 1 lines, 1 selected\n"
     "processing examples/catalog/1994/1994.03 ... 2 lines, 0 selected\n"
     "processing examples/catalog/1994/1994.09 ... 1 lines, 0 selected\n"
     "processing examples/catalog/1994/1994.10 ... 1 lines, 0 selected\n"
     "processing examples/catalog/1994/1994.11 ... 1 lines, 0 selected\n"
     "processing examples/catalog/1994/1994.12 ... 2 lines, 1 selected\n"
     "processing examples/catalog/1995/1995.02 ... 1 lines, 0 selected\n"
     "processing examples/catalog/1995/1995.08.Z ... 1 lines, 0 selected\n"
     "processing examples/catalog/1995/1995.09 ... 1 lines, 0 selected\n"
     "processing examples/catalog/1995/1995.11 ... 1 lines, 1 selected\n"
     "processing examples/catalog/1996 ... 7 lines, 0 selected\n"
     "processing examples/catalog/current ... 3 lines, 0 selected\n",
     false},
};

// The whole lines of an example file that begin with the keys, in key order;
// each key must begin exactly one line.
std::string selected_lines(const Expected& e) {
  if (e.file.empty()) return "";
  std::vector<std::string> lines = lines_of(read_file(repo_root() + "/examples/" + e.file));
  std::string out;
  for (const std::string& key : e.keys) {
    int found = 0;
    for (const std::string& line : lines)
      if (line.compare(0, key.size(), key) == 0) {
        if (found++ == 0) out += line + "\n";
      }
    EXPECT_EQ(found, 1) << e.file << ": lines beginning with " << key;
  }
  return out;
}

// Text with its runs of blanks made one and each line trimmed: wc pads its
// counts differently from one system to the next.
std::string loose(const std::string& text) {
  std::string out;
  for (const std::string& line : lines_of(text)) {
    std::istringstream words(line);
    std::string word, joined;
    while (words >> word) joined += (joined.empty() ? "" : " ") + word;
    out += joined + "\n";
  }
  return out;
}

// ---- running a block -------------------------------------------------------

// Runs a script with bash in the folder cwd, with no catalog variable set but
// those given, standard input empty.
RunResult run_bash(const std::string& script, const std::string& cwd,
                   const std::vector<std::pair<std::string, std::string>>& env = {}) {
  TempDir io;
  std::string out = io.path() + "/stdout", err = io.path() + "/stderr";
  pid_t pid = ::fork();
  if (pid < 0) return {"", "fork failed", -1};
  if (pid == 0) {
    int fd0 = ::open("/dev/null", O_RDONLY);
    int fd1 = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int fd2 = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd0 < 0 || fd1 < 0 || fd2 < 0 || ::chdir(cwd.c_str()) != 0) ::_exit(126);
    ::dup2(fd0, 0);
    ::dup2(fd1, 1);
    ::dup2(fd2, 2);
    for (const char* v : kVariables) ::unsetenv(v);
    for (const auto& kv : env) ::setenv(kv.first.c_str(), kv.second.c_str(), 1);
    ::execlp("bash", "bash", "-c", script.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  return {read_file(out), read_file(err),
          WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)};
}

// The command with ./build/catsieve replaced by the program under test.
std::string with_program(std::string command) {
  for (size_t at = command.find(kProgram); at != std::string::npos;
       at = command.find(kProgram, at + 1))
    command.replace(at, sizeof kProgram - 1, quoted(CATSIEVE_BIN));
  return command;
}

// A scratch folder with a copy of the examples, where the commands run.
class Scratch {
 public:
  Scratch() {
    RunResult r = run_bash("cp -R " + quoted(repo_root() + "/examples") + " examples", dir_.path());
    EXPECT_EQ(r.status, 0) << r.err;
  }
  const std::string& path() const { return dir_.path(); }

 private:
  TempDir dir_;
};

// ---- the tests -------------------------------------------------------------

TEST(Cookbook, EveryCommandHasAnExpectedOutputAndNoneIsMissing) {
  std::vector<Block> blocks = cookbook_blocks();
  std::vector<std::string> commands;
  for (const Block& b : blocks)
    if (b.info == "sh") commands.push_back(b.text);
  ASSERT_FALSE(commands.empty()) << "README.md has no Cookbook section with sh blocks";
  for (const std::string& c : commands) {
    bool known = false;
    for (const Expected& e : kExpected) known = known || e.command == c;
    EXPECT_TRUE(known) << "no expected output for the README command:\n" << c;
    EXPECT_NE(c.find(kProgram), std::string::npos) << c;
  }
  for (const Expected& e : kExpected) {
    int n = 0;
    for (const std::string& c : commands) n += c == e.command;
    EXPECT_EQ(n, 1) << e.name << ": the README should show this command once:\n" << e.command;
  }
}

class CookbookCommand : public ::testing::TestWithParam<Expected> {};

TEST_P(CookbookCommand, PrintsWhatTheReadmeSays) {
  const Expected& e = GetParam();
  std::vector<Block> blocks = cookbook_blocks();
  size_t at = 0;
  while (at < blocks.size() && !(blocks[at].info == "sh" && blocks[at].text == e.command)) ++at;
  ASSERT_LT(at, blocks.size()) << "the README's Cookbook no longer shows:\n" << e.command;

  std::vector<std::pair<std::string, std::string>> env;
  if (e.locations) {
    // The test does not write a LOCATIONS file: it takes the directory that
    // the shown file gives LODECATDIR and sets the variable to it, which the
    // lookup treats the same way.
    std::string value;
    for (const Block& b : blocks)
      if (is_locations_file(b)) value = locations_value(b.text);
    ASSERT_FALSE(value.empty()) << "the Cookbook shows no LOCATIONS entry for LODECATDIR";
    ASSERT_EQ(e.command.find("LODECATDIR"), std::string::npos)
        << "the LOCATIONS form must not set the variable itself";
    env.push_back({"LODECATDIR", value});
  }

  Scratch scratch;
  RunResult r = run_bash(with_program(e.command), scratch.path(), env);
  std::string records = selected_lines(e);
  EXPECT_EQ(r.out.substr(0, records.size()), records);
  EXPECT_EQ(loose(r.out.substr(std::min(records.size(), r.out.size()))), loose(e.tail));
  EXPECT_EQ(r.err, e.err);
  EXPECT_EQ(r.status, 0);

  // An output that the README shows after the command is part of what it
  // printed.
  for (size_t i = at + 1; i < blocks.size() && blocks[i].info != "sh"; ++i) {
    if (is_locations_file(blocks[i])) continue;
    EXPECT_TRUE(r.out.find(blocks[i].text) != std::string::npos ||
                r.err.find(blocks[i].text) != std::string::npos)
        << "the README shows output that the command does not print:\n"
        << blocks[i].text;
  }
}

INSTANTIATE_TEST_SUITE_P(Readme, CookbookCommand, ::testing::ValuesIn(kExpected),
                         [](const ::testing::TestParamInfo<Expected>& i) {
                           return std::string(i.param.name);
                         });

// The LOCATIONS form really depends on the file: without the variable and
// without any LOCATIONS file, the same command stops with status 255. Where a
// LOCATIONS file exists its content is unknown, and this is skipped.
TEST(Cookbook, LocationsCommandNeedsTheFile) {
  for (const char* p : kLocationsFiles)
    if (::access(p, F_OK) == 0) GTEST_SKIP() << p << " exists";
  for (const Expected& e : kExpected) {
    if (!e.locations) continue;
    Scratch scratch;
    RunResult r = run_bash(with_program(e.command), scratch.path());
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "cannot open LOCATION file -fatal\n");
    EXPECT_EQ(r.status, 255);
  }
}

}  // namespace
