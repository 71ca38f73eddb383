#include "cli/scratch_folder.h"

#include <stdlib.h>

#include <string>
#include <system_error>

namespace zvc::cli {

ScratchFolder::ScratchFolder() {
  std::error_code error;
  const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
  if (error) return;
  std::string pattern = (temporary / "zvc-cli-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace zvc::cli
