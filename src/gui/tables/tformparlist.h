#pragma once

#include <array>

#include "core/tables/measured_parameters.h"
#include "gui/tables/entry_list_dialog.h"

class QLabel;

namespace zvc {

// "Перечень параметров для чтения ": the measured parameters the controller reads from the
// chromatograph (byte 0 the count, then the records of table 1). Each record is edited in
// TFormPar; "Принять" puts the list into the block, changed() tells whether it differs.
class TFormParList : public EntryListDialog {
  Q_OBJECT

 public:
  TFormParList(ParameterListBlock block, Frontend& frontend, QWidget* parent = nullptr);

  bool changed() const { return changed_; }

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
  ParameterRecord record(int entry);
  void showCount();

  ParameterListBlock block_;
  std::array<std::uint8_t, kParameterListBytes> edited_{};
  bool changed_ = false;
  QLabel* count_ = nullptr;
};

}  // namespace zvc
