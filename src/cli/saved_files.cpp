#include "cli/saved_files.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace zvc::cli {
namespace {

constexpr MessageFileKind kKinds[] = {MessageFileKind::kDiagnostic, MessageFileKind::kIntervention};

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::optional<MessageFileKind> kindOf(const std::filesystem::path& file) {
  const std::string extension = lowerCase(file.extension().string());
  for (const MessageFileKind kind : kKinds) {
    if (extension == messageFileFormat(kind).extension) return kind;
  }
  return std::nullopt;
}

std::string knownExtensions() {
  std::string list;
  for (const MessageFileKind kind : kKinds) {
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
