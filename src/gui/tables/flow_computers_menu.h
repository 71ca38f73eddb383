#pragma once

#include "core/tables/table_edit.h"
#include "gui/app/main_window_context.h"

namespace zvc {

// "Параметры вычислителей": the flow computers' count, records and entered passwords.
void editFlowComputers(const MainWindowContext& context);

// The flow-computer link dialog raised the number of flow computers: their parameters are
// entered first, then table 9 (link, as edited) and the flow-computer tables are written. On
// "Нет" or cancel nothing is written and the link is put back as read.
void writeGrownFlowComputerLink(const MainWindowContext& context, TableEdit& link);

}  // namespace zvc
