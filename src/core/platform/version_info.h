// The version items of the program file.
//
// The build stamps the version into the program, so there is no resource to
// parse: the items come from the build, in the fixed order below, and read
// "N/A" when the program file named at construction cannot be found.
#pragma once

#include <array>
#include <string>

namespace tessaro {

class TVersionInfo {
 public:
  static constexpr std::array<const char*, 10> kKeys = {
      "CompanyName",     "FileDescription",  "FileVersion", "InternalName",   "LegalCopyright",
      "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"};
  static constexpr int kFileVersion = 2;

  explicit TVersionInfo(const std::string& executable_path);

  // The item at `index` of kKeys; "N/A" for an index outside the list.
  const std::string& Item(int index) const;

 private:
  std::array<std::string, kKeys.size()> items_;
};

}  // namespace tessaro
