#include "gui/tables/tformwmt_momdata.h"

#include <QLineEdit>
#include <QTableWidget>

#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr std::chrono::seconds kMomentaryInterval{10};

}  // namespace

TFormWmt_MomData::TFormWmt_MomData(TableService& tables, QWidget* parent)
    : LiveView(tables, kMomentaryInterval, parent) {
  setObjectName("FormWmt_MomData");
  setWindowTitle(qtText(kMoistureTitle));
  const int rows = static_cast<int>(moistureLines(tables.image()).size());
  grid_ = dataGrid(this, "values", {qtText(kParameterNameHeading), qtText(kValueHeading)}, rows);
  dataTime_ = layOutGrid(grid_, kMoistureTimeLabel, "dataTime");
  showData();
  grid_->setColumnWidth(1, 130);
  resize(900, 300);
}

void TFormWmt_MomData::poll() {
  if (!pollMoisture(tables())) return;
  read_ = true;
  showData();
}

void TFormWmt_MomData::showData() {
  const std::vector<DataLine> lines = moistureLines(tables().image());
  for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
    setDataCell(grid_, row, 0, lines[row].label, DataColour::kBlack, true);
    setDataCell(grid_, row, 1, read_ ? lines[row].value : "", lines[row].colour, true);
  }
  if (read_) {
    dataTime_->setText(
        qtText(momentaryDateTime(tables().image().table(kMoistureMomentaryRange.table))));
  }
}

}  // namespace zvc
