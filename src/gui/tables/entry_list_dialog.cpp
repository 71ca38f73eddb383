#include "gui/tables/entry_list_dialog.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include "core/ui/frontend.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr int kQuestionKind = 3;

QPushButton* listButton(QWidget* parent, const char* caption, const char* name) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

EntryListDialog::EntryListDialog(SectionMode mode, Frontend& frontend, QWidget* parent)
    : SectionDialog(mode, frontend, parent) {}

void EntryListDialog::buildList(QBoxLayout* layout, const std::vector<std::string_view>& headings) {
  grid_ = new QTableWidget(this);
  grid_->setObjectName("entries");
  grid_->setColumnCount(static_cast<int>(headings.size()));
  QStringList labels;
  for (std::string_view heading : headings) labels << qtText(heading);
  grid_->setHorizontalHeaderLabels(labels);
  grid_->verticalHeader()->hide();
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  grid_->horizontalHeader()->setStretchLastSection(true);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { changeClicked(); });

  add_ = listButton(this, "Добавить", "add");
  change_ = listButton(this, "Изменить", "change");
  remove_ = listButton(this, "Удалить", "remove");
  connect(add_, &QPushButton::clicked, this, &EntryListDialog::addClicked);
  connect(change_, &QPushButton::clicked, this, &EntryListDialog::changeClicked);
  connect(remove_, &QPushButton::clicked, this, &EntryListDialog::removeClicked);

  layout->addWidget(grid_);
  layout->addLayout(centredButtonRow({add_, change_, remove_}));
  addButtonRow(layout);
  refresh();
  if (grid_->rowCount() > 0) grid_->selectRow(0);
}

void EntryListDialog::refresh() {
  const int selected = currentEntry();
  const std::vector<std::vector<std::string>> shown = rows();
  grid_->setRowCount(static_cast<int>(shown.size()));
  for (int row = 0; row < grid_->rowCount(); ++row) {
    for (int column = 0; column < grid_->columnCount(); ++column) {
      const std::string& text = shown[row][column];
      grid_->setItem(row, column, new QTableWidgetItem(QString::fromStdString(text)));
    }
  }
  if (selected >= 0) grid_->selectRow(std::min(selected, grid_->rowCount() - 1));
  add_->setEnabled(canAdd());
  remove_->setEnabled(canRemove());
}

int EntryListDialog::currentEntry() const {
  return grid_ ? grid_->currentRow() : -1;
}

void EntryListDialog::addClicked() {
  if (!addEntry()) return;
  refresh();
  grid_->selectRow(grid_->rowCount() - 1);
}

void EntryListDialog::changeClicked() {
  const int entry = currentEntry();
  if (entry < 0) return;
  changeEntry(entry);
  refresh();
}

void EntryListDialog::removeClicked() {
  const int entry = currentEntry();
  if (entry < 0 || !canRemove()) return;
  const std::array<std::string, 2> question = removeQuestion(entry);
  if (!frontend().showMessage(kQuestionKind, question[0], question[1])) return;
  removeEntry(entry);
  refresh();
}

}  // namespace zvc
