#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "core/tables/config_record.h"
#include "core/tables/gas_parameter_sections.h"
#include "core/tables/parameter_section.h"

class QPushButton;
class QVBoxLayout;

namespace zvc {

class Frontend;

// The configuration editor: one button per section of a configuration record, each opening the
// section's dialog in accept mode on the record itself, so nothing reaches the controller from
// here. "Принять" (accept mode) or "Записать в устройство" (write mode, a restore) closes it
// accepted; "Отменить" puts the record back as it came.
class TFormConfig : public QDialog {
  Q_OBJECT

 public:
  TFormConfig(ConfigFileRecord& record, SectionMode mode, Frontend& frontend,
              QWidget* parent = nullptr);

  // The record differs from what it was when the editor opened.
  bool changed() const { return record_ != original_; }

 protected:
  void reject() override;

 private:
  using Open = std::function<void()>;
  QPushButton* addSection(QVBoxLayout* layout, const char* caption, const char* name, Open open);
  QPushButton* addSection(QVBoxLayout* layout, const char* caption, const char* name,
                          void (TFormConfig::*open)());
  void addGasParameterSections(QVBoxLayout* layout);
  void rebuildCaption();
  // The flow-computer buttons follow byte 1602, the moisture-meter button byte 1601.
  void applyInstrumentRules();

  void openIdentification();
  void openNames();
  void openSystem();
  void openTimeSync();
  void openUpperLink();
  void openFlowComputerLink();
  void openChromatographLink();
  void openMoistureMeterLink();
  void openEthernet();
  void openFlowComputers();
  void openWriteNeed();
  void openWritePeriod();
  void openLimits(int kind);
  void openConstants(int run);
  void openUsers();
  MeasuredParameters measuredParameters() const;

  ConfigFileRecord& record_;
  const ConfigFileRecord original_;
  Frontend& frontend_;
  std::vector<QPushButton*> flowComputerButtons_;
  QPushButton* moistureMeterButton_ = nullptr;
};

}  // namespace zvc
