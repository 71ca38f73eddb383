#pragma once

#include <functional>
#include <optional>

#include "core/archives/chrom_archive_reader.h"
#include "core/archives/chrom_archives.h"
#include "gui/app/main_window_context.h"

namespace zvc {

// The reading of a measurement, hourly or daily archive of a chromatograph run or of the
// moisture meter, between the times the user chose.
using PeriodReading = std::function<std::optional<ChromReading>(
    ChromArchiveReader& reader, const DateTime6& start, const DateTime6& end)>;

// The controller's clock, the period dialog, then the reading; nullopt when nothing was read.
std::optional<ChromReading> readMeasurementPeriod(const MainWindowContext& context,
                                                  const PeriodReading& read);
// The archive's range, the hourly or daily period dialog, then the reading.
std::optional<ChromReading> readHourDayPeriod(const MainWindowContext& context, bool daily,
                                              const PeriodReading& read);

// The operations of the chromatograph's measurement, hourly and daily archive items of the
// "Данные" menu; `run` is 0 or 1.

// The controller's clock, the period dialog, the reading, then the measurement table.
void readChromMeasurements(const MainWindowContext& context, int run);
// The archive's range, the hourly or daily period dialog, the reading, then the table.
void readChromHourDay(const MainWindowContext& context, bool daily, int run);
// A saved ".mch", ".hch" or ".dch" chosen in the open dialog, shown in its table.
void viewChromFile(const MainWindowContext& context, ChromArchive archive);

}  // namespace zvc
