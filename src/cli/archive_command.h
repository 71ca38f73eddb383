#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/command.h"
#include "core/archives/archive_dialogs.h"
#include "core/archives/message_archive_reader.h"
#include "core/archives/message_files.h"
#include "core/archives/message_view.h"

namespace zvc::cli {

enum class RecordSelection { kIndex, kLast, kPeriod };

// diag and interv: which records, and where they go.
struct ArchiveRequest {
  RecordSelection selection = RecordSelection::kLast;
  std::string indexFirst;  // digits, as the index dialog's fields take them
  std::string indexCount;
  std::uint32_t last = 0;
  DateTimeArgument begin;
  DateTimeArgument end;
  std::optional<std::string> saveFile;
  bool operator==(const ArchiveRequest&) const = default;
};

// diag and interv: a message archive read by index, the newest records or a period, then saved
// in the program's file or printed as the view shows it.
class ArchiveCommand : public Command {
 public:
  explicit ArchiveCommand(MessageFileKind kind) : kind_(kind) {}
  CommandHelp help() const override;
  void declare(OptionDeclarations& options) const override;
  void accept(const GivenArguments& given) override;
  int run(CommandContext& context) override;
  const ArchiveRequest& request() const { return request_; }

 private:
  int archiveKind() const;
  // The records by index; status tells why there are none.
  std::optional<MessageArchiveReading> readByIndex(CommandContext& context,
                                                   MessageArchiveReader& reader, int& status) const;

  MessageFileKind kind_;
  ArchiveRequest request_;
};

}  // namespace zvc::cli
