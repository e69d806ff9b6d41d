// A fresh folder under the system's temporary folder, removed afterwards.
#pragma once

#include <filesystem>
#include <string>

#include <unistd.h>

namespace kovrel::testing_support {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kovrel-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  /// The folder, ending in "/".
  std::string path() const { return path_.string() + "/"; }
  std::string operator/(const std::string& name) const { return path() + name; }

 private:
  std::filesystem::path path_;
};

}  // namespace kovrel::testing_support
