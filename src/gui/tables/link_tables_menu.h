#pragma once

#include "gui/app/main_window_context.h"

namespace zvc {

// The operations of the "Параметры связи" items: read the table, edit it in its dialog, write
// what changed.

// Table 3: the engine and the saved settings follow a new address (and rate on a direct line).
void editUpperLink(const MainWindowContext& context);
// Table 9.
void editFlowComputerLink(const MainWindowContext& context);
// Table 14 and the measured parameters of table 1; the menus follow the runs in use.
void editChromatographLink(const MainWindowContext& context);
// Table 15.
void editMoistureMeterLink(const MainWindowContext& context);
// Table 29.
void editEthernet(const MainWindowContext& context);

}  // namespace zvc
