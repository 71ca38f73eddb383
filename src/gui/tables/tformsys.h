#pragma once

#include "core/tables/system_parameters.h"
#include "gui/tables/section_dialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;

namespace zvc {

// "Системные параметры контроллера": contract hour, connected instruments and the summer- and
// winter-time transitions of table 6.
class TFormSys : public SectionDialog {
  Q_OBJECT

 public:
  TFormSys(SystemSection section, SectionMode mode, Frontend& frontend, QWidget* parent = nullptr);

 protected:
  std::optional<InputError> store() override;

 private:
  // The group of one transition.
  struct Transition {
    const TransitionKind* kind = nullptr;
    QGroupBox* group = nullptr;
    QComboBox* month = nullptr;
    QFormLayout* details = nullptr;
    QButtonGroup* ruleKind = nullptr;
    QComboBox* day = nullptr;
    QComboBox* ordinal = nullptr;
    QComboBox* weekday = nullptr;
    QComboBox* hour = nullptr;
  };

  void buildTransition(Transition& transition, const TransitionKind& kind,
                       const TransitionInput& shown, const char* name);
  // Shows what the chosen month and day-rule kind leave to choose.
  void showTransitionRows(Transition& transition);
  void monthChanged(Transition& transition);
  TransitionInput transitionInput(const Transition& transition) const;

  SystemSection section_;
  QComboBox* contractHour_ = nullptr;
  QCheckBox* chromatograph_ = nullptr;
  QCheckBox* moistureMeter_ = nullptr;
  QCheckBox* flowComputers_ = nullptr;
  Transition summer_;
  Transition winter_;
};

}  // namespace zvc
