#include "gui/link/tformabonents_list.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/common/format.h"
#include "core/ui/frontend.h"
#include "gui/link/tformabonent.h"

namespace zvc {
namespace {

constexpr int kQuestionKind = 3;
enum Column { kRowColumn, kNameColumn, kAddressColumn, kNumberColumn, kColumnCount };

QString numberText(const PhoneSubscriber& entry) {
  return QString::fromStdString(entry.phone);
}

QString numberText(const EthernetSubscriber& entry) {
  return QString::fromStdString(ipPortText(entry));
}

QTableWidgetItem* cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return item;
}

template <typename Entry>
void fillRow(QTableWidget& grid, int row, const Entry& entry) {
  grid.setItem(row, kRowColumn, cell(QString::fromStdString(format("  %d", row + 1))));
  grid.setItem(row, kNameColumn, cell(QString::fromStdString(entry.name)));
  grid.setItem(row, kAddressColumn, cell(QString::number(entry.address)));
  grid.setItem(row, kNumberColumn, cell(numberText(entry)));
}

// An arrow button; its tooltip, which a screen reader reads too, says what it sorts by.
QPushButton* sortButton(QWidget* parent, const char* objectName, const QString& sortsBy) {
  auto* button = new QPushButton(parent);
  button->setObjectName(objectName);
  button->setIcon(parent->style()->standardIcon(QStyle::SP_ArrowDown));
  button->setToolTip(sortsBy);
  button->setAccessibleName(sortsBy);
  return button;
}

}  // namespace

TFormAbonents_List::TFormAbonents_List(PhoneSubscriberList& list, Frontend& frontend,
                                       QWidget* parent)
    : TFormAbonents_List(&list, "№ телефона", "Сортировать по номеру телефона", frontend, parent) {
  setWindowTitle("Список абонентов (связь по телефону)");
}

TFormAbonents_List::TFormAbonents_List(EthernetSubscriberList& list, Frontend& frontend,
                                       QWidget* parent)
    : TFormAbonents_List(&list, "IP-адрес:порт", "Сортировать по IP-адресу", frontend, parent) {
  setWindowTitle("Список абонентов (Ethernet-интерфейс)");
}

TFormAbonents_List::TFormAbonents_List(
    std::variant<PhoneSubscriberList*, EthernetSubscriberList*> original,
    const QString& numberColumn, const QString& numberSort, Frontend& frontend, QWidget* parent)
    : QDialog(parent), frontend_(frontend), original_(original) {
  std::visit([this](auto* list) { copy_ = *list; }, original_);

  sortByName_ = sortButton(this, "sortByName", "Сортировать по наименованию");
  sortByNumber_ = sortButton(this, "sortByNumber", numberSort);
  auto* sortRow = new QHBoxLayout;
  sortRow->addWidget(sortByName_);
  sortRow->addStretch();
  sortRow->addWidget(sortByNumber_);

  grid_ = new QTableWidget(0, kColumnCount, this);
  grid_->setObjectName("grid");
  grid_->setHorizontalHeaderLabels({"№", "Наименование", "Адрес", numberColumn});
  grid_->verticalHeader()->hide();
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
  grid_->horizontalHeader()->setSectionResizeMode(kNumberColumn, QHeaderView::Stretch);

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
  layout->addLayout(sortRow);
  layout->addWidget(grid_);
  layout->addLayout(buttons);
  resize(640, 420);

  connect(sortByName_, &QPushButton::clicked, this, [this] { setSortOrder(kSortByName); });
  connect(sortByNumber_, &QPushButton::clicked, this, [this] { setSortOrder(kSortByNumber); });
  // Clicks and cursor keys alike choose the entry.
  connect(grid_, &QTableWidget::currentCellChanged, this, &TFormAbonents_List::rowChosen);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
    rowChosen(row);
    changeClicked();
  });
  connect(change_, &QPushButton::clicked, this, &TFormAbonents_List::changeClicked);
  connect(add_, &QPushButton::clicked, this, &TFormAbonents_List::addClicked);
  connect(delete_, &QPushButton::clicked, this, &TFormAbonents_List::deleteClicked);
  connect(accept, &QPushButton::clicked, this, &TFormAbonents_List::acceptClicked);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  fillGrid();
}

void TFormAbonents_List::fillGrid() {
  withList([this](auto& list) {
    SortSubscribers(list);
    const QSignalBlocker quiet(grid_);
    grid_->clearSelection();
    grid_->setRowCount(list.count);
    for (int row = 0; row < list.count; ++row) fillRow(*grid_, row, list.entries[row]);
    const bool any = list.count > 0;
    if (any) grid_->selectRow(list.selected);
    change_->setEnabled(any);
    delete_->setEnabled(any);
    add_->setEnabled(canAddSubscriber(list));
    sortByName_->setEnabled(list.sortOrder != kSortByName);
    sortByNumber_->setEnabled(list.sortOrder != kSortByNumber);
  });
}

void TFormAbonents_List::setSortOrder(std::uint8_t order) {
  withList([order](auto& list) { list.sortOrder = order; });
  fillGrid();
}

void TFormAbonents_List::rowChosen(int row) {
  withList([row](auto& list) {
    if (row >= 0 && row < list.count) list.selected = static_cast<std::uint8_t>(row);
  });
}

void TFormAbonents_List::changeClicked() {
  const bool changed = withList([this](auto& list) {
    if (list.selected >= list.count) return false;
    TFormAbonent dialog(list.entries[list.selected], EntryMode::kChange, frontend_, this);
    return dialog.exec() == QDialog::Accepted;
  });
  if (changed) fillGrid();
}

void TFormAbonents_List::addClicked() {
  const bool added = withList([this](auto& list) {
    if (!canAddSubscriber(list)) return false;
    auto entry = list.entries[list.count];  // the first free slot
    TFormAbonent dialog(entry, EntryMode::kNew, frontend_, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    addSubscriber(list, entry);
    return true;
  });
  if (added) fillGrid();
}

void TFormAbonents_List::deleteClicked() {
  if (!frontend_.showMessage(kQuestionKind, "Вы действительно хотите", "удалить этот абонент?")) {
    return;
  }
  withList([](auto& list) { removeSelectedSubscriber(list); });
  fillGrid();
}

void TFormAbonents_List::acceptClicked() {
  std::visit([this](auto* list) { *list = std::get<std::remove_pointer_t<decltype(list)>>(copy_); },
             original_);
  accept();
}

}  // namespace zvc
