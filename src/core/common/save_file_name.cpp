#include "core/common/save_file_name.h"

#include <system_error>

#include "core/common/format.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kQuestion = 3;

}  // namespace

std::string overwriteQuestionLine(const std::filesystem::path& file) {
  return format("Файл %s уже есть.", file.filename().string().c_str());
}

std::filesystem::path withDefaultExtension(const std::filesystem::path& name,
                                           std::string_view extension) {
  if (name.has_extension()) return name;
  std::filesystem::path extended = name;
  extended += extension;
  return extended;
}

std::optional<std::filesystem::path> chooseSaveFileName(const std::filesystem::path& proposed,
                                                        std::string_view extension,
                                                        const AskFileName& askName,
                                                        Frontend& frontend) {
  std::filesystem::path start = proposed;
  for (;;) {
    const auto chosen = askName(start);
    if (!chosen) return std::nullopt;
    const std::filesystem::path file = withDefaultExtension(*chosen, extension);
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return file;
    if (frontend.showMessage(kQuestion, overwriteQuestionLine(file), kOverwriteQuestionLine2)) {
      return file;
    }
    start = file;
  }
}

}  // namespace zvc
