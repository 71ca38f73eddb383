#include "gui/tables/tformsit.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/tables/config_image.h"
#include "core/tables/controller_state.h"
#include "core/tables/table_service.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr std::chrono::seconds kStateInterval{1};
constexpr TableRange kTableStatesRange{7, 0, TableCatalogue::kTableCount};

QString colouredText(const DataLine& line) {
  const char* colour = line.colour == DataColour::kRed ? "red" : "black";
  return QString("<span style=\"color:%1\">%2</span>")
      .arg(colour, qtText(line.value).toHtmlEscaped());
}

}  // namespace

TFormSit::TFormSit(TableService& tables, TableStateBlock& block, QWidget* parent)
    : LiveView(tables, kStateInterval, parent), block_(block) {
  setObjectName("FormSit");
  setWindowTitle(qtText(kControllerStateTitle));
  auto* grid = new QGridLayout;
  const std::vector<DataLine> lines = controllerStateLines(tables.image());
  for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
    auto* label = new QLabel(qtText(lines[row].label), this);
    auto* value = new QLabel(this);
    value->setObjectName(QString("value%1").arg(row));
    value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    value->setMinimumWidth(160);
    grid->addWidget(label, row, 0);
    grid->addWidget(value, row, 1);
    rows_.push_back({label, value});
  }
  flowComputers_ = new QPushButton(qtText(kFlowComputerStateTitle), this);
  flowComputers_->setObjectName("flowComputers");
  tableStates_ = new QPushButton("Состояние таблиц параметров конфигурации", this);
  tableStates_->setObjectName("tableStates");
  connect(flowComputers_, &QPushButton::clicked, this, &TFormSit::FlowComputersClick);
  connect(tableStates_, &QPushButton::clicked, this, &TFormSit::TableStatesClick);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  auto* more = new QHBoxLayout;
  more->addWidget(flowComputers_);
  more->addWidget(tableStates_);
  layout->addLayout(more);
  addButtonRow(layout);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setButtonsEnabled(true);
}

void TFormSit::poll() {
  const bool read = pollControllerState(tables());
  if (read) showData();
}

void TFormSit::showData() {
  const std::vector<DataLine> lines = controllerStateLines(tables().image());
  for (std::size_t row = 0; row < lines.size(); ++row) {
    rows_[row][0]->setEnabled(lines[row].enabled);
    rows_[row][1]->setEnabled(lines[row].enabled);
    rows_[row][1]->setText(lines[row].enabled ? colouredText(lines[row]) : QString());
  }
}

void TFormSit::setButtonsEnabled(bool enabled) {
  flowComputers_->setEnabled(enabled && flowComputersPresent(tables().image()));
  tableStates_->setEnabled(enabled);
}

void TFormSit::FlowComputersClick() {
  poller().runBetweenPolls([this] {
    setButtonsEnabled(false);
    if (readFlowComputerState(tables())) TFormVichState(tables().image(), this).exec();
    setButtonsEnabled(true);
  });
}

void TFormSit::TableStatesClick() {
  poller().runBetweenPolls([this] {
    setButtonsEnabled(false);
    if (tables().readTableRange(kTableStatesRange)) {
      block_ = tableStateBlock(tables().image());
      done(kTableStatesAsked);
      return;
    }
    setButtonsEnabled(true);
  });
}

TFormVichState::TFormVichState(const ConfigImage& image, QWidget* parent) : QDialog(parent) {
  setObjectName("FormVichState");
  setWindowTitle(qtText(kFlowComputerStateTitle));
  const std::vector<FlowComputerStateRow> rows = flowComputerStateRows(image);
  QTableWidget* grid =
      dataGrid(this, "flowComputers",
               {qtText(kFlowComputerAddressHeading), qtText(kFlowComputerLinkHeading),
                qtText(kFlowComputerProcessHeading)},
               static_cast<int>(rows.size()));
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    setDataCell(grid, row, 0, rows[row].address, DataColour::kBlack, true);
    setDataCell(grid, row, 1, rows[row].link.value, rows[row].link.colour, true);
    setDataCell(grid, row, 2, rows[row].writing.value, rows[row].writing.colour, true);
  }
  grid->resizeColumnsToContents();
  grid->horizontalHeader()->setStretchLastSection(true);
  auto* exit = new QPushButton("Выход", this);
  connect(exit, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid);
  layout->addWidget(exit, 0, Qt::AlignCenter);
  resize(480, 360);
}

}  // namespace zvc
