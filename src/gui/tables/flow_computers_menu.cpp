#include "gui/tables/flow_computers_menu.h"

#include "core/tables/flow_computers_section.h"
#include "gui/app/gui_frontend.h"
#include "gui/tables/tformcurrvich.h"

namespace zvc {
namespace {

constexpr int kQuestionKind = 3;

// The list dialog over the records just read; true when it was confirmed, the list then in the
// image.
bool editList(const MainWindowContext& context, FlowComputersEdit& edit) {
  FlowComputerList list(edit.records());
  TFormCurrVich dialog(list, edit.runsInUse(), SectionMode::kWrite, context.frontend,
                       context.window);
  if (dialog.exec() != QDialog::Accepted) return false;
  edit.store(list);
  return true;
}

}  // namespace

void editFlowComputers(const MainWindowContext& context) {
  FlowComputersEdit edit(context.tables);
  if (!edit.read() || !editList(context, edit)) return;
  edit.write();
}

void writeGrownFlowComputerLink(const MainWindowContext& context, TableEdit& link) {
  const int count = link.section()[0];
  const bool enterNow = context.frontend.showMessage(
      kQuestionKind, "Количество вычислителей не может быть увеличено",
      "без ввода их параметров. Выполнить ввод параметров сейчас?");
  FlowComputersEdit edit(context.tables);
  if (!enterNow || !edit.readRecords(count) || !editList(context, edit)) {
    link.restore();
    return;
  }
  if (link.writeChanges()) edit.writeRecords();
}

}  // namespace zvc
