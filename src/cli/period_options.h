#pragma once

#include <optional>
#include <span>
#include <string>

#include "cli/cli_output.h"
#include "cli/command.h"
#include "core/archives/archive_dialogs.h"
#include "core/archives/chrom_archive_reader.h"
#include "core/archives/short_date_dialog.h"
#include "core/common/calendar.h"

namespace zvc::cli {

// An input error as the dialog shows it (kind 2).
void showInputError(CommandContext& context, const InputError& error);

// --period BEGIN END as the period dialog (TFormPeriod) takes it: the dates must exist, the
// times are checked with the dialog's own messages. nullopt after the message.
std::optional<PeriodCheck> checkedPeriodArguments(CommandContext& context,
                                                  const DateTimeArgument& begin,
                                                  const DateTimeArgument& end);

// The period of a measurement, calibration or verification reading: typed, or the dialog's last
// hour or day before the computer's clock. nullopt after the message.
std::optional<PeriodCheck> measurementPeriod(CommandContext& context, const PeriodRequest& request);

// The period of an hourly (daily) reading within what the archive holds, as the short period
// dialog (TFormShortDate) accepts it: typed (the hour, or the date, of BEGIN and END), or its
// last day (month) from the controller's clock. nullopt after the message.
std::optional<ShortDateCheck> hourDayPeriod(CommandContext& context, const PeriodRequest& request,
                                            bool daily, const ArchiveRange& range,
                                            const DateTime6& controllerClock);

// One line of cells separated by TAB.
void printCells(TextOutput& out, std::span<const std::string> cells);

}  // namespace zvc::cli
