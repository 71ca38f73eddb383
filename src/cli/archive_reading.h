#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/cli_output.h"
#include "cli/command.h"
#include "cli/controller_session.h"
#include "cli/period_options.h"
#include "cli/scratch_folder.h"
#include "core/archives/archive_dialogs.h"
#include "core/archives/archive_file_header.h"
#include "core/archives/chrom_archive_reader.h"
#include "core/archives/short_date_dialog.h"
#include "core/common/calendar.h"

namespace zvc::cli {

// An input error as the dialog shows it (kind 2).
void showInputError(CommandContext& context, const InputError& error);

// --period BEGIN END as the period dialog (TFormPeriod) takes it: the dates must exist, the
// times are checked with the dialog's own messages. nullopt after the message.
std::optional<PeriodCheck> checkedPeriod(CommandContext& context, const DateTimeArgument& begin,
                                         const DateTimeArgument& end);

// The period of a measurement, calibration or verification reading: typed, or the dialog's last
// hour or day before the computer's clock. nullopt after the message.
std::optional<PeriodCheck> measurementPeriod(CommandContext& context, const PeriodRequest& request);

// A typed hourly or daily period whose moments exist, checked before the link is opened. False
// after the refusal.
bool validHourDayPeriod(CommandContext& context, const PeriodRequest& request);

// The period of an hourly (daily) reading within what the archive holds, as the short period
// dialog (TFormShortDate) accepts it: typed (the hour, or the date, of BEGIN and END counts), or
// its last day (month) from the controller's clock. nullopt after the message.
std::optional<ShortDateCheck> hourDayPeriod(CommandContext& context, const PeriodRequest& request,
                                            bool daily, const ArchiveRange& range,
                                            const DateTime6& controllerClock);

// The --save file of a reading with the archive's extension appended to a name without one,
// checked before the link is opened. False after the refusal; `file` stays empty without --save.
bool checkedSaveFile(CommandContext& context, const std::optional<std::string>& given,
                     std::string_view extension, std::optional<std::filesystem::path>& file);

// What every archive reading needs before its first request: a folder for the working files, the
// link, and the working tables in the image. An exit status: success, or why not.
int openForReading(CommandContext& context, const ScratchFolder& scratch,
                   ControllerSession& session);

// After a reading: saves the header and records in `saveFile`, or else prints them with `print`.
// `status` is what the reading ended with; a file that cannot be written makes it bad input.
int keepReading(CommandContext& context, int status, const std::optional<std::filesystem::path>& saveFile,
                const ArchiveFileHeader& header, const ArchiveRecords& records,
                const std::function<void()>& print);

// A reading by period of the chromatograph's or the moisture meter's measurement, hourly or daily
// archive: the period settled as the archive's dialog settles it, the records read with `read`,
// then saved in the program's file or printed with `print` as `show` prints that file.
struct DeviceArchiveReading {
  PeriodRequest request;
  bool measurement = false;
  bool daily = false;
  std::string_view extension;
  std::function<std::optional<ChromReading>(ChromArchiveReader&, const DateTime6& start,
                                            const DateTime6& end)>
      read;
  std::function<void(const ChromReading&)> print;
};
int readDeviceArchive(CommandContext& context, const DeviceArchiveReading& reading);

// One line of cells separated by TAB.
void printCells(TextOutput& out, std::span<const std::string> cells);

// A table as `show` prints it: the caption, the lines above the records, then the records.
template <typename Lines, typename Rows>
void printTable(TextOutput& out, const std::string& caption, const Lines& above, const Rows& rows) {
  out.line(caption);
  for (const auto& line : above) printCells(out, line);
  for (const auto& row : rows) printCells(out, row);
}

}  // namespace zvc::cli
