#pragma once

#include <array>

#include "core/tables/flow_computers_section.h"
#include "gui/tables/section_dialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace zvc {

// "Параметры вычислителя расхода газа № %d": one flow computer of the list - address, type,
// byte order, the pipelines it receives gas parameters for with the chromatograph run feeding
// each, and its write password, plain or in the "SOU" form. "Принять" stores into the record.
class TFormVich : public SectionDialog {
  Q_OBJECT

 public:
  TFormVich(FlowComputerRecord& record, int number, bool sou, std::uint8_t runsInUse,
            Frontend& frontend, QWidget* parent = nullptr);

  bool sou() const;
  bool passwordChanged() const { return passwordChanged_; }

 protected:
  std::optional<InputError> store() override;

 private:
  struct Pipeline {
    QCheckBox* box;
    QButtonGroup* runs;
    std::array<QRadioButton*, 2> choices;
  };

  QWidget* buildPipelines();
  QWidget* buildPassword(const FlowComputerInput& shown);
  void typeChosen();
  void pipelineToggled(int pipeline, bool ticked);
  void showPasswordForm();
  void clearRuns(int pipeline);
  FlowComputerInput input() const;

  FlowComputerRecord& record_;
  std::uint8_t runsInUse_;
  bool passwordChanged_ = false;
  QComboBox* address_ = nullptr;
  QComboBox* type_ = nullptr;
  QComboBox* byteOrder_ = nullptr;
  std::array<Pipeline, kPipelines> pipelines_{};
  QCheckBox* sou_ = nullptr;
  QLabel* passwordHint_ = nullptr;
  QLineEdit* password_ = nullptr;
  QWidget* codeRow_ = nullptr;
  QLineEdit* code_ = nullptr;
};

}  // namespace zvc
