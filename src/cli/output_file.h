#pragma once

#include <filesystem>
#include <optional>

#include "cli/command.h"

namespace zvc::cli {

// The file a command is going to write (its extension already appended), checked before the link
// is opened so that no reading is spent on a file that will not be written: an existing file is
// replaced only when the overwrite question is answered "Да" (--yes). nullopt after the refusal
// on stderr.
std::optional<std::filesystem::path> checkedOutputFile(CommandContext& context,
                                                       const std::filesystem::path& file);

}  // namespace zvc::cli
