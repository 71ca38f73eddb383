#pragma once

#include <filesystem>

namespace zvc::cli {

// A private folder for the archive readers' work files, removed with everything in it when the
// object goes: runs side by side, or beside the program in the same working folder, never share
// a work file.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Empty when the folder could not be made.
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace zvc::cli
