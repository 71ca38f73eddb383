#include "gui/tables/controller_parameters_menu.h"

#include <vector>

#include "core/tables/chromatograph_serial.h"
#include "core/tables/config_image.h"
#include "core/tables/controller_clock.h"
#include "core/tables/identification_view.h"
#include "core/tables/names_section.h"
#include "core/tables/system_parameters.h"
#include "core/tables/time_sync_section.h"
#include "gui/tables/parameter_lines_view.h"
#include "gui/tables/section_edit.h"
#include "gui/tables/tformcontrdt.h"
#include "gui/tables/tformcontrname.h"
#include "gui/tables/tformsinhr.h"
#include "gui/tables/tformsys.h"

namespace zvc {
namespace {

constexpr TableRange kIdentificationRange{0, 0, kIdentificationBytes};
constexpr TableRange kSystemRange{6, 0, kSystemParameterBytes};

}  // namespace

void showIdentification(const MainWindowContext& context) {
  if (!context.tables.readTableRange(kIdentificationRange)) return;
  const auto bytes = context.image.table(0).first<kIdentificationBytes>();
  ParameterLinesView(kIdentificationCaption, identificationView(bytes, true), context.window)
      .exec();
}

void editControllerNames(const MainWindowContext& context) {
  if (!context.tables.readNames()) return;
  const NamesSection names = namesSection(context.image);
  const std::vector<std::uint8_t> old(names.begin(), names.end());
  TFormContrName dialog(names, SectionMode::kWrite, context.frontend, context.window);
  if (dialog.exec() != QDialog::Accepted) return;
  if (context.tables.writeChangedNames(old)) context.applyMenuRules();
}

void editSystemParameters(const MainWindowContext& context) {
  if (editTableRange<TFormSys, kSystemParameterBytes>(context, kSystemRange)) {
    context.applyMenuRules();
  }
}

void editTimeSync(const MainWindowContext& context) {
  TimeSyncEdit edit(context.tables);
  if (!edit.read()) return;
  TFormSinhr dialog(edit.section(), SectionMode::kWrite, context.frontend, context.window);
  if (dialog.exec() == QDialog::Accepted) edit.write();
}

void showDateAndTime(const MainWindowContext& context) {
  const std::optional<ClockReading> reading = readControllerClock(context.tables);
  if (!reading) return;
  TFormContrDt dialog(*reading, context.image.table(6).first<kSystemParameterBytes>(),
                      computerSyncAllowed(context.tables), context.window);
  if (dialog.exec() != QDialog::Accepted) return;
  correctControllerClock(context.tables, *reading);
}

void showChromatographSerialNumber(const MainWindowContext& context) {
  if (!readChromatographSerial(context.tables)) return;
  ParameterLinesView(kChromatographSerialCaption, chromatographSerialLines(context.image),
                     context.window)
      .exec();
}

}  // namespace zvc
