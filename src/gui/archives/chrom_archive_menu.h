#pragma once

#include "core/archives/chrom_archives.h"
#include "gui/app/main_window_context.h"

namespace zvc {

// The operations of the chromatograph's measurement, hourly and daily archive items of the
// "Данные" menu; `run` is 0 or 1.

// The controller's clock, the period dialog, the reading, then the measurement table.
void readChromMeasurements(const MainWindowContext& context, int run);
// The archive's range, the hourly or daily period dialog, the reading, then the table.
void readChromHourDay(const MainWindowContext& context, bool daily, int run);
// A saved ".mch", ".hch" or ".dch" chosen in the open dialog, shown in its table.
void viewChromFile(const MainWindowContext& context, ChromArchive archive);

}  // namespace zvc
