#include "support/temp_home.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "core/platform/program_paths.h"

namespace fs = std::filesystem;

namespace tessaro::test {

TempHome::TempHome() {
  std::string pattern = (fs::temp_directory_path() / "tessaro-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  dir_ = pattern;
  SetProgramDir(dir_);
}

TempHome::~TempHome() {
  SetProgramDir("");
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

void TempHome::Write(const std::string& relative, const std::string& bytes) const {
  fs::path path = Path(relative);
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempHome::Read(const std::string& relative) const { return ReadFileBytes(Path(relative)); }

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace tessaro::test
