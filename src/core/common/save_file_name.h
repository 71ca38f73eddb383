#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zvc {

class Frontend;

// The save dialog: given the name to start from, the name the user chose, nullopt on cancel.
using AskFileName =
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& start)>;

// The question before an existing file is replaced (name without folder).
std::string overwriteQuestionLine(const std::filesystem::path& file);
inline constexpr std::string_view kOverwriteQuestionLine2 = "Вы хотите заменить существующий файл?";

// The chosen name, with `extension` (".cnf") appended when it has none.
std::filesystem::path withDefaultExtension(const std::filesystem::path& name,
                                           std::string_view extension);

// Asks for the name until the user cancels, names a new file or agrees to replace an existing
// one ("no" asks again, starting from the name just chosen). A name without extension gets
// `extension` before it is looked for, so an existing file is never replaced unasked.
std::optional<std::filesystem::path> chooseSaveFileName(const std::filesystem::path& proposed,
                                                        std::string_view extension,
                                                        const AskFileName& askName,
                                                        Frontend& frontend);

}  // namespace zvc
