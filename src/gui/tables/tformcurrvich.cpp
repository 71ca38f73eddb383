#include "gui/tables/tformcurrvich.h"

#include <QVBoxLayout>

#include "gui/tables/tformvich.h"
#include "gui/widgets/qt_text.h"

namespace zvc {

TFormCurrVich::TFormCurrVich(FlowComputerList& list, std::uint8_t runsInUse, SectionMode mode,
                             Frontend& frontend, QWidget* parent)
    : EntryListDialog(mode, frontend, parent), list_(list), edited_(list), runsInUse_(runsInUse) {
  setWindowTitle(qtText(kFlowComputerListCaption));
  auto* layout = new QVBoxLayout(this);
  buildList(layout, {kFlowComputerColumns.begin(), kFlowComputerColumns.end()});
  resize(720, 420);
}

std::vector<std::vector<std::string>> TFormCurrVich::rows() const {
  std::vector<std::vector<std::string>> rows;
  for (int entry = 0; entry < edited_.count(); ++entry) {
    const std::array<std::string, 4> row = flowComputerRow(edited_.record(entry));
    rows.emplace_back(row.begin(), row.end());
  }
  return rows;
}

bool TFormCurrVich::canAdd() const {
  return edited_.canAdd();
}

bool TFormCurrVich::canRemove() const {
  return edited_.canRemove();
}

bool TFormCurrVich::addEntry() {
  FlowComputerRecord record = newFlowComputer();
  TFormVich dialog(record, edited_.count() + 1, false, runsInUse_, frontend(), this);
  if (dialog.exec() != QDialog::Accepted) return false;
  edited_.add(record, dialog.sou());
  return true;
}

void TFormCurrVich::changeEntry(int entry) {
  FlowComputerRecord record = edited_.record(entry);
  TFormVich dialog(record, entry + 1, edited_.sou(entry), runsInUse_, frontend(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  edited_.replace(entry, record, dialog.sou(), dialog.passwordChanged());
}

std::array<std::string, 2> TFormCurrVich::removeQuestion(int entry) const {
  const InputError question = flowComputerRemoveQuestion(edited_.record(entry));
  return {question.line1, question.line2};
}

void TFormCurrVich::removeEntry(int entry) {
  edited_.remove(entry);
}

std::optional<InputError> TFormCurrVich::store() {
  if (auto error = edited_.check()) return error;
  list_ = edited_;
  return std::nullopt;
}

}  // namespace zvc
