// A throw-away program folder for one test, removed afterwards.
#pragma once

#include <string>

namespace tessaro::test {

class TempHome {
 public:
  TempHome();
  ~TempHome();
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;

  const std::string& Dir() const { return dir_; }
  // The path of `relative` inside the folder (forward slashes).
  std::string Path(const std::string& relative) const { return dir_ + "/" + relative; }
  void Write(const std::string& relative, const std::string& bytes) const;
  std::string Read(const std::string& relative) const;

 private:
  std::string dir_;
};

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

}  // namespace tessaro::test
