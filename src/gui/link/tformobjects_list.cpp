#include "gui/link/tformobjects_list.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/common/format.h"
#include "core/ui/frontend.h"
#include "gui/link/tformobject.h"

namespace zvc {
namespace {

constexpr int kQuestionKind = 3;
enum Column { kRowColumn, kNameColumn, kColumnCount };

QTableWidgetItem* cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return item;
}

}  // namespace

TFormObjects_List::TFormObjects_List(ObjectList& list, std::filesystem::path file,
                                     Frontend& frontend, QWidget* parent)
    : QDialog(parent), list_(list), kept_(list), file_(std::move(file)), frontend_(frontend) {
  setWindowTitle(" Список объектов");
  grid_ = new QTableWidget(0, kColumnCount, this);
  grid_->setObjectName("grid");
  grid_->setHorizontalHeaderLabels({"№", "Наименование"});
  grid_->verticalHeader()->hide();
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);

  change_ = new QPushButton("Изменить", this);
  add_ = new QPushButton("Добавить", this);
  delete_ = new QPushButton("Удалить", this);
  auto* accept = new QPushButton("Принять", this);
  auto* cancel = new QPushButton("Отменить", this);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {change_, add_, delete_}) buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(accept);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addLayout(buttons);
  resize(520, 400);

  // Clicks and cursor keys alike choose the entry.
  connect(grid_, &QTableWidget::currentCellChanged, this, &TFormObjects_List::rowChosen);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
    rowChosen(row);
    changeClicked();
  });
  connect(change_, &QPushButton::clicked, this, &TFormObjects_List::changeClicked);
  connect(add_, &QPushButton::clicked, this, &TFormObjects_List::addClicked);
  connect(delete_, &QPushButton::clicked, this, &TFormObjects_List::deleteClicked);
  connect(accept, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  fillGrid();
}

void TFormObjects_List::done(int result) {
  if (result == QDialog::Accepted) {
    if (list_ != kept_) writeObjects(file_, list_);
  } else {
    list_ = kept_;
  }
  QDialog::done(result);
}

void TFormObjects_List::fillGrid() {
  SortObjects(list_);
  const QSignalBlocker quiet(grid_);
  grid_->clearSelection();
  grid_->setRowCount(list_.count);
  for (int row = 0; row < list_.count; ++row) {
    grid_->setItem(row, kRowColumn, cell(QString::fromStdString(format("  %d", row + 1))));
    grid_->setItem(row, kNameColumn, cell(QString::fromStdString(list_.names[row])));
  }
  const bool any = canChangeObject(list_);
  if (any) grid_->selectRow(list_.selected);
  change_->setEnabled(any);
  delete_->setEnabled(any && canRemoveObject(list_));
  add_->setEnabled(canAddObject(list_));
}

void TFormObjects_List::rowChosen(int row) {
  if (row >= 0 && row < list_.count) list_.selected = static_cast<std::uint8_t>(row);
}

void TFormObjects_List::changeClicked() {
  if (!canChangeObject(list_) || list_.selected >= list_.count) return;
  TFormObject dialog(list_.names[list_.selected], frontend_, this);
  if (dialog.exec() == QDialog::Accepted) fillGrid();
}

void TFormObjects_List::addClicked() {
  if (!canAddObject(list_)) return;
  std::string name;  // a cleared slot
  TFormObject dialog(name, frontend_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  addObject(list_, name);
  fillGrid();
}

void TFormObjects_List::deleteClicked() {
  if (!canRemoveObject(list_) ||
      !frontend_.showMessage(kQuestionKind, "Вы действительно хотите", "удалить этот объект?")) {
    return;
  }
  removeSelectedObject(list_);
  fillGrid();
}

}  // namespace zvc
