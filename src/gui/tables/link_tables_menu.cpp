#include "gui/tables/link_tables_menu.h"

#include "core/app/program_settings.h"
#include "core/link/kpsbox.h"
#include "core/tables/chromatograph_link_section.h"
#include "core/tables/config_image.h"
#include "core/tables/ethernet_section.h"
#include "core/tables/flow_computer_link_section.h"
#include "core/tables/moisture_meter_link_section.h"
#include "core/tables/upper_link_section.h"
#include "core/ui/connection_state.h"
#include "gui/tables/flow_computers_menu.h"
#include "gui/tables/gas_parameters_menu.h"
#include "gui/tables/section_edit.h"
#include "gui/tables/tformconkps.h"
#include "gui/tables/tformconnwmt.h"
#include "gui/tables/tformconvu.h"
#include "gui/tables/tformethernet.h"
#include "gui/tables/tformvrgconn.h"

namespace zvc {
namespace {

constexpr int kOtherRatesField = 11;  // table 0: the controller can change its rate

constexpr TableRange kUpperLinkRange{3, 0, kUpperLinkBytes};
constexpr TableRange kFlowComputerLinkRange{9, 0, kFlowComputerLinkBytes};
constexpr TableRange kMoistureMeterLinkRange{15, 0, kMoistureMeterLinkBytes};
constexpr TableRange kEthernetRange{29, 0, 7};

}  // namespace

void editUpperLink(const MainWindowContext& context) {
  TableEdit edit(context.tables, kUpperLinkRange);
  if (!edit.read()) return;
  const bool directLine = context.state.engine->linkType == kpsbox::kDirectLine;
  const bool rateEditable = upperLinkRateEditable(SectionMode::kWrite, directLine,
                                                  context.image.field(0, kOtherRatesField)[0]);
  TFormConVU dialog(edit.section<kUpperLinkBytes>(), SectionMode::kWrite, rateEditable,
                    context.frontend, context.window);
  if (dialog.exec() != QDialog::Accepted || !edit.changed()) return;
  writeUpperLink(context.tables, edit.oldCopy());
  // A controller at a new address is reached only with the new settings: keep them at once.
  context.settings.save();
}

void editFlowComputerLink(const MainWindowContext& context) {
  TableEdit edit(context.tables, kFlowComputerLinkRange);
  if (!edit.read()) return;
  TFormVrgConn dialog(edit.section<kFlowComputerLinkBytes>(), SectionMode::kWrite, context.frontend,
                      context.window);
  if (dialog.exec() != QDialog::Accepted) return;
  if (flowComputerCountGrows(edit.oldCopy(), edit.section<kFlowComputerLinkBytes>())) {
    writeGrownFlowComputerLink(context, edit);
    return;
  }
  edit.writeChanges();
}

void editChromatographLink(const MainWindowContext& context) {
  ChromatographLinkEdit edit(context.tables);
  if (!edit.read()) return;
  TFormConKPS dialog(edit.section(), edit.context(), SectionMode::kWrite, context.frontend,
                     context.window, [&context](std::uint8_t& count, auto parameters, QWidget* parent) {
                       return editParameterList(context.frontend, count, parameters, parent);
                     });
  if (dialog.exec() != QDialog::Accepted || !edit.writeLink()) return;
  context.applyMenuRules();
  edit.writeParameters();
}

void editMoistureMeterLink(const MainWindowContext& context) {
  editTableRange<TFormConnWMT, kMoistureMeterLinkBytes>(context, kMoistureMeterLinkRange);
}

void editEthernet(const MainWindowContext& context) {
  editTableRange<TFormEthernet, kEthernetBytes>(context, kEthernetRange);
}

}  // namespace zvc
