#pragma once

#include "core/reports/passport_reader.h"
#include "gui/app/main_window_context.h"

namespace zvc {

// "Паспорт ЖВЦ показателей за сутки / за месяц" of run 0 or 1: (monthly: the template gate,) the
// daily archive's range, the report date dialog, the reading with its checks, then the passport
// written under its progress window.
void runPassport(const MainWindowContext& context, PassportMode mode, int run);

}  // namespace zvc
