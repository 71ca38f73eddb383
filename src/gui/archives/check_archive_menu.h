#pragma once

#include "core/archives/calibration_archives.h"
#include "gui/app/main_window_context.h"

namespace zvc {

// The operations of the calibration and verification items of "Данные  хроматографа".

// The controller's clock, the period dialog, the reading, then the view.
void readCheckArchive(const MainWindowContext& context, CheckArchive archive);
// A saved ".clb" or ".vrf" chosen in the open dialog, shown in its view.
void viewCheckFile(const MainWindowContext& context, CheckArchive archive);

}  // namespace zvc
