// A temporary folder for one test, removed with everything in it.
#ifndef TESTS_SUPPORT_TEMP_DIR_H
#define TESTS_SUPPORT_TEMP_DIR_H

#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // Writes a file below the folder (creating its parent folders) and
  // returns its full path.
  std::string write(const std::string& name, const std::string& content) const;
  // Creates a folder below the folder and returns its full path.
  std::string mkdir(const std::string& name) const;

 private:
  std::string path_;
};

std::string read_file(const std::string& path);

#endif
