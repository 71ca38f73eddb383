#include "gui/tables/tformchrom_momdata.h"

#include <QLineEdit>
#include <QTableWidget>

#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr std::chrono::seconds kMomentaryInterval{10};

}  // namespace

TFormChrom_MomData::TFormChrom_MomData(TableService& tables, int run, QWidget* parent)
    : LiveView(tables, kMomentaryInterval, parent), run_(run) {
  setObjectName("FormChrom_MomData");
  setWindowTitle(qtText(momentaryViewTitle(tables.image(), run)));
  grid_ = dataGrid(this, "values", {qtText(kParameterNameHeading), qtText(kValueHeading), "Зона"},
                   kMomentaryParameters);
  pollTime_ = layOutGrid(grid_, kLastPollLabel, "pollTime");
  showData();
  grid_->resizeColumnsToContents();
  grid_->setColumnWidth(1, 130);
  grid_->setColumnWidth(2, 290);
  resize(1000, 640);
}

void TFormChrom_MomData::poll() {
  if (!tables().readTableRange(momentaryRange(run_), false)) return;
  read_ = true;
  tables().readTableRange(zonesRange(run_), false);
  showData();
}

void TFormChrom_MomData::showData() {
  const ConfigImage& image = tables().image();
  const std::vector<DataLine> lines = momentaryLines(image, run_, true);
  for (int k = 0; k < kMomentaryParameters; ++k) {
    const DataLine& value = lines[2 * k];
    const DataLine& zone = lines[2 * k + 1];
    const bool shown = value.enabled && read_;
    setDataCell(grid_, k, 0, value.label, DataColour::kBlack, value.enabled);
    setDataCell(grid_, k, 1, shown ? value.value : "", value.colour, value.enabled);
    setDataCell(grid_, k, 2, shown ? zone.value : "", zone.colour, zone.enabled);
  }
  if (read_) {
    pollTime_->setText(qtText(momentaryDateTime(image.table(momentaryRange(run_).table))));
  }
}

}  // namespace zvc
