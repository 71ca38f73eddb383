#pragma once

#include "core/tables/flow_computers_section.h"
#include "gui/tables/entry_list_dialog.h"

namespace zvc {

// "Параметры вычислителей расхода газа": the list of flow computers (tables 17..20 and 13).
// Each entry is edited in TFormVich; the confirm button checks the whole list (addresses valid
// and unique) and leaves the edited entries, their "SOU" forms and password-changed flags in list.
class TFormCurrVich : public EntryListDialog {
  Q_OBJECT

 public:
  TFormCurrVich(FlowComputerList& list, std::uint8_t runsInUse, SectionMode mode,
                Frontend& frontend, QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;
  std::vector<std::vector<std::string>> rows() const override;
  bool canAdd() const override;
  bool canRemove() const override;
  bool addEntry() override;
  void changeEntry(int entry) override;
  std::array<std::string, 2> removeQuestion(int entry) const override;
  void removeEntry(int entry) override;

 private:
  FlowComputerList& list_;
  FlowComputerList edited_;
  std::uint8_t runsInUse_;
};

}  // namespace zvc
