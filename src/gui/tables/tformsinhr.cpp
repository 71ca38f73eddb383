#include "gui/tables/tformsinhr.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

QGroupBox* group(QWidget* parent, std::string_view caption,
                 const std::array<QCheckBox*, 2>& boxes) {
  auto* frame = new QGroupBox(qtText(caption), parent);
  auto* column = new QVBoxLayout(frame);
  for (QCheckBox* box : boxes) {
    box->setParent(frame);
    column->addWidget(box);
  }
  return frame;
}

}  // namespace

TFormSinhr::TFormSinhr(TimeSyncSection section, SectionMode mode, Frontend& frontend,
                       QWidget* parent)
    : SectionDialog(mode, frontend, parent), section_(section) {
  setWindowTitle(qtText(kTimeSyncCaption));
  const TimeSyncInput shown = timeSyncInput(section_);
  const std::string_view controllerLabels[] = {kWithFlowComputerLabel, kWithComputerLabel};
  const std::string_view chromatographLabels[] = {kChromatographWithFlowComputerLabel,
                                                  kChromatographWithComputerLabel};
  for (int source = 0; source < 2; ++source) {
    controller_[source] = new QCheckBox(qtText(controllerLabels[source]));
    controller_[source]->setObjectName(QString("controller%1").arg(source));
    controller_[source]->setChecked(shown.controller[source]);
    chromatograph_[source] = new QCheckBox(qtText(chromatographLabels[source]));
    chromatograph_[source]->setObjectName(QString("chromatograph%1").arg(source));
    chromatograph_[source]->setChecked(shown.chromatograph[source]);
    chromatograph_[source]->setEnabled(shown.controller[source]);
    connect(controller_[source], &QCheckBox::toggled, this,
            [this, source](bool ticked) { controllerToggled(source, ticked); });
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group(this, kControllerSyncGroup, controller_));
  layout->addWidget(group(this, kChromatographSyncGroup, chromatograph_));
  addButtonRow(layout);
}

void TFormSinhr::controllerToggled(int source, bool ticked) {
  if (!ticked) chromatograph_[source]->setChecked(false);
  chromatograph_[source]->setEnabled(ticked);
}

std::optional<InputError> TFormSinhr::store() {
  TimeSyncInput input;
  for (int source = 0; source < 2; ++source) {
    input.controller[source] = controller_[source]->isChecked();
    input.chromatograph[source] = chromatograph_[source]->isChecked();
  }
  acceptTimeSync(input, section_);
  return std::nullopt;
}

}  // namespace zvc
