#pragma once

#include <optional>

#include "cli/command.h"
#include "core/archives/archive_dialogs.h"
#include "core/archives/message_archive_reader.h"
#include "core/archives/message_files.h"
#include "core/archives/message_view.h"

namespace zvc::cli {

// diag and interv: a message archive read by index, the newest records or a period, then saved
// in the program's file or printed as the view shows it.
class ArchiveCommand : public Command {
 public:
  explicit ArchiveCommand(MessageFileKind kind) : kind_(kind) {}
  int run(CommandContext& context) override;

 private:
  int archiveKind() const;
  // The records by index; status tells why there are none.
  std::optional<MessageArchiveReading> readByIndex(CommandContext& context,
                                                   MessageArchiveReader& reader, int& status) const;

  MessageFileKind kind_;
};

}  // namespace zvc::cli
