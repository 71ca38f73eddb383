#include "gui/tables/live_data_menu.h"

#include "core/tables/table_state_dialog.h"
#include "gui/app/gui_frontend.h"
#include "gui/tables/tformchrom_momdata.h"
#include "gui/tables/tformsit.h"
#include "gui/tables/tformtableinfo.h"
#include "gui/tables/tformwmt_momdata.h"

namespace zvc {

void showChromatographMomentaryData(const MainWindowContext& context, int run) {
  if (!instrumentLinkPresent(context.tables, Instrument::kChromatograph)) return;
  ensureChromatographSerial(context.tables);
  TFormChrom_MomData(context.tables, run, context.window).exec();
  context.frontend.startMessageTimer();
}

void showMoistureMeterMomentaryData(const MainWindowContext& context) {
  if (!instrumentLinkPresent(context.tables, Instrument::kMoistureMeter)) return;
  TFormWmt_MomData(context.tables, context.window).exec();
  context.frontend.startMessageTimer();
}

bool showControllerState(const MainWindowContext& context) {
  int result = kTableStateExit;
  while (result == kTableStateExit) {
    TableStateBlock block;
    if (TFormSit(context.tables, block, context.window).exec() != TFormSit::kTableStatesAsked) {
      break;
    }
    result = TFormTableInfo(block, context.tables, context.window).exec();
  }
  context.applyMenuRules();
  return result == kNonVolatileDataReset;
}

}  // namespace zvc
