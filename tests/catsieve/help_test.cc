// The grouped help names every two-dash option of the table, each at the
// start of its own help line.
#include "catsieve/help.h"

#include <cstdio>
#include <string>

#include "catsieve/long_options.h"
#include "gtest/gtest.h"

namespace {

std::string help_text() {
  std::FILE* f = std::tmpfile();
  catsieve::write_help(f, "catsieve");
  std::rewind(f);
  std::string text;
  for (int c; (c = std::fgetc(f)) != EOF;) text += static_cast<char>(c);
  std::fclose(f);
  return text;
}

TEST(Help, DescribesEveryTwoDashOption) {
  std::string text = help_text();
  ASSERT_GT(catsieve::nlong_options, 0);
  for (int i = 0; i < catsieve::nlong_options; ++i) {
    std::string name = catsieve::long_options[i].name;
    EXPECT_NE(text.find("\n  " + name + " "), std::string::npos) << name;
  }
}

}  // namespace
