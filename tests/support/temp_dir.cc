#include "support/temp_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  path_ = std::string(base && *base ? base : "/tmp") + "/catsieve-test-XXXXXX";
  if (!::mkdtemp(&path_[0])) throw std::runtime_error("mkdtemp failed");
}

TempDir::~TempDir() {
  // Restore permissions that a test may have taken away, then remove.
  std::string cmd = "chmod -R u+rwx '" + path_ + "' 2>/dev/null; rm -rf '" + path_ + "'";
  if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", path_.c_str());
}

std::string TempDir::mkdir(const std::string& name) const {
  std::string full = path_ + "/" + name;
  for (size_t i = 1; i <= full.size(); ++i)
    if (i == full.size() || full[i] == '/') ::mkdir(full.substr(0, i).c_str(), 0755);
  return full;
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
  size_t slash = name.rfind('/');
  std::string full = slash == std::string::npos ? path_ + "/" + name : mkdir(name.substr(0, slash)) + name.substr(slash);
  std::ofstream f(full, std::ios::binary);
  if (!(f << content)) throw std::runtime_error("cannot write " + full);
  return full;
}

std::string read_file(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}
