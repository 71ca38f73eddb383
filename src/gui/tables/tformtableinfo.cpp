#include "gui/tables/tformtableinfo.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/link/kpsbox.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/tables/table_state_dialog.h"
#include "core/ui/frontend.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr int kCaptionColumn = 0;
constexpr int kStateColumn = 1;
constexpr int kWriteColumn = 2;
constexpr int kInputError = 2;

}  // namespace

TFormTableInfo::TFormTableInfo(TableStateBlock& block, TableService& service, QWidget* parent)
    : QDialog(parent), block_(block), service_(service) {
  setWindowTitle("Состояние таблиц параметров конфигурации");
  tables_ = new QTableWidget(this);
  tables_->setColumnCount(3);
  tables_->horizontalHeader()->hide();
  tables_->verticalHeader()->hide();
  tables_->setSelectionMode(QAbstractItemView::NoSelection);
  tables_->setEditTriggers(QAbstractItemView::NoEditTriggers);

  writeAllButton_ = new QPushButton("Записать все таблицы", this);
  writeSelectedButton_ = new QPushButton("Записать избранные таблицы", this);
  resetButton_ = new QPushButton("Сбросить энергонезависимые данные", this);
  auto* exitButton = new QPushButton("Выход", this);
  connect(writeAllButton_, &QPushButton::clicked, this, &TFormTableInfo::WriteAllClick);
  connect(writeSelectedButton_, &QPushButton::clicked, this, &TFormTableInfo::WriteSelectedClick);
  connect(resetButton_, &QPushButton::clicked, this, &TFormTableInfo::ResetClick);
  connect(exitButton, &QPushButton::clicked, this, [this] { done(kTableStateExit); });

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {writeAllButton_, writeSelectedButton_, resetButton_, exitButton}) {
    buttons->addWidget(button);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tables_);
  layout->addLayout(buttons);
  fillRows();
  resize(760, 620);
}

void TFormTableInfo::fillRows() {
  const int version = service_.image().field(0, 3)[0];
  const bool directLine = service_.engine().linkType == kpsbox::kDirectLine;
  const TableStateView view = tableStateView(block_, version, directLine);
  tables_->setRowCount(static_cast<int>(view.rows.size()));
  rowTables_.clear();
  for (const TableStateRow& row : view.rows) {
    const int at = static_cast<int>(rowTables_.size());
    rowTables_.push_back(row.table);
    tables_->setItem(at, kCaptionColumn, new QTableWidgetItem(qtText(row.caption)));
    auto* state = new QTableWidgetItem(qtText(row.state));
    state->setTextAlignment(Qt::AlignCenter);
    if (row.destroyed) state->setForeground(QBrush(Qt::red));
    tables_->setItem(at, kStateColumn, state);
    auto* write = new QTableWidgetItem;
    write->setFlags(row.tickEnabled ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled
                                    : Qt::ItemIsUserCheckable);
    write->setCheckState(row.ticked ? Qt::Checked : Qt::Unchecked);
    tables_->setItem(at, kWriteColumn, write);
  }
  tables_->resizeColumnsToContents();
  writeAllButton_->setEnabled(view.writeAllEnabled);
  writeSelectedButton_->setEnabled(view.writeSelectedEnabled);
  resetButton_->setEnabled(view.resetEnabled);
}

void TFormTableInfo::WriteSelectedClick() {
  TableTicks ticks{};
  for (int at = 0; at < static_cast<int>(rowTables_.size()); ++at) {
    ticks[rowTables_[at]] = tables_->item(at, kWriteColumn)->checkState() == Qt::Checked;
  }
  if (const auto error = selectTablesToWrite(block_, ticks)) {
    service_.frontend().showMessage(kInputError, error->line1, error->line2);
    return;
  }
  done(kWriteSelectedTables);
}

void TFormTableInfo::WriteAllClick() {
  selectAllTablesToWrite(block_);
  done(kWriteAllTables);
}

void TFormTableInfo::ResetClick() {
  if (!service_.resetNonVolatileData()) return;
  resetButton_->setEnabled(false);
  done(kNonVolatileDataReset);
}

}  // namespace zvc
