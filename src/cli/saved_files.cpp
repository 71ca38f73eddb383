#include "cli/saved_files.h"

#include <string>

namespace zvc::cli {
namespace {

std::optional<MessageFileKind> kindOf(const std::filesystem::path& file) {
  const std::string extension = lowerAscii(file.extension().string());
  for (const MessageFileKind kind : kMessageFileKinds) {
    if (extension == messageFileFormat(kind).extension) return kind;
  }
  return std::nullopt;
}

std::string knownExtensions() {
  std::string list;
  for (const MessageFileKind kind : kMessageFileKinds) {
    if (!list.empty()) list += ", ";
    list += messageFileFormat(kind).extension;
  }
  return list;
}

}  // namespace

std::optional<OpenedFile> openSavedFile(CommandContext& context,
                                        const std::filesystem::path& file) {
  const std::optional<MessageFileKind> kind = kindOf(file);
  if (!kind) {
    refuse(context, "\"" + file.string() + "\" is not a file of a kind zvc-cli knows (" +
                        knownExtensions() + ")");
    return std::nullopt;
  }
  std::optional<SavedMessages> messages = openMessageFile(*kind, file, context.frontend);
  if (!messages) return std::nullopt;
  return OpenedFile{*kind, std::move(*messages)};
}

}  // namespace zvc::cli
