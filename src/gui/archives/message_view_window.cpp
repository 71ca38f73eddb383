#include "gui/archives/message_view_window.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "core/archives/message_view.h"
#include "core/archives/print_question.h"
#include "core/common/calendar.h"
#include "gui/archives/message_view_model.h"
#include "gui/archives/tformprnarhiv.h"
#include "gui/archives/tformques_prn.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/file_dialogs.h"
#include "gui/widgets/grid_columns.h"

namespace zvc {
namespace {

// A view is never taller than the screen less this, its title bar included.
constexpr int kScreenMargin = 60;

}  // namespace

MessageViewWindow::MessageViewWindow(const MessageViewRows& rows, const WorkingFolder& folder,
                                     Frontend& frontend, QWidget* parent)
    : QDialog(parent),
      rows_(rows),
      folder_(folder),
      frontend_(frontend),
      model_(new MessageViewModel(rows, this)) {
  setWindowTitle(QString::fromUtf8(rows.caption()));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  askSaveFileName = saveFileNameDialog(this, QString::fromUtf8(kSaveDialogTitle),
                                       messageFileFormat(rows.kind()).saveFilter);
  grid_ = makeGrid();

  auto* save = new QPushButton("Сохранить в файле", this);
  auto* print = new QPushButton("Печать", this);
  auto* exitButton = new QPushButton("Выход", this);
  connect(save, &QPushButton::clicked, this, &MessageViewWindow::SaveClick);
  connect(print, &QPushButton::clicked, this, &MessageViewWindow::PrintClick);
  connect(exitButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 2);
  layout->addWidget(grid_, 1);
  layout->addLayout(centredButtonRow({save, print, exitButton}));
  layout->addWidget(makeStatusLine());

  fitHeightToRows();
  if (rows.rowCount() > 0) grid_->selectRow(rows.rowCount() - 1);
  exitButton->setFocus();
}

QTableView* MessageViewWindow::makeGrid() {
  auto* grid = new QTableView(this);
  grid->setModel(model_);
  grid->verticalHeader()->hide();
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setWordWrap(false);
  grid->setTabKeyNavigation(false);
  const auto widths = rows_.columnWidths();
  fitColumnsToGrid(grid, std::vector<int>(widths.begin(), widths.end()));
  rowHeight_ = grid->fontMetrics().height() + 4;
  QHeaderView* rowHeader = grid->verticalHeader();
  rowHeader->setMinimumSectionSize(1);
  rowHeader->setSectionResizeMode(QHeaderView::Fixed);
  rowHeader->setDefaultSectionSize(rowHeight_);
  grid->setMinimumHeight(rowHeight_ + 2 * grid->frameWidth());
  return grid;
}

QLabel* MessageViewWindow::makeStatusLine() {
  auto* status = new QLabel(QString::fromUtf8(rows_.statusLine()), this);
  status->setObjectName("statusLine");
  status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  status->setMinimumHeight(status->fontMetrics().height() + 4);
  status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  return status;
}

// As tall as all rows need, in whole rows, but never taller than the screen allows.
void MessageViewWindow::fitHeightToRows() {
  resize(rows_.windowWidth(), 400);
  layout()->activate();
  const int headings = grid_->horizontalHeader()->sizeHint().height();
  // Window height that is not the grid's rows.
  const int chrome = height() - (grid_->height() - 2 * grid_->frameWidth() - headings);

  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
  const int highest = screen ? screen->geometry().height() - kScreenMargin - titleBar : INT_MAX;
  const int fitting = std::max(1, (highest - chrome) / rowHeight_);
  resize(rows_.windowWidth(), chrome + std::clamp(rows_.rowCount(), 1, fitting) * rowHeight_);
}

void MessageViewWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  grid_->scrollToBottom();
}

void MessageViewWindow::SaveClick() {
  saveMessageFile(rows_.kind(), folder_, rows_.header(), rows_.textRows(), localNow(),
                  askSaveFileName, frontend_);
}

void MessageViewWindow::PrintClick() {
  const bool diagnostic = rows_.kind() == MessageFileKind::kDiagnostic;
  TFormQues_Prn question(
      diagnostic ? PrintQuestionType::kDiagnostic : PrintQuestionType::kIntervention,
      rows_.header(), folder_, this);
  if (question.exec() != QDialog::Accepted) return;

  const TFormPrnArhiv report(
      diagnostic ? MessageReportKind::kDiagnostic : MessageReportKind::kIntervention,
      rows_.header(), gridTexts(), question.organisation());
  report.print(this, frontend_, reportOutput);
}

std::vector<MessageReportRow> MessageViewWindow::gridTexts() const {
  std::vector<MessageReportRow> texts(static_cast<std::size_t>(model_->rowCount()));
  for (int row = 0; row < model_->rowCount(); ++row) {
    for (int column = 1; column < MessageViewModel::kColumns; ++column) {
      texts[static_cast<std::size_t>(row)][column - 1] =
          model_->index(row, column).data().toString();
    }
  }
  return texts;
}

}  // namespace zvc
