#include "gui/tables/live_view.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>

#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr const char* kStopCaption = "Не обновлять данные";
constexpr const char* kResumeCaption = "Обновлять данные";

QColor qtColour(DataColour colour) {
  switch (colour) {
    case DataColour::kDarkRed:
      return QColor(0x72, 0x38, 0x38);
    case DataColour::kRed:
      return QColor(Qt::red);
    case DataColour::kGreen:
      return QColor(0, 0x80, 0);
    case DataColour::kBlack:
      break;
  }
  return QColor(Qt::black);
}

}  // namespace

LiveView::LiveView(TableService& tables, std::chrono::milliseconds interval, QWidget* parent)
    : QDialog(parent),
      tables_(tables),
      poller_(
          interval, [this] { poll(); }, this) {}

QLineEdit* LiveView::layOutGrid(QTableWidget* grid, std::string_view timeLabel,
                                const char* timeName) {
  grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  auto* time = new QLineEdit(this);
  time->setObjectName(timeName);
  time->setReadOnly(true);
  auto* timeRow = new QHBoxLayout;
  timeRow->addWidget(new QLabel(qtText(timeLabel), this));
  timeRow->addWidget(time);
  timeRow->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid);
  layout->addLayout(timeRow);
  addButtonRow(layout);
  return time;
}

void LiveView::addButtonRow(QBoxLayout* layout, std::vector<QPushButton*> extra) {
  toggle_ = new QPushButton(kStopCaption, this);
  toggle_->setObjectName("toggle");
  connect(toggle_, &QPushButton::clicked, this, [this] { poller_.setPolling(!poller_.polling()); });
  connect(&poller_, &ViewPoller::pollingChanged, this,
          [this](bool on) { toggle_->setText(on ? kStopCaption : kResumeCaption); });
  auto* exit = new QPushButton("Выход", this);
  exit->setObjectName("exit");
  extra.insert(extra.begin(), toggle_);
  extra.push_back(exit);
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : extra) {
    button->setAutoDefault(false);
    row->addWidget(button);
  }
  row->addStretch();
  layout->addLayout(row);
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

void LiveView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) poller_.setPolling(true);
}

void LiveView::done(int result) {
  poller_.stop();
  QDialog::done(result);
}

QTableWidget* dataGrid(QWidget* parent, const char* objectName, const QStringList& headings,
                       int rows) {
  auto* grid = new QTableWidget(rows, static_cast<int>(headings.size()), parent);
  grid->setObjectName(objectName);
  grid->setHorizontalHeaderLabels(headings);
  grid->verticalHeader()->hide();
  // One line of text per row, so that twenty parameters fit without scrolling.
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::NoSelection);
  grid->setFocusPolicy(Qt::NoFocus);
  return grid;
}

void setDataCell(QTableWidget* grid, int row, int column, const std::string& text,
                 DataColour colour, bool enabled) {
  auto* item = grid->item(row, column);
  if (item == nullptr) {
    item = new QTableWidgetItem;
    grid->setItem(row, column, item);
  }
  item->setText(qtText(text));
  item->setFlags(enabled ? Qt::ItemIsEnabled : Qt::NoItemFlags);
  item->setForeground(enabled ? qtColour(colour) : QColor(Qt::gray));
  if (!enabled) item->setBackground(grid->palette().color(QPalette::Disabled, QPalette::Window));
}

}  // namespace zvc
