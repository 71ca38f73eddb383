#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "core/tables/chromatograph_link_section.h"
#include "gui/tables/section_dialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

namespace zvc {

// Edits the list of measured parameters (table 1) for the given count; true when the list was
// accepted, count and parameters then hold the new list.
using ParameterListEditor = std::function<bool(
    std::uint8_t& count, std::span<std::uint8_t, kParameterBytes> parameters, QWidget* parent)>;

// " Параметры связи с хроматографом ": the MODBUS link to the chromatograph, the runs it serves
// and, with flow computers present, which flow computer supplies each run's gas temperature
// (table 14). The measured parameters (table 1) are edited through "Перечень параметров для
// чтения " when a list editor is given; both are stored only on confirmation.
class TFormConKPS : public SectionDialog {
  Q_OBJECT

 public:
  TFormConKPS(ChromatographLinkSection section, ChromatographLinkContext context, SectionMode mode,
              Frontend& frontend, QWidget* parent = nullptr,
              ParameterListEditor editParameters = {});

 protected:
  std::optional<InputError> store() override;

 private:
  void buildRun(int run, const ChromatographLinkInput& shown);
  void runToggled(int run, bool ticked);
  void parameterListClicked();
  ChromatographLinkInput input() const;

  ChromatographLinkSection section_;
  ChromatographLinkContext context_;
  ParameterListEditor editParameters_;
  std::array<std::uint8_t, kParameterBytes> parameters_{};
  QComboBox* address_ = nullptr;
  QComboBox* rate_ = nullptr;
  QComboBox* mode_ = nullptr;
  QComboBox* parity_ = nullptr;
  QComboBox* timeout_ = nullptr;
  QComboBox* failures_ = nullptr;
  QComboBox* type_ = nullptr;
  QComboBox* parameterCount_ = nullptr;
  QPushButton* parameterList_ = nullptr;
  std::array<QCheckBox*, 2> runs_{};
  std::array<QGroupBox*, 2> sources_{};
  std::array<QComboBox*, 2> flowComputers_{};
  std::array<QComboBox*, 2> pipelines_{};
};

}  // namespace zvc
