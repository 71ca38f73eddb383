#pragma once

#include "core/archives/moisture_archives.h"
#include "gui/app/main_window_context.h"

namespace zvc {

// The operations of the moisture meter's measurement, hourly and daily archive items of the
// "Данные" menu; the meter has no runs.

// The controller's clock, the period dialog, the reading, then the measurement table.
void readMoistureMeasurements(const MainWindowContext& context);
// The archive's range, the hourly or daily period dialog, the reading, then the table.
void readMoistureHourDay(const MainWindowContext& context, bool daily);
// A saved ".mwm", ".hwm" or ".dwm" chosen in the open dialog, shown in its table.
void viewMoistureFile(const MainWindowContext& context, MoistureArchive archive);

}  // namespace zvc
