#pragma once

#include <optional>

#include "cli/command.h"
#include "core/archives/archive_dialogs.h"
#include "core/archives/message_archive_reader.h"
#include "core/archives/message_files.h"
#include "core/archives/message_view.h"

namespace zvc::cli {

class ControllerSession;

// A date of --period that a year byte counted from 2000 can hold.
bool isCalendarDate(const DateTimeArgument& value);
Date3 dateOf(const DateTimeArgument& value);
// An input error as the dialogs show it (kind 2).
void showInputError(CommandContext& context, const InputError& error);
// Opens the link and reads the working tables, as the connection step does. An exit status.
int openForArchive(CommandContext& context, ControllerSession& session);
// --period BEGIN END checked as the period dialog checks it; nullopt after the refusal.
std::optional<PeriodCheck> checkedPeriod(CommandContext& context, const DateTimeArgument& from,
                                         const DateTimeArgument& to);

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
