#include "cli/output_file.h"

#include <system_error>

#include "core/archives/message_files.h"

namespace zvc::cli {
namespace {

constexpr int kQuestionKind = 3;

}  // namespace

std::optional<std::filesystem::path> checkedOutputFile(CommandContext& context,
                                                       const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return file;
  if (context.frontend.showMessage(kQuestionKind, overwriteQuestionLine(file),
                                   kOverwriteQuestionLine2)) {
    return file;
  }
  refuse(context, "not saved: the file exists (--yes replaces it)");
  return std::nullopt;
}

}  // namespace zvc::cli
