#include "gui/tables/gas_parameters_menu.h"

#include <algorithm>
#include <array>

#include "core/tables/gas_parameter_sections.h"
#include "gui/tables/section_edit.h"
#include "gui/tables/tformconst.h"
#include "gui/tables/tformdistr.h"
#include "gui/tables/tformdistrpar.h"
#include "gui/tables/tformlimit.h"
#include "gui/tables/tformparlist.h"

namespace zvc {
namespace {

constexpr std::uint8_t kWriteNeedTable = 21;
constexpr TableRange kPeriodRange{28, 0, kPeriodBytes};

}  // namespace

void editGasParameterLimits(const MainWindowContext& context, int kind) {
  ParameterTableEdit edit(context.tables, limitTable(kind));
  if (!edit.read()) return;
  TFormLimit dialog(kind, measuredParameters(context.tables), edit.section<kLimitBytes>(),
                    SectionMode::kWrite, context.frontend, context.window);
  if (dialog.exec() == QDialog::Accepted) edit.write();
}

void editWriteNeed(const MainWindowContext& context) {
  ParameterTableEdit edit(context.tables, kWriteNeedTable);
  if (!edit.read()) return;
  TFormDistr dialog(measuredParameters(context.tables), edit.section<kWriteNeedBytes>(),
                    SectionMode::kWrite, context.frontend, context.window);
  if (dialog.exec() == QDialog::Accepted) edit.write();
}

void editWritePeriod(const MainWindowContext& context) {
  editTableRange<TFormDistrPar, kPeriodBytes>(context, kPeriodRange);
}

void editConstants(const MainWindowContext& context, int run) {
  ConstantsEdit edit(context.tables, run);
  if (!edit.read()) return;
  TFormConst dialog(run, measuredParameters(context.tables), edit.section(), SectionMode::kWrite,
                    context.frontend, context.window);
  if (dialog.exec() == QDialog::Accepted) edit.write();
}

bool editParameterList(Frontend& frontend, std::uint8_t& count,
                       std::span<std::uint8_t, kParameterBytes> parameters, QWidget* parent) {
  std::array<std::uint8_t, kParameterListBytes> block{};
  block[0] = count;
  std::ranges::copy(parameters, block.begin() + 1);
  TFormParList dialog(block, frontend, parent);
  if (dialog.exec() != QDialog::Accepted || !dialog.changed()) return false;
  count = block[0];
  std::ranges::copy(block.begin() + 1, block.end(), parameters.begin());
  return true;
}

}  // namespace zvc
