#include "gui/tables/tformcontrdt.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr int kTickMs = 500;

QLabel* valueLabel(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance("Воскресенье") + 16);
  return label;
}

}  // namespace

TFormContrDt::TFormContrDt(const ClockReading& reading, std::span<const std::uint8_t, 12> table6,
                           bool syncAllowed, QWidget* parent, Clock now)
    : QDialog(parent), reading_(reading), now_(std::move(now)) {
  std::ranges::copy(table6, table6_.begin());
  setWindowTitle(qtText(kClockCaption));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(qtText(kControllerColumn), this), 0, 1, Qt::AlignCenter);
  grid->addWidget(new QLabel(qtText(kComputerColumn), this), 0, 2, Qt::AlignCenter);
  const std::vector<ClockRow> rows = clockRows(reading_.controller, reading_.controller);
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    grid->addWidget(new QLabel(qtText(rows[row].label), this), row + 1, 0);
    controller_[row] = valueLabel(this, QString("controller%1").arg(row));
    computer_[row] = valueLabel(this, QString("computer%1").arg(row));
    grid->addWidget(controller_[row], row + 1, 1);
    grid->addWidget(computer_[row], row + 1, 2);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  if (!syncAllowed) {
    auto* forbidden = new QLabel(qtText(kSyncForbidden), this);
    forbidden->setObjectName("syncForbidden");
    layout->addWidget(forbidden);
  }
  auto* correct = new QPushButton(qtText(kCorrectCaption), this);
  correct->setObjectName("correct");
  correct->setEnabled(syncAllowed);
  auto* exit = new QPushButton("Выход", this);
  connect(correct, &QPushButton::clicked, this, &QDialog::accept);
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);
  layout->addLayout(centredButtonRow({correct, exit}));

  tick();
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &TFormContrDt::tick);
  timer_->start(kTickMs);
}

void TFormContrDt::tick() {
  const DateTime6 now = now_();
  const auto rows = clockRows(controllerClockAt(reading_, now), clockTable(now, table6_));
  for (std::size_t row = 0; row < rows.size(); ++row) {
    controller_[row]->setText(qtText(rows[row].controller));
    controller_[row]->setStyleSheet(rows[row].differs ? "color: red" : "");
    computer_[row]->setText(qtText(rows[row].computer));
  }
}

}  // namespace zvc
