#pragma once

#include <filesystem>
#include <optional>

#include "cli/command.h"
#include "core/archives/message_files.h"

namespace zvc::cli {

// A saved file as show and print take it.
struct OpenedFile {
  MessageFileKind kind;
  SavedMessages messages;
};

// Opens a file the program saves, its kind told by its extension as the open dialog's file types
// tell it. nullopt after a message when the file is unknown, does not open or is not of its kind.
std::optional<OpenedFile> openSavedFile(CommandContext& context, const std::filesystem::path& file);

}  // namespace zvc::cli
